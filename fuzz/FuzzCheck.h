#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run with a message when a property that must always hold fails;
// libFuzzer then keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)
