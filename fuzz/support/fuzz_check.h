#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A property of a target that does not hold: said on standard error and ended like a crash, so that
// libFuzzer keeps the input and the replay test fails on it.
inline void require(bool holds, const char *property) {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

} // namespace fuzz
