// A request to end the program (SIGTERM) arriving while a file is written:
// afterwards the folder holds the target, old or new and whole, and nothing
// else.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "FileioTesting.h"
#include "fileio/AtomicBatch.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileSystemCalls.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::TempKind;

using Names = std::vector<std::string>;

// The child's side of the handshake: the first write tells the test that
// the child is writing and then waits until the test lets it go on.
int g_ready = -1;
int g_go = -1;
volatile sig_atomic_t g_handled = 0;

ssize_t PausingWrite(int fd, const void* data, size_t size) {
    if (g_ready >= 0) {
        const char byte = 1;
        if (::write(g_ready, &byte, 1) != 1) return -1;
        ::close(g_ready);
        g_ready = -1;
        char go;
        while (::read(g_go, &go, 1) < 0) {
        }
    }
    return RealFileSystemCalls().write(fd, data, size);
}

extern "C" void RecordSignal(int) {
    g_handled = 1;
}

// What else runs in the child while it writes.
enum class Company {
    None,         // the default action of SIGTERM, one thread
    OtherThread,  // a second thread that does not block the signal
    OwnHandler,   // a handler of the program's own, as the window has
};

struct SignalCase {
    const char* name;
    TempKind kind;
    Company company;
    bool batch;
};

const SignalCase kCases[] = {
    {"unnamed file", TempKind::Unnamed, Company::None, false},
    {"named file", TempKind::Named, Company::None, false},
    {"named file, second thread", TempKind::Named, Company::OtherThread, false},
    {"named file, own handler", TempKind::Named, Company::OwnHandler, false},
    {"batch of unnamed files", TempKind::Unnamed, Company::None, true},
    {"batch of named files", TempKind::Named, Company::None, true},
    {"batch of named files, second thread", TempKind::Named, Company::OtherThread, true},
};

// Writes the files in a child that SIGTERM reaches in the middle of its
// first write; returns how the child ended.
test::ChildResult WriteAndSignal(const SignalCase& c, const std::vector<std::string>& targets) {
    int ready[2];
    int go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0) return {};
    test::ChildProcess child(
        [&]() -> int {
            ::close(ready[0]);
            ::close(go[1]);
            g_ready = ready[1];
            g_go = go[0];
            std::thread other;
            if (c.company == Company::OtherThread) {
                other = std::thread([] { ::pause(); });
                other.detach();
            }
            if (c.company == Company::OwnHandler) ::signal(SIGTERM, RecordSignal);
            FileSystemCalls calls = c.kind == TempKind::Named
                                        ? test::WithoutUnnamedFiles(RealFileSystemCalls())
                                        : RealFileSystemCalls();
            calls.write = PausingWrite;
            const ScopedFileSystemCalls scope(calls);
            if (c.batch) {
                AtomicBatch batch;
                for (const std::string& target : targets) batch.Stage(target, "new");
                for (const auto& error : batch.Commit()) {
                    if (error) return 2;
                }
            } else {
                WriteFileAtomically(targets.front(), "new");
            }
            return g_handled ? 0 : 3;
        },
        {});
    // The test keeps the read end of go open, so that writing to it never
    // meets a closed pipe.
    ::close(ready[1]);
    pollfd p{ready[0], POLLIN, 0};
    char byte;
    if (::poll(&p, 1, 60000) == 1 && ::read(ready[0], &byte, 1) == 1) {
        ::kill(child.pid(), SIGTERM);
        // Lets the signal arrive before the child goes on.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (::write(go[1], "g", 1) != 1) {
        // The child has ended already.
    }
    ::close(ready[0]);
    ::close(go[0]);
    ::close(go[1]);
    return child.Finish(std::chrono::seconds(60));
}

TEST(AtomicFileSignal, SigtermWhileWritingLeavesTheTargetWholeAndNoTemporaryFile) {
    for (const SignalCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.kind == TempKind::Unnamed && !test::UnnamedFilesSupported(folder.path())) continue;
        const std::vector<std::string> targets = {folder / "a.svg", folder / "b.svg",
                                                  folder / "c.svg"};
        for (const std::string& target : targets) test::WriteFile(target, "old");

        const test::ChildResult r = WriteAndSignal(c, c.batch ? targets : Names{targets[0]});

        // Killed in the middle of an unnamed file's write: nothing was
        // renamed. Held back by a named file: every file was written first.
        const bool written = c.kind == TempKind::Named;
        if (c.company == Company::OwnHandler) {
            EXPECT_TRUE(r.exited) << "signal " << r.signal;
            EXPECT_EQ(r.exitCode, 0) << "the program's handler did not run";
        } else {
            EXPECT_EQ(r.signal, SIGTERM) << "exit code " << r.exitCode << "\n" << r.err;
        }
        for (const std::string& target : c.batch ? targets : Names{targets[0]}) {
            EXPECT_EQ(ReadFile(target), written ? "new" : "old") << target;
        }
        EXPECT_EQ(folder.Names(), (Names{"a.svg", "b.svg", "c.svg"}));
    }
}

}  // namespace
}  // namespace polygrav
