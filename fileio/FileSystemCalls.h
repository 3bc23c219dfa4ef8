#pragma once

#include <sys/types.h>

namespace polygrav {

// The system calls through which the atomic writers touch the file system.
// The program always uses the real calls; a test replaces some of them with
// ScopedFileSystemCalls to make a call fail, or pause, at a chosen step.
// Each member has the signature and errno contract of the call it is named
// after.
struct FileSystemCalls {
    int (*openat)(int dirFd, const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*syncfs)(int fd);
    int (*fchmod)(int fd, mode_t mode);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*linkat)(int fromDirFd, const char* from, int toDirFd, const char* to, int flags);
    int (*renameat)(int fromDirFd, const char* from, int toDirFd, const char* to);
    int (*unlinkat)(int dirFd, const char* path, int flags);
    int (*close)(int fd);
};

// The real calls of the C library.
const FileSystemCalls& RealFileSystemCalls();

// The calls in effect: the real ones unless a ScopedFileSystemCalls is alive.
const FileSystemCalls& CurrentFileSystemCalls();

// Puts other calls in effect for its lifetime and then restores the ones
// that were in effect before. Meant for tests; scopes nest.
class ScopedFileSystemCalls {
  public:
    explicit ScopedFileSystemCalls(const FileSystemCalls& calls);
    ~ScopedFileSystemCalls();
    ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
    ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

  private:
    FileSystemCalls calls_;
    const FileSystemCalls* previous_;
};

}  // namespace polygrav
