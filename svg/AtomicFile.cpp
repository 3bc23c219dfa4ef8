#include "svg/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "model/Errors.h"

namespace polygrav {

namespace {

// Longest part of the target's name that goes into the temporary file's
// name, so that the latter stays within the 255-byte limit of a file name.
constexpr std::size_t kMaxNameInTemp = 200;
constexpr int kCreateAttempts = 100;

// The folder part of path including its final "/", or "" for a bare name,
// so that the temporary file lands in the target's own folder.
std::string_view FolderWithSlash(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string RandomSuffix() {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix) c = kChars[pick(generator)];
    return suffix;
}

// Creates a new hidden file "<folder>/.<name>.<random>" for writing. The mode
// 0666 is narrowed by the umask, as for any newly created file. Returns -1
// with errno set when no file can be created.
int CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    const std::string_view folder = FolderWithSlash(path);
    const std::string_view name = std::string_view(path).substr(folder.size());
    std::string prefix(folder);
    prefix += '.';
    prefix += name.substr(0, kMaxNameInTemp);
    prefix += '.';
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        tempPath = prefix + RandomSuffix();
        int fd;
        do {
            fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes all bytes, continuing after partial writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

bool SyncFile(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Flushes the folder's entry for the renamed file. Some file systems cannot
// sync a folder; the file itself is already complete, so this is best effort.
void SyncFolder(const std::string& path) {
    const std::string_view withSlash = FolderWithSlash(path);
    const std::string folder = withSlash.empty() ? std::string(".") : std::string(withSlash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    SyncFile(fd);
    ::close(fd);
}

[[noreturn]] void ThrowCannotCreate(const std::string& path) {
    throw EFCreateError(CannotCreateFileMessage(path));
}

[[noreturn]] void ThrowWriteError(const std::string& tempPath) {
    ::unlink(tempPath.c_str());
    throw EWriteError(StreamWriteErrorMessage());
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    // A path without a file name cannot name the new file.
    if (path.empty() || path.back() == '/') ThrowCannotCreate(path);

    // An existing target decides the new file's owner and mode. Only a
    // regular file the user may write is replaced: a folder, a device or a
    // write-protected file is reported as a file that cannot be created,
    // before anything is written.
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) ThrowCannotCreate(path);
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) ThrowCannotCreate(path);
    }

    std::string tempPath;
    const int fd = CreateTemporaryBeside(path, tempPath);
    if (fd < 0) ThrowCannotCreate(path);

    if (exists) {
        // Only root may give the file away; others keep their own ownership,
        // so a failure here is no reason to stop. The mode follows the owner
        // change because a change of owner clears the set-user-ID bits.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // The new file stays owned by the writer.
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0) {
            ::close(fd);
            ThrowWriteError(tempPath);
        }
    }
    if (!WriteAll(fd, bytes) || !SyncFile(fd)) {
        ::close(fd);
        ThrowWriteError(tempPath);
    }
    // A failing close can report a delayed write error; it is never retried
    // because the descriptor is released either way.
    if (::close(fd) != 0) ThrowWriteError(tempPath);
    if (::rename(tempPath.c_str(), path.c_str()) != 0) ThrowWriteError(tempPath);
    SyncFolder(path);
}

}  // namespace polygrav
