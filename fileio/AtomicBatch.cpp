#include "fileio/AtomicBatch.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>

#include "fileio/DeviceFile.h"
#include "fileio/FileSystemCalls.h"
#include "fileio/QuitSignalDeferral.h"
#include "fileio/ReplacementFile.h"
#include "model/Errors.h"

namespace polygrav {

namespace {

using fileio_detail::ReplacementFile;

// Each staged file holds two descriptors (the file and its folder); a group
// takes at most a quarter of the descriptors the process may open.
constexpr std::size_t kMaxGroup = 256;

std::size_t GroupLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return kMaxGroup;
    }
    return std::clamp<std::size_t>(static_cast<std::size_t>(limit.rlim_cur / 8), 1, kMaxGroup);
}

// Runs step and turns the error it raises into a value.
template <typename Step>
std::optional<AtomicWriteError> Capture(Step&& step) {
    try {
        step();
    } catch (const EFCreateError& e) {
        return AtomicWriteError{AtomicWriteError::Kind::CannotCreate, e.message(), e.detail()};
    } catch (const EWriteError& e) {
        return AtomicWriteError{AtomicWriteError::Kind::WriteFailed, e.message(), e.detail()};
    }
    return std::nullopt;
}

}  // namespace

void AtomicWriteError::Raise() const {
    if (kind == Kind::CannotCreate) throw EFCreateError(message, detail);
    throw EWriteError(message, detail);
}

AtomicBatch::AtomicBatch() : maxStaged_(GroupLimit()) {}

AtomicBatch::~AtomicBatch() = default;

std::optional<AtomicWriteError> AtomicBatch::Stage(const std::string& path,
                                                   std::string_view bytes) {
    if (IsCharacterDevice(path)) {
        // A device takes its bytes at once; there is nothing to publish.
        std::optional<AtomicWriteError> error = Capture([&] { WriteToDevice(path, bytes); });
        results_.push_back(error);
        return error;
    }
    if (staged_.size() >= maxStaged_) CommitStaged();
    std::unique_ptr<ReplacementFile> file;
    std::optional<AtomicWriteError> error =
        Capture([&] { file = std::make_unique<ReplacementFile>(path, bytes); });
    if (file) staged_.push_back({results_.size(), std::move(file)});
    results_.push_back(error);
    return error;
}

std::vector<std::optional<AtomicWriteError>> AtomicBatch::Commit() {
    CommitStaged();
    return std::exchange(results_, {});
}

void AtomicBatch::CommitStaged() {
    // One flush per file system writes every staged file's contents. A
    // failing syncfs may stem from any file of that file system, so each
    // file is then flushed on its own and only its own error counts.
    std::set<dev_t> synced;
    std::set<dev_t> failed;
    for (const Staged& item : staged_) {
        const dev_t device = item.file->folderInfo().st_dev;
        if (synced.count(device) != 0 || failed.count(device) != 0) continue;
        int result;
        do {
            result = CurrentFileSystemCalls().syncfs(item.file->folderFd());
        } while (result != 0 && errno == EINTR);
        (result == 0 ? synced : failed).insert(device);
    }

    std::set<std::pair<dev_t, ino_t>> folders;
    {
        // One deferral for the whole group instead of one per file.
        const QuitSignalDeferral deferral;
        for (Staged& item : staged_) {
            ReplacementFile& file = *item.file;
            const bool flushed = synced.count(file.folderInfo().st_dev) != 0;
            results_[item.index] = Capture([&] {
                if (!flushed) file.SyncContents();
                file.Publish();
            });
            if (!results_[item.index]) {
                folders.insert({file.folderInfo().st_dev, file.folderInfo().st_ino});
            }
        }
    }

    // Flushes each folder that received a file once; best effort, as for a
    // single file.
    for (const Staged& item : staged_) {
        const auto key =
            std::make_pair(item.file->folderInfo().st_dev, item.file->folderInfo().st_ino);
        if (!results_[item.index] && folders.erase(key) != 0) ::fsync(item.file->folderFd());
    }
    staged_.clear();
}

}  // namespace polygrav
