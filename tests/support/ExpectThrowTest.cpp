// EXPECT_THROW_MSG passes only when the statement raises the exception with
// the message expected: a wrong message, a wrong text or no exception at all
// each fail the test.

#include "tests/support/ExpectThrow.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace polygrav {
namespace {

void RaiseNotAnInteger() {
    throw EConvertError(NotAnIntegerMessage("x"));
}

void RaiseNothing() {}

TEST(ExpectThrowMsg, PassesOnTheMessageAndOnItsText) {
    EXPECT_THROW_MSG(RaiseNotAnInteger(), EConvertError, NotAnIntegerMessage("x"));
    EXPECT_THROW_MSG(RaiseNotAnInteger(), EConvertError, NotAnIntegerMessage("x").text());
    EXPECT_THROW_MSG(RaiseNotAnInteger(), EPolygravError, NotAnIntegerMessage("x"));
}

TEST(ExpectThrowMsg, FailsOnAnotherMessageOrNoException) {
    EXPECT_NONFATAL_FAILURE(
        EXPECT_THROW_MSG(RaiseNotAnInteger(), EConvertError, NotAnIntegerMessage("y")), "'y'");
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(RaiseNotAnInteger(), EConvertError, "other text"),
                            "other text");
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(RaiseNothing(), EConvertError, "any"),
                            "RaiseNothing() raised no EConvertError");
}

}  // namespace
}  // namespace polygrav
