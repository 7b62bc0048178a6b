// SPDX-License-Identifier: GPL-3.0-or-later
// The element-wise prefix functions, the random matrices and the operand chain that applies them.
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "matrix_cases.h"

class ClCalculatorElementwise : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static Matrix apply(eTOKEN eFunction, const Matrix& m) { return ClCalculator::elementFunction(eFunction, m); }
};

// Every function against its stated formula, computed here independently.
TEST_F(ClCalculatorElementwise, FormulasOnSamplePoints) {
    const std::pair<eTOKEN, Complex (*)(Complex)> aCASES[] = {
        {eT_EXP, [](Complex z) { return std::exp(z); }},     {eT_CIS, [](Complex z) { return std::exp(gc_zI * z); }},
        {eT_LN, [](Complex z) { return std::log(z); }},      {eT_LOG, [](Complex z) { return std::log10(z); }},
        {eT_COS, [](Complex z) { return std::cos(z); }},     {eT_ACOS, [](Complex z) { return std::acos(z); }},
        {eT_SIN, [](Complex z) { return std::sin(z); }},     {eT_ASIN, [](Complex z) { return std::asin(z); }},
        {eT_TAN, [](Complex z) { return std::tan(z); }},     {eT_ATAN, [](Complex z) { return std::atan(z); }},
        {eT_COSH, [](Complex z) { return std::cosh(z); }},   {eT_SINH, [](Complex z) { return std::sinh(z); }},
        {eT_ASINH, [](Complex z) { return std::asinh(z); }}, {eT_TANH, [](Complex z) { return std::tanh(z); }},
        {eT_ATANH, [](Complex z) { return std::atanh(z); }}, {eT_CONJ, [](Complex z) { return std::conj(z); }},
        {eT_REAL_PART, [](Complex z) { return Complex(z.real(), 0.0); }},
        {eT_IMAG_PART, [](Complex z) { return Complex(z.imag(), 0.0); }},
        {eT_SQRT, [](Complex z) { return std::sqrt(z); }},   {eT_MINUS, [](Complex z) { return -z; }},
    };
    // Points off every branch cut, in all four quadrants, small and moderate.
    const Matrix mPoints = mat({{Complex(0.3, 0.2), Complex(-0.7, 0.4), Complex(-0.2, -0.9), Complex(0.8, -0.3)},
                                {Complex(1.7, 0.6), Complex(-2.5, 1.1), Complex(-1.3, -2.2), Complex(2.1, -1.4)}});
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[testCase.first]);
        expectClose(apply(testCase.first, mPoints), mPoints.unaryExpr(testCase.second), 1e-13);
        EXPECT_EQ(g_uiError_Number, eE_NONE);
    }
    // aCosh as written, Ln(z + sqrt(z z - 1)), is the principal value only for a positive real
    // part; for a negative one it is the other inverse, its negative (cosh of both is z).
    const Matrix mAcosh = apply(eT_ACOSH, mPoints);
    for (Eigen::Index i = 0; i < mPoints.size(); ++i) {
        const Complex z = mPoints.data()[i], zPrincipal = std::acosh(z);
        const Complex zExpected = z.real() > 0.0 ? zPrincipal : -zPrincipal;
        EXPECT_LE(std::abs(mAcosh.data()[i] - zExpected), 1e-13 * std::abs(zPrincipal)) << z;
    }
}

// RndU visits the entries row by row and draws only for the non-zero parts, real part first;
// the next line continues the sequence. RndN draws twice for every entry, even a zero one, and
// keeps the zero parts.
TEST_F(ClCalculatorElementwise, RandomDrawsFollowThePattern) {
    std::srand(1);
    double adDraw[8];
    for (double& d : adDraw) d = std::rand() / 2147483647.0;
    resetEngine();   // the never-seeded generator starts again
    EXPECT_EQ(valueOf("RndU ([0, 1; i, 1 + i])"),
              mat({{0, adDraw[0]}, {Complex(0, adDraw[1]), Complex(adDraw[2], adDraw[3])}}));
    EXPECT_EQ(valueOf("RndU 5"), mat({{adDraw[4]}}));
    resetEngine();
    const auto normal = [&](int k, bool bReal, bool bImag) {
        const double r = std::sqrt(-2.0 * std::log(adDraw[2 * k])), dAngle = 6.283185307179586 * adDraw[2 * k + 1];
        return Complex(bReal ? r * std::cos(dAngle) : 0.0, bImag ? r * std::sin(dAngle) : 0.0);
    };
    EXPECT_EQ(valueOf("RndN ([0, 1, 1 + i])"), mat({{0, normal(1, true, false), normal(2, true, true)}}));
}

// An operand past the entry limit is refused before the first function, and a non-finite operand
// comes back unchanged: the chain is not applied. The values of chains, the overflows and where
// the functions clean their operand first: tests/batch/elementwise.
TEST_F(ClCalculatorElementwise, Chain) {
    ClCalculator::mp_mVariable[eT_B] = Matrix::Ones(512, 513);
    EXPECT_FALSE(evaluate("Sin B"));
    EXPECT_EQ(g_uiError_Number, eE_MATRIX_SIZE);
    evaluate("Sin (1 / 0)");
    ASSERT_EQ(ClCalculator::lineValue().size(), 1);
    EXPECT_TRUE(std::isinf(ClCalculator::lineValue()(0, 0).real()));
}
