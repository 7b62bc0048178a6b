// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded random complex matrices and closeness checks shared by the engine tests.
#pragma once

#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

const Complex gc_zI(0.0, 1.0);
constexpr double gc_dEPSILON = std::numeric_limits<double>::epsilon();
constexpr double gc_dPI = 3.141592653589793;

/// Entries with normally distributed real and imaginary parts, from a fixed seed.
inline Matrix randomMatrix(Eigen::Index iRows, Eigen::Index iColumns, unsigned uiSeed) {
    std::mt19937 generator(uiSeed);
    std::normal_distribution<double> normal;
    Matrix m(iRows, iColumns);
    for (Eigen::Index j = 0; j < iColumns; ++j)
        for (Eigen::Index i = 0; i < iRows; ++i) m(i, j) = Complex(normal(generator), normal(generator));
    return m;
}

/// The same shape, and within dRelative x |expected| (so exactly, where the expected value is 0).
inline void expectClose(const Matrix& m, const Matrix& mExpected, double dRelative = 1e-14) {
    ASSERT_EQ(m.rows(), mExpected.rows());
    ASSERT_EQ(m.cols(), mExpected.cols());
    EXPECT_LE((m - mExpected).norm(), dRelative * mExpected.norm()) << "got\n" << m;
}

/// The value of a line with Zero Out off, so that the driver does not clean it.
inline Matrix rawValueOf(const std::string& line) {
    g_bZero_Out = false;
    const Matrix m = valueOf(line);
    g_bZero_Out = true;
    return m;
}
