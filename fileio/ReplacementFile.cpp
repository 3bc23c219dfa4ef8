#include "fileio/ReplacementFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "fileio/FileSystemCalls.h"
#include "fileio/StrayTemporaries.h"
#include "model/Errors.h"

namespace polygrav::fileio_detail {

namespace {

// Longest part of the target's name that goes into a temporary file's name,
// so that the latter stays within the 255-byte limit of a file name.
constexpr std::size_t kMaxNameInTemp = 200;
constexpr int kNameAttempts = 100;
// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinksFollowed = 40;

// The folder part of path including its final "/", or "" for a bare name.
std::string_view FolderWithSlash(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string RandomSuffix() {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix) c = kChars[pick(generator)];
    return suffix;
}

std::string TemporaryName(std::string_view targetName) {
    std::string name = ".";
    name += targetName.substr(0, kMaxNameInTemp);
    name += '.';
    name += RandomSuffix();
    return name;
}

// The path that the symbolic links at path finally lead to: path itself
// when it is no link, the last link's target when that does not exist (so
// that a dangling link creates it). Nothing for a loop of links or a link
// that cannot be read.
std::optional<std::string> FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinksFollowed; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        ssize_t length;
        for (;;) {
            length = ::readlink(current.c_str(), target.data(), target.size());
            if (length < 0) return std::nullopt;
            if (static_cast<std::size_t>(length) < target.size()) break;
            target.resize(target.size() * 2);  // the link changed meanwhile
        }
        target.resize(static_cast<std::size_t>(length));
        if (target.empty()) return std::nullopt;
        current = target.front() == '/' ? target : std::string(FolderWithSlash(current)) + target;
    }
    return std::nullopt;
}

// Whether a file created with O_TMPFILE can be given a name through its
// descriptor's entry in /proc.
bool CanLinkUnnamedFiles() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// Writes all bytes, continuing after partial writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
    const FileSystemCalls& sys = CurrentFileSystemCalls();
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = sys.write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;  // no progress without an error: the device is full
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The message names the path; the detail adds the system's reason where
// one is known (errnum not 0).
[[noreturn]] void ThrowCannotCreate(const std::string& path, int errnum) {
    if (errnum == 0) throw EFCreateError(CannotCreateFileMessage(path));
    throw EFCreateError(CannotCreateFileMessage(path),
                        CannotCreateFileBecauseMessage(path, errnum));
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& path, std::string_view bytes) : path_(path) {
    // A path without a file name cannot name the new file.
    if (path.empty()) ThrowCannotCreate(path, ENOENT);
    if (path.back() == '/') ThrowCannotCreate(path, EISDIR);
    const std::optional<std::string> target = FollowLinks(path);
    if (!target) ThrowCannotCreate(path, ELOOP);
    const std::string_view folder = FolderWithSlash(*target);
    targetName_ = target->substr(folder.size());
    if (targetName_.empty()) ThrowCannotCreate(path, EISDIR);

    // An existing target decides the new file's owner and mode. Only a
    // regular file the user may write is replaced: a folder, a device or a
    // write-protected file is reported as a file that cannot be created,
    // before anything is written.
    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) ThrowCannotCreate(path, EISDIR);
        if (!S_ISREG(existing.st_mode)) ThrowCannotCreate(path, 0);
        if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
            ThrowCannotCreate(path, errno);
        }
    }

    const std::string folderPath = folder.empty() ? std::string(".") : std::string(folder);
    folderFd_ = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the user may enter and write but not list still takes files.
    if (folderFd_ < 0) folderFd_ = ::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0 || ::fstat(folderFd_, &folderInfo_) != 0) {
        const int errnum = errno;
        Discard();
        ThrowCannotCreate(path, errnum);
    }

    RemoveStrayTemporaries(folderFd_, folderInfo_);
    CreateUnnamed();
    if (fd_ < 0) CreateNamed();

    const FileSystemCalls& sys = CurrentFileSystemCalls();
    if (exists) {
        // Only root may give the file away; others keep their own ownership,
        // so a failure here is no reason to stop. The mode follows the owner
        // change because a change of owner clears the set-user-ID bits.
        if (sys.fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            // The new file stays owned by the writer.
        }
        if (sys.fchmod(fd_, existing.st_mode & 07777) != 0) FailWrite();
    }
    if (!WriteAll(fd_, bytes)) FailWrite();
}

