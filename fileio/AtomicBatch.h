#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Messages.h"

namespace polygrav {

namespace fileio_detail {
class ReplacementFile;
}

// Why one file of a batch was not written: the error that
// WriteFileAtomically raises for it, as a value.
struct AtomicWriteError {
    enum class Kind {
        CannotCreate,  // EFCreateError CannotCreateFile
        WriteFailed,   // EWriteError StreamWriteError
    };
    Kind kind = Kind::WriteFailed;
    Message message;  // the exception's message
    Message detail;   // its detail: the target and the system's reason

    friend bool operator==(const AtomicWriteError&, const AtomicWriteError&) = default;

    // Throws the exception that WriteFileAtomically would have thrown.
    [[noreturn]] void Raise() const;
};

// Writes many files atomically at the cost of few flushes to the disk: each
// file goes to a temporary file beside its target as WriteFileAtomically
// does (same rules for links, owner, mode and what may be replaced); Commit
// then flushes every file system once (syncfs), renames the files over
// their targets and flushes each distinct folder once. A file that fails
// leaves its target as it was and does not stop the others. No temporary
// file is left, also when SIGTERM, SIGINT or SIGHUP arrive meanwhile.
//
// To bound the open descriptors, Stage commits the files staged so far by
// itself once a group of them is open (at most 256, fewer under a low
// RLIMIT_NOFILE); their targets are replaced then. A batch belongs to one
// thread. Destroying it uncommitted removes the staged temporary files.
class AtomicBatch {
  public:
    AtomicBatch();
    ~AtomicBatch();
    AtomicBatch(const AtomicBatch&) = delete;
    AtomicBatch& operator=(const AtomicBatch&) = delete;

    // Writes bytes to a temporary file beside path's final target. Returns
    // the item's error when that failed already; Commit reports it again.
    std::optional<AtomicWriteError> Stage(const std::string& path, std::string_view bytes);

    // Replaces the targets of every item staged since the last Commit and
    // returns one entry per item, in the order of the Stage calls: nothing
    // for a file that was written, otherwise its error.
    std::vector<std::optional<AtomicWriteError>> Commit();

  private:
    struct Staged {
        std::size_t index;  // into results_
        std::unique_ptr<fileio_detail::ReplacementFile> file;
    };
    void CommitStaged();

    std::vector<Staged> staged_;
    std::vector<std::optional<AtomicWriteError>> results_;
    std::size_t maxStaged_;
};

}  // namespace polygrav
