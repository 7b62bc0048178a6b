// Seeded random complex matrices and tables of lines with their expected error or value,
// shared by the tests of the matrix functions.
#pragma once

#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

/// Entries with normally distributed real and imaginary parts, from a fixed seed.
inline Matrix randomMatrix(Eigen::Index iRows, Eigen::Index iColumns, unsigned uiSeed) {
    std::mt19937 generator(uiSeed);
    std::normal_distribution<double> normal;
    Matrix m(iRows, iColumns);
    for (Eigen::Index j = 0; j < iColumns; ++j)
        for (Eigen::Index i = 0; i < iRows; ++i) m(i, j) = Complex(normal(generator), normal(generator));
    return m;
}

/// A line written as the calculator shows it, with the error it must end in, or else its value.
struct ClLine_Case {
    const char* acLine;
    int iError;
    Matrix mValue;   ///< compared to rounding when there is no error; an empty one is not compared
};

/// Evaluates each line on its own and checks the error, then the value.
template <std::size_t N>
void checkLines(const ClLine_Case (&aCases)[N]) {
    for (const ClLine_Case& test : aCases) {
        SCOPED_TRACE(test.acLine);
        g_uiError_Number = 0;
        evaluate(test.acLine);
        EXPECT_EQ(g_uiError_Number, test.iError);
        if (test.iError != 0 || test.mValue.size() == 0) continue;
        const Matrix& mValue = ClCalculator::mp_mParser_Output;
        ASSERT_EQ(mValue.rows(), test.mValue.rows());
        ASSERT_EQ(mValue.cols(), test.mValue.cols());
        EXPECT_LE((mValue - test.mValue).norm(), 8 * std::numeric_limits<double>::epsilon() * test.mValue.norm())
            << mValue;
    }
}
