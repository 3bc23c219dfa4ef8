#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Messages.h"

namespace polygrav {

// The language of the interface for the user's preferred languages, first
// first, as Qt's QLocale::uiLanguages() gives them ("en-US", "ja", "C") or
// as the environment names them ("en_GB.UTF-8"): the first that is English
// gives English; the first that is Japanese, C or POSIX gives Japanese;
// other languages are passed over (there is no translation for them); when
// none decides, Japanese, the source language.
Language LanguageOfPreferences(const std::vector<std::string>& preferred);

// The preferred languages as Qt reads them from the environment on Unix:
// LANGUAGE split at its colons when set, else the first set of LC_ALL,
// LC_MESSAGES and LANG, else "C". getenv is the lookup (std::getenv by
// default); an unset variable is an empty or null one.
using EnvironmentLookup = std::function<const char*(const char*)>;
std::vector<std::string> PreferredLanguages(const EnvironmentLookup& getenv = {});

// LanguageOfPreferences(PreferredLanguages(getenv)).
Language LanguageOfEnvironment(const EnvironmentLookup& getenv = {});

}  // namespace polygrav
