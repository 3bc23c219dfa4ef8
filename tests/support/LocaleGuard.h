#pragma once

#include <clocale>
#include <initializer_list>
#include <string>

namespace polygrav::test {

// Locales whose decimal separator is a comma, in the order tests try them.
inline constexpr std::initializer_list<const char*> kCommaLocales = {"de_DE.UTF-8", "de_DE.utf8",
                                                                     "fr_FR.UTF-8", "fr_FR.utf8"};

// Switches one locale category (LC_ALL by default) to the first of the
// given locales that the system has, for the guard's lifetime; the whole
// locale as it was comes back in the destructor.
class LocaleGuard {
  public:
    explicit LocaleGuard(std::initializer_list<const char*> names, int category = LC_ALL);
    explicit LocaleGuard(const char* name, int category = LC_ALL) : LocaleGuard({name}, category) {}
    ~LocaleGuard();
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

    // Whether one of the locales was switched to, and which.
    bool active() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

  private:
    std::string saved_;
    std::string name_;
};

}  // namespace polygrav::test
