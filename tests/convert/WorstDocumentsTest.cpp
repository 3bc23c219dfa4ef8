// The worst documents for time and memory, converted by both programs as
// processes: none may take longer than a second or more than 100 MB.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr auto kTimeLimit = std::chrono::seconds(1);
#else
// Without optimisation and with the sanitizers the program is many times
// slower; the release pass of scripts/test runs this test with the second.
constexpr auto kTimeLimit = std::chrono::seconds(10);
#endif
// The sanitizers' own memory is left out by measuring against the program
// doing nothing.
constexpr long kMemoryLimitKilobytes = 100 * 1024;

struct Worst {
    const char* name;
    std::string bytes;
};

std::string Repeat(const std::string& piece, std::size_t bytes) {
    std::string out;
    out.reserve(bytes + piece.size());
    while (out.size() < bytes) out += piece;
    out.resize(bytes);
    return out;
}

constexpr std::size_t kMiB = 1024 * 1024;

std::vector<Worst> WorstDocuments() {
    return {
        {"NewlinesAtTheSizeLimit", "[SVG]\n" + Repeat("\n", 16 * kMiB - 6)},
        {"NewlinesAboveTheSizeLimit", Repeat("\n", 100 * kMiB)},
        {"OneLongLine", "[SVG]\nEdgeNumber=" + Repeat("7", 16 * kMiB - 20) + "\n"},
        {"ManyKeys", "[SVG]\n" + Repeat("EdgeNumber=9\nCircumRadius=1e308\n", 16 * kMiB - 6)},
        {"ManySections", Repeat("[SVG]\n[X]\n", 16 * kMiB)},
        {"LongRadiusDigits", "[SVG]\nCircumRadius=" + Repeat("9", 16 * kMiB - 30) + "\n"},
    };
}

// The program's peak when it converts nothing, taken off its peak below.
long BaselineKilobytes(const std::string& program) {
    test::ChildOptions options;
    options.args = {"--version"};
    return test::RunChild(program, options).peakKilobytes;
}

void CheckBounded(const std::string& program, const std::string& document) {
    const long baseline = BaselineKilobytes(program);
    test::ChildOptions options;
    options.args = {document};
    options.env.erase("DISPLAY");
    options.env.erase("WAYLAND_DISPLAY");
    const auto start = std::chrono::steady_clock::now();
    const test::ChildResult result = test::RunChild(program, options, std::chrono::seconds(60));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(result.exited) << result.err;
    EXPECT_FALSE(result.timedOut);
    EXPECT_LT(elapsed, kTimeLimit) << program;
    EXPECT_LT(result.peakKilobytes - baseline, kMemoryLimitKilobytes) << program;
}

TEST(WorstDocuments, BoundedInTimeAndMemory) {
    for (const Worst& worst : WorstDocuments()) {
        SCOPED_TRACE(worst.name);
        test::TempFolder folder;
        const std::string document = folder / "worst.pgv";
        test::WriteFile(document, worst.bytes);
        CheckBounded(POLYGRAV_CONVERT_BINARY, document);
#ifdef POLYGRAV_BINARY
        CheckBounded(POLYGRAV_BINARY, document);
#endif
    }
}

}  // namespace
}  // namespace polygrav