ReplacementFile::~ReplacementFile() {
    Discard();
}

void ReplacementFile::CreateUnnamed() {
    if (!CanLinkUnnamedFiles()) return;
    int fd;
    do {
        fd =
            CurrentFileSystemCalls().openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0) {
        fd_ = fd;
        unnamed_ = true;
        return;
    }
    // The file system or the kernel has no unnamed files; other errors
    // would meet a named temporary file as well.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        const int errnum = errno;
        Discard();
        ThrowCannotCreate(path_, errnum);
    }
}

void ReplacementFile::CreateNamed() {
    // The mode 0666 is narrowed by the umask, as for any newly created file.
    deferral_.emplace();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(targetName_);
        int fd;
        do {
            fd = CurrentFileSystemCalls().openat(
                folderFd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            fd_ = fd;
            tempName_ = name;
            return;
        }
        if (errno != EEXIST) break;
    }
    const int errnum = errno;
    Discard();
    ThrowCannotCreate(path_, errnum);
}

void ReplacementFile::SyncContents() {
    int result;
    do {
        result = CurrentFileSystemCalls().fsync(fd_);
    } while (result != 0 && errno == EINTR);
    if (result != 0) FailWrite();
}

// Links the unnamed file straight to the target's name when the target does
// not exist, so that no named step exists that an ended program could leave
// behind. The contents were flushed before, so the close reports no delayed
// error on the file systems that O_TMPFILE serves; should it fail, the new
// name is taken back. False when the target exists: it must be replaced.
bool ReplacementFile::PublishAsNewFile() {
    const FileSystemCalls& sys = CurrentFileSystemCalls();
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
    if (sys.linkat(AT_FDCWD, procPath.c_str(), folderFd_, targetName_.c_str(), AT_SYMLINK_FOLLOW) !=
        0) {
        if (errno == EEXIST) return false;
        FailWrite();
    }
    unnamed_ = false;
    const int fd = fd_;
    fd_ = -1;
    if (sys.close(fd) != 0) {
        const int errnum = errno;
        sys.unlinkat(folderFd_, targetName_.c_str(), 0);
        errno = errnum;
        FailWrite();
    }
    return true;
}

// Gives the unnamed file a hidden name in its folder. A link straight to
// the target would fail where the target exists, and would leave no step
// between the file's appearance and the check of its close.
void ReplacementFile::LinkUnnamed() {
    deferral_.emplace();
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(targetName_);
        if (CurrentFileSystemCalls().linkat(AT_FDCWD, procPath.c_str(), folderFd_, name.c_str(),
                                            AT_SYMLINK_FOLLOW) == 0) {
            tempName_ = name;
            unnamed_ = false;
            return;
        }
        if (errno != EEXIST) break;
    }
    FailWrite();
}

void ReplacementFile::Publish() {
    const FileSystemCalls& sys = CurrentFileSystemCalls();
    if (unnamed_ && PublishAsNewFile()) return;
    if (unnamed_) LinkUnnamed();
    // A failing close can report a delayed write error; it is never retried
    // because the descriptor is released either way.
    const int fd = fd_;
    fd_ = -1;
    if (sys.close(fd) != 0) FailWrite();
    if (sys.renameat(folderFd_, tempName_.c_str(), folderFd_, targetName_.c_str()) != 0) {
        FailWrite();
    }
    tempName_.clear();
    deferral_.reset();
}

void ReplacementFile::FailWrite() {
    const int errnum = errno;
    Discard();
    throw EWriteError(StreamWriteErrorMessage(), CannotWriteFileBecauseMessage(path_, errnum));
}

void ReplacementFile::Discard() {
    const FileSystemCalls& sys = CurrentFileSystemCalls();
    if (fd_ >= 0) {
        sys.close(fd_);
        fd_ = -1;
    }
    if (!tempName_.empty()) {
        sys.unlinkat(folderFd_, tempName_.c_str(), 0);
        tempName_.clear();
    }
    deferral_.reset();
    if (folderFd_ >= 0) {
        ::close(folderFd_);
        folderFd_ = -1;
    }
}

}  // namespace polygrav::fileio_detail
