// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzzer shares: the process set up as the program sets itself up, and a check that
// stops the run with its reason.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "calculator.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    configureProcess();
    return 0;
}

inline void require(bool bHolds, const char* acWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "check failed: %s\n", acWhat);
    std::abort();
}
