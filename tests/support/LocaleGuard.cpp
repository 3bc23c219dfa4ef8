#include "tests/support/LocaleGuard.h"

namespace polygrav::test {

LocaleGuard::LocaleGuard(std::initializer_list<const char*> names, int category) {
    // LC_ALL names every category, also when they differ.
    const char* current = std::setlocale(LC_ALL, nullptr);
    saved_ = current != nullptr ? current : "C";
    for (const char* name : names) {
        if (std::setlocale(category, name) != nullptr) {
            name_ = name;
            return;
        }
    }
}

LocaleGuard::~LocaleGuard() {
    std::setlocale(LC_ALL, saved_.c_str());
}

}  // namespace polygrav::test
