#include "shell/DesktopShell.h"

namespace polygrav {

namespace {

// Does nothing yet; the GIO implementation replaces it.
class GioDesktopShell final : public DesktopShell {
public:
    void OpenWrittenFile(const std::string&) override {}
    void CreateShortCut(const std::string&, const std::string&) override {}
};

}  // namespace

std::unique_ptr<DesktopShell> MakeGioDesktopShell(const std::string&, ShowMessageFn) {
    return std::make_unique<GioDesktopShell>();
}

}  // namespace polygrav
