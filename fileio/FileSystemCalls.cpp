#include "fileio/FileSystemCalls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace polygrav {

namespace {

int RealOpenAt(int dirFd, const char* path, int flags, mode_t mode) {
    return ::openat(dirFd, path, flags, mode);
}

const FileSystemCalls kRealCalls{
    RealOpenAt, ::write,  ::fsync,    ::syncfs,   ::fchmod,
    ::fchown,   ::linkat, ::renameat, ::unlinkat, ::close,
};

std::atomic<const FileSystemCalls*> g_current{&kRealCalls};

}  // namespace

const FileSystemCalls& RealFileSystemCalls() {
    return kRealCalls;
}

const FileSystemCalls& CurrentFileSystemCalls() {
    return *g_current.load(std::memory_order_acquire);
}

ScopedFileSystemCalls::ScopedFileSystemCalls(const FileSystemCalls& calls)
    : calls_(calls), previous_(g_current.exchange(&calls_, std::memory_order_acq_rel)) {}

ScopedFileSystemCalls::~ScopedFileSystemCalls() {
    g_current.store(previous_, std::memory_order_release);
}

}  // namespace polygrav
