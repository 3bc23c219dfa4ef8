#include "model/LanguageChoice.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace polygrav {

namespace {

// The language part of a locale or language name: what comes before its
// territory, script, encoding or modifier ("en" of "en_US.UTF-8", "en-GB").
std::string_view LanguagePart(std::string_view name) {
    return name.substr(0, name.find_first_of("_-.@"));
}

std::string Lookup(const EnvironmentLookup& getenv, const char* name) {
    const char* value = getenv ? getenv(name) : std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

Language LanguageOfPreferences(const std::vector<std::string>& preferred) {
    for (const std::string& name : preferred) {
        const std::string_view language = LanguagePart(name);
        if (language == "en") return Language::English;
        if (language == "ja" || language == "C" || language == "POSIX") return Language::Japanese;
    }
    return Language::Japanese;
}

std::vector<std::string> PreferredLanguages(const EnvironmentLookup& getenv) {
    const std::string languages = Lookup(getenv, "LANGUAGE");
    std::vector<std::string> list;
    if (!languages.empty()) {
        std::size_t start = 0;
        while (start <= languages.size()) {
            const std::size_t colon = std::min(languages.find(':', start), languages.size());
            if (colon > start) list.push_back(languages.substr(start, colon - start));
            start = colon + 1;
        }
        return list;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = Lookup(getenv, variable);
        if (!value.empty()) return {value};
    }
    return {"C"};
}

Language LanguageOfEnvironment(const EnvironmentLookup& getenv) {
    return LanguageOfPreferences(PreferredLanguages(getenv));
}

}  // namespace polygrav
