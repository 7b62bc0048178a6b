// Seeded random complex matrices, closeness checks and tables of lines with their expected error
// or value, shared by the engine tests.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <utility>

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

/// A line written as the calculator shows it, with the error it must end in, or else its value.
struct ClLine_Case {
    const char* acLine;
    eERROR eError;
    Matrix mValue;   ///< compared when there is no error; an empty one is not compared
    ClLine_Case(const char* acLine_, eERROR eError_, Matrix mValue_ = Matrix())
        : acLine(acLine_), eError(eError_), mValue(std::move(mValue_)) {}
};

/// Evaluates each line on its own (after the lines of acSetup, if any) and checks the error,
/// then the value; bRaw turns Zero Out off.
inline void checkLines(std::initializer_list<ClLine_Case> cases, bool bRaw = false, double dRelative = 1e-14,
                       std::initializer_list<const char*> setup = {}) {
    for (const ClLine_Case& test : cases) {
        SCOPED_TRACE(test.acLine);
        for (const char* acSetup : setup) evaluate(acSetup);
        g_uiError_Number = eE_NONE;
        g_bZero_Out = !bRaw;
        evaluate(test.acLine);
        g_bZero_Out = true;
        EXPECT_EQ(g_uiError_Number, test.eError);
        if (test.eError == eE_NONE && test.mValue.size() != 0) expectClose(ClCalculator::mp_mParser_Output, test.mValue, dRelative);
    }
}
