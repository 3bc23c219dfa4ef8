#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fileio/FileSystemCalls.h"

namespace polygrav::test {

// What a call raised, for comparing with a table: "EFCreateError: <text>",
// "EWriteError: <text>", "other: <text>", or "" when it raised nothing.
std::string Outcome(const std::function<void()>& call);

// The outcomes of the two messages the writers raise.
std::string CannotCreate(const std::string& path);
std::string WriteFailed();

// The file system calls with O_TMPFILE refused as by a file system without
// unnamed files, so that the writers fall back to named temporary files.
FileSystemCalls WithoutUnnamedFiles(FileSystemCalls calls);

// Whether the writers create unnamed temporary files here: the test
// folder's file system supports O_TMPFILE.
bool UnnamedFilesSupported(const std::string& folder);

// The two ways of creating the temporary file, for tables of cases.
enum class TempKind { Unnamed, Named };
std::string TempKindName(const ::testing::TestParamInfo<TempKind>& kind);

}  // namespace polygrav::test
