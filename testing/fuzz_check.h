#pragma once

#include <cstdio>
#include <cstdlib>

namespace tolvane {

// A broken invariant in a fuzz target: says which, then aborts, so that libFuzzer keeps the input.
inline void fuzzCheck(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "broken invariant: %s\n", invariant);
    std::abort();
}

}  // namespace tolvane
