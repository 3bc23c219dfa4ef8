#include "model/Messages.h"

#include <atomic>
#include <cstddef>
#include <ostream>

// The catalogue's texts join the version to their own literals.
#include "model/Version.h"

namespace polygrav {

namespace {

struct CatalogueEntry {
    std::string_view japanese;
    std::string_view english;
};

// In the order of MessageId, so that an id is its entry's index.
constexpr CatalogueEntry kCatalogue[] = {
#define POLYGRAV_MESSAGE(id, japanese, english) {japanese, english},
#include "model/Messages.def"
#undef POLYGRAV_MESSAGE
};

// Set once at a program's start, before any message is made; atomic so that
// a reader on another thread never sees a torn value.
std::atomic<Language> messageLanguage{Language::Japanese};

}  // namespace

std::string_view MessageTemplate(MessageId id, Language language) {
    const CatalogueEntry& entry = kCatalogue[static_cast<std::size_t>(id)];
    return language == Language::English ? entry.english : entry.japanese;
}

std::string MessageText(MessageId id, const std::vector<std::string>& args, Language language) {
    const std::string_view pattern = MessageTemplate(id, language);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < args.size()) {
                text += args[index];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

std::string MessageText(MessageId id, const std::vector<std::string>& args) {
    return MessageText(id, args, MessageLanguage());
}

std::string Message::text() const {
    return In(MessageLanguage());
}

std::ostream& operator<<(std::ostream& out, const Message& message) {
    return out << message.text();
}

Language MessageLanguage() {
    return messageLanguage.load(std::memory_order_relaxed);
}

void SetMessageLanguage(Language language) {
    messageLanguage.store(language, std::memory_order_relaxed);
}

}  // namespace polygrav
