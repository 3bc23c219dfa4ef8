#include <utility>

#include "shell/DesktopShell.h"
#include "shell/ShortCut.h"
#include "shell/ViewerLaunch.h"

namespace polygrav {

namespace {

// The desktop on GIO and the XDG folders for one program.
class GioDesktopShell final : public DesktopShell {
  public:
    GioDesktopShell(std::string programPath, ShowMessageFn showMessage)
        : programPath_(std::move(programPath)), showMessage_(std::move(showMessage)) {}

    void OpenWrittenFile(const std::string& path) override { OpenInViewer(path, showMessage_); }

    void CreateShortCut(const std::string& name, const std::string& where) override {
        WriteShortCut(name, where, programPath_, showMessage_);
    }

  private:
    std::string programPath_;
    ShowMessageFn showMessage_;
};

}  // namespace

std::unique_ptr<DesktopShell> MakeGioDesktopShell(const std::string& programPath,
                                                  ShowMessageFn showMessage) {
    return std::make_unique<GioDesktopShell>(programPath, std::move(showMessage));
}

}  // namespace polygrav
