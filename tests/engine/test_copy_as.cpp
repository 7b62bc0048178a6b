// SPDX-License-Identifier: GPL-3.0-or-later
// The copy forms of a result: every form on every kind of matrix, and NumPy reading its form
// back to the very same doubles.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "copy_as.h"
#include "matrix_cases.h"

constexpr double gc_dINF = std::numeric_limits<double>::infinity();
constexpr double gc_dNAN = std::numeric_limits<double>::quiet_NaN();

TEST(ClCopyAs, EveryFormOfEveryKindOfMatrix) {
    const struct {
        const char* acCase;
        Matrix m;
        const char* aacText[eCF_COUNT];   ///< text, Octave, NumPy, LaTeX
    } aCASES[] = {
        {"real", mat({{1, 2}, {3, 4}}),
         {"1\t2\n3\t4", "[1, 2; 3, 4]", "np.array([[1, 2], [3, 4]])",
          "\\begin{bmatrix} 1 & 2 \\\\ 3 & 4 \\end{bmatrix}"}},
        {"complex", mat({{Complex(1, 2), 0.1}}),
         {"1+2i\t0.10000000000000001", "[1+2i, 0.10000000000000001]", "np.array([[1+2j, 0.10000000000000001]])",
          "\\begin{bmatrix} 1 + 2i & 0.10000000000000001 \\end{bmatrix}"}},
        {"negative imaginary", mat({{Complex(1, -2)}, {Complex(-0.5, -1e-20)}}),
         {"1-2i\n-0.5-9.9999999999999995e-21i", "[1-2i; -0.5-9.9999999999999995e-21i]",
          "np.array([[1-2j], [-0.5-9.9999999999999995e-21j]])",
          "\\begin{bmatrix} 1 - 2i \\\\ -0.5 - 9.9999999999999995 \\times 10^{-21}i \\end{bmatrix}"}},
        {"1 x 1", mat({{Complex(3e300, -0.25)}}), {"3.0000000000000002e+300-0.25i", "3.0000000000000002e+300-0.25i",
          "3.0000000000000002e+300-0.25j", "3.0000000000000002 \\times 10^{300} - 0.25i"}},
        {"non-finite", mat({{gc_dINF, -gc_dINF, gc_dNAN, Complex(1, -gc_dINF)}}),
         {"Inf\t-Inf\tNaN\t1-Inf i", "[Inf, -Inf, NaN, complex(1, -Inf)]",
          "np.array([[np.inf, -np.inf, np.nan, complex(1, -np.inf)]])",
          "\\begin{bmatrix} \\infty & -\\infty & \\mathrm{NaN} & 1 - \\infty i \\end{bmatrix}"}},
        {"empty", Matrix(), {"", "", "", ""}},
    };
    for (const auto& row : aCASES)
        for (int iForm = 0; iForm < eCF_COUNT; ++iForm) {
            SCOPED_TRACE(std::string(row.acCase) + " as " + gc_aacCOPY_FORM_NAME[iForm]);
            EXPECT_EQ(copyAs(row.m, static_cast<eCOPY_FORM>(iForm)), row.aacText[iForm]);
        }
}

// Random entries over the whole exponent range, the extremes, non-finite parts and real
// entries among complex ones: NumPy evaluates the text to exactly these doubles.
TEST(ClCopyAs, NumpyReadsBackTheSameDoubles) {
    const char* acPython = nullptr;
    for (const char* acCandidate : {"python3", "/usr/bin/python3"})
        if (std::system((std::string(acCandidate) + " -c 'import numpy' 2>/dev/null").c_str()) == 0) {
            acPython = acCandidate;
            break;
        }
    if (acPython == nullptr) GTEST_SKIP() << "no python3 with numpy";
    Matrix m = randomMatrix(5, 6, 7);
    for (Eigen::Index i = 0; i < m.size(); ++i) m(i) *= std::pow(10.0, static_cast<double>(i * 21 % 601) - 300);
    m.row(0) << 0.1, 5e-324, std::numeric_limits<double>::max(), Complex(gc_dNAN, 2), Complex(1, gc_dINF), -gc_dINF;
    m(1, 0) = 1.0 / 3.0;   // real among complex entries
    const std::string sPath = ::testing::TempDir() + "copy_as_numpy.txt";
    std::ofstream(sPath) << copyAs(m, eCF_NUMPY);
    const std::string sCommand = std::string(acPython) + " -c 'import sys, numpy as np\n"
        "a = np.atleast_2d(np.array(eval(sys.stdin.read(), {\"np\": np}), dtype=complex))\n"
        "print(*a.shape, *(x.hex() for z in a.flatten(\"F\") for x in (z.real, z.imag)))' < " + sPath;
    FILE* pPipe = popen(sCommand.c_str(), "r");
    ASSERT_NE(pPipe, nullptr);
    long lRows = 0, lColumns = 0;
    EXPECT_EQ(std::fscanf(pPipe, "%ld %ld", &lRows, &lColumns), 2);
    EXPECT_TRUE(lRows == m.rows() && lColumns == m.cols());
    const auto same = [](double d, double dRead) { return dRead == d || (std::isnan(dRead) && std::isnan(d)); };
    char acRe[64], acIm[64];
    for (Eigen::Index i = 0; i < m.size(); ++i) {   // column by column, as stored
        ASSERT_EQ(std::fscanf(pPipe, "%63s %63s", acRe, acIm), 2);
        EXPECT_TRUE(same(m(i).real(), std::strtod(acRe, nullptr)) && same(m(i).imag(), std::strtod(acIm, nullptr)))
            << "entry " << i << ": " << m(i) << " read " << acRe << " " << acIm;
    }
    EXPECT_EQ(pclose(pPipe), 0);
}
