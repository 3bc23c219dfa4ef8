#include "fileio/DeviceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/FileSystemCalls.h"
#include "model/Errors.h"

namespace polygrav {

bool IsCharacterDevice(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

void WriteToDevice(const std::string& path, std::string_view bytes) {
    const FileSystemCalls& sys = CurrentFileSystemCalls();
    int fd;
    do {
        fd = sys.openat(AT_FDCWD, path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC, 0);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw EFCreateError(CannotCreateFileMessage(path),
                            CannotCreateFileBecauseMessage(path, errno));
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    int errnum = 0;
    while (left > 0) {
        const ssize_t written = sys.write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            errnum = written < 0 ? errno : ENOSPC;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (sys.close(fd) != 0 && errnum == 0 && errno != EINTR) errnum = errno;
    if (errnum != 0) {
        throw EWriteError(StreamWriteErrorMessage(), CannotWriteFileBecauseMessage(path, errnum));
    }
}

}  // namespace polygrav
