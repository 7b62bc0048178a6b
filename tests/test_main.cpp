// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point: the process set up as the program's own, the C locale included.
#include <gtest/gtest.h>

#include "calculator.h"

int main(int argc, char** argv) {
    configureProcess();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
