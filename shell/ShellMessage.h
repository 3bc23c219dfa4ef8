#pragma once

#include <string>

#include "shell/DesktopShell.h"

namespace polygrav {

// Shows text through showMessage when the caller gave one.
inline void ShowShellMessage(const ShowMessageFn& showMessage, const std::string& text) {
    if (showMessage) {
        showMessage(text);
    }
}

}  // namespace polygrav
