#include "FileioTesting.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

#include "model/Errors.h"

namespace polygrav::test {

std::string Outcome(const std::function<void()>& call) {
    try {
        call();
    } catch (const EFCreateError& e) {
        return std::string("EFCreateError: ") + e.what();
    } catch (const EWriteError& e) {
        return std::string("EWriteError: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "";
}

std::string CannotCreate(const std::string& path) {
    return "EFCreateError: ファイル " + path + " を作成できません";
}

std::string WriteFailed() {
    return "EWriteError: ストリームへの書き込みエラー";
}

namespace {

int OpenAtWithoutTmpFile(int dirFd, const char* path, int flags, mode_t mode) {
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return RealFileSystemCalls().openat(dirFd, path, flags, mode);
}

}  // namespace

FileSystemCalls WithoutUnnamedFiles(FileSystemCalls calls) {
    calls.openat = OpenAtWithoutTmpFile;
    return calls;
}

bool UnnamedFilesSupported(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return ::access("/proc/self/fd", X_OK) == 0;
}

std::string TempKindName(const ::testing::TestParamInfo<TempKind>& kind) {
    return kind.param == TempKind::Unnamed ? "Unnamed" : "Named";
}

}  // namespace polygrav::test
