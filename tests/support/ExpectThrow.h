#pragma once

// EXPECT_THROW_MSG(statement, exception, expected): the statement raises the
// exception, and what it says equals expected. Expected as text compares
// with what(); expected as a Message compares its id and arguments, which
// is stricter than its text. A statement that raises nothing fails the
// test; one that raises another type fails it as an uncaught exception.

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>

#include "model/Errors.h"

namespace polygrav::test {

inline std::string ErrorSaid(const std::exception& e, std::string_view) {
    return e.what();
}
inline const Message& ErrorSaid(const EPolygravError& e, const Message&) {
    return e.message();
}

}  // namespace polygrav::test

#define EXPECT_THROW_MSG(statement, exception, expected)                                   \
    do {                                                                                   \
        bool polygrav_raised = false;                                                      \
        try {                                                                              \
            statement;                                                                     \
        } catch (const exception& polygrav_error) {                                        \
            polygrav_raised = true;                                                        \
            EXPECT_EQ(::polygrav::test::ErrorSaid(polygrav_error, (expected)), (expected)) \
                << #statement;                                                             \
        }                                                                                  \
        if (!polygrav_raised) ADD_FAILURE() << #statement " raised no " #exception;        \
    } while (false)
