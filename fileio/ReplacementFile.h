#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "fileio/QuitSignalDeferral.h"

namespace polygrav::fileio_detail {

// New contents on their way to replacing the file that a path finally names
// (symbolic links followed), in a temporary file in that file's folder. The
// temporary file has no name where the file system offers O_TMPFILE;
// otherwise it is a hidden ".<name>.<random>", and the signals that end the
// program are held back for as long as it exists. Whatever fails, and when
// the object is destroyed before Publish, the temporary file is removed.
// An unnamed file that makes a new target is linked to the target's name in
// one step; one that replaces a target gets a hidden name first, the one
// step that SIGKILL can interrupt, and such a leftover is removed by the
// next writer into that folder once it is a minute old
// (RemoveStrayTemporaries).
class ReplacementFile {
  public:
    // Checks the target, creates the temporary file with the target's owner
    // and mode and writes all bytes. Raises EFCreateError CannotCreateFile
    // when the target may not be replaced or no file can be created,
    // EWriteError StreamWriteError when a step after that fails.
    ReplacementFile(const std::string& path, std::string_view bytes);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Flushes the temporary file's contents to the disk; EWriteError.
    void SyncContents();

    // Renames the temporary file over the target; EWriteError. The folder's
    // entry is not flushed here.
    void Publish();

    // The target's folder, open, for flushing its entries and for syncfs.
    int folderFd() const { return folderFd_; }
    const struct stat& folderInfo() const { return folderInfo_; }

  private:
    [[noreturn]] void FailWrite();
    void Discard();
    void CreateUnnamed();
    void CreateNamed();
    void LinkUnnamed();
    bool PublishAsNewFile();

    std::string path_;        // as given, for messages
    std::string targetName_;  // the final target's name in its folder
    int folderFd_ = -1;
    struct stat folderInfo_ {};
    int fd_ = -1;
    bool unnamed_ = false;
    std::string tempName_;  // while a named temporary file exists
    std::optional<QuitSignalDeferral> deferral_;
};

}  // namespace polygrav::fileio_detail
