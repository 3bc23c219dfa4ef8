// The child process runner that the process tests rely on: what reaches the
// child, what comes back, and the limits.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace polygrav::test {
namespace {

ChildResult Shell(const std::string& script, ChildOptions options = {}) {
    options.args = {"-c", script};
    return RunChild("sh", options, std::chrono::seconds(60));
}

TEST(ChildProcess, PassesInputArgumentsEnvironmentAndFolderAndCapturesBothOutputs) {
    TempFolder folder;
    ChildOptions options;
    options.stdinBytes = std::string(200000, 'i') + "\n";  // more than a pipe holds
    options.env["POLYGRAV_PROBE"] = "value with blanks";
    options.workingFolder = folder.path();
    const ChildResult r =
        Shell("wc -c; printf '%s|%s' \"$POLYGRAV_PROBE\" \"$(pwd -P)\" >&2; exit 3", options);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "200001\n");
    EXPECT_EQ(r.err, "value with blanks|" + std::filesystem::canonical(folder.path()).string());
}

TEST(ChildProcess, SetsTheLimits) {
    ChildOptions options;
    options.fileSizeLimit = 1024 * 1024;
    options.addressSpaceLimit = 512ull * 1024 * 1024;
    const ChildResult r = Shell("ulimit -f; ulimit -v", options);
    EXPECT_EQ(r.out, "2048\n524288\n");
}

TEST(ChildProcess, TimeoutKillsTheChildAndSignalsAreReported) {
    ChildProcess sleeper("sleep", [] {
        ChildOptions options;
        options.args = {"30"};
        return options;
    }());
    const ChildResult late = sleeper.Finish(std::chrono::milliseconds(200));
    EXPECT_TRUE(late.timedOut);
    EXPECT_EQ(late.signal, SIGKILL);

    const ChildResult killed = RunForked([] {
        ::raise(SIGTERM);
        return 0;
    });
    EXPECT_FALSE(killed.exited);
    EXPECT_EQ(killed.signal, SIGTERM);
}

TEST(ChildProcess, ForkedBodyGivesItsResultAndOutput) {
    const ChildResult r = RunForked([] {
        std::printf("from the child");
        return 7;
    });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_EQ(r.out, "from the child");
}

}  // namespace
}  // namespace polygrav::test
