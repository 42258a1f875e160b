// What the fuzz targets share: a rule that must hold, or the run stops (a
// crash to libFuzzer, a failure to the replay test).
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(rule)                                                                                             \
    do {                                                                                                               \
        if (!(rule)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #rule);                                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
