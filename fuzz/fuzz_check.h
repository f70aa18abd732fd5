#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under fuzzing: say which, then stop so that the fuzzer keeps the
// input (or the replay test fails). Active in every build type.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition);   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
