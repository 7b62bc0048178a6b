// The element-wise prefix functions, the random matrices and the operand chain that applies them.
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "matrix_cases.h"

namespace {

Matrix scalar(Complex z) { return Matrix::Constant(1, 1, z); }

/// Points off every branch cut, in all four quadrants, small and moderate.
Matrix samplePoints() {
    return mat({{Complex(0.3, 0.2), Complex(-0.7, 0.4), Complex(-0.2, -0.9), Complex(0.8, -0.3)},
                {Complex(1.7, 0.6), Complex(-2.5, 1.1), Complex(-1.3, -2.2), Complex(2.1, -1.4)}});
}

}  // namespace

class ClCalculatorElementwise : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static Matrix apply(eTOKEN eFunction, const Matrix& m) { return ClCalculator::elementFunction(eFunction, m); }
};

// Every function against its stated formula, computed here independently.
TEST_F(ClCalculatorElementwise, FormulasOnSamplePoints) {
    const struct {
        eTOKEN eFunction;
        Complex (*pfExpected)(Complex);
    } aCASES[] = {
        {eT_EXP, [](Complex z) { return std::exp(z); }},
        {eT_CIS, [](Complex z) { return std::exp(Complex(-z.imag(), z.real())); }},
        {eT_LN, [](Complex z) { return std::log(z); }},
        {eT_LOG, [](Complex z) { return std::log10(z); }},
        {eT_COS, [](Complex z) { return std::cos(z); }},
        {eT_ACOS, [](Complex z) { return std::acos(z); }},
        {eT_SIN, [](Complex z) { return std::sin(z); }},
        {eT_ASIN, [](Complex z) { return std::asin(z); }},
        {eT_TAN, [](Complex z) { return std::tan(z); }},
        {eT_ATAN, [](Complex z) { return std::atan(z); }},
        {eT_COSH, [](Complex z) { return std::cosh(z); }},
        {eT_SINH, [](Complex z) { return std::sinh(z); }},
        {eT_ASINH, [](Complex z) { return std::asinh(z); }},
        {eT_TANH, [](Complex z) { return std::tanh(z); }},
        {eT_ATANH, [](Complex z) { return std::atanh(z); }},
        {eT_REAL_PART, [](Complex z) { return Complex(z.real(), 0.0); }},
        {eT_IMAG_PART, [](Complex z) { return Complex(z.imag(), 0.0); }},
        {eT_CONJ, [](Complex z) { return std::conj(z); }},
        {eT_SQRT, [](Complex z) { return std::sqrt(z); }},
        {eT_MINUS, [](Complex z) { return -z; }},
    };
    const Matrix mPoints = samplePoints();
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[testCase.eFunction]);
        const Matrix m = apply(testCase.eFunction, mPoints);
        EXPECT_EQ(g_uiError_Number, eE_NONE);
        expectClose(m, mPoints.unaryExpr(testCase.pfExpected), 1e-13);
    }
    // aCosh as written, Ln(z + sqrt(z z - 1)), is the principal value only for a positive real
    // part; for a negative one it is the other inverse, its negative (cosh of both is z).
    const Matrix mAcosh = apply(eT_ACOSH, mPoints);
    for (Eigen::Index i = 0; i < mPoints.size(); ++i) {
        const Complex z = mPoints.data()[i], zPrincipal = std::acosh(z);
        SCOPED_TRACE(i);
        EXPECT_LE(std::abs(mAcosh.data()[i] - (z.real() > 0.0 ? zPrincipal : -zPrincipal)), 1e-13 * std::abs(zPrincipal));
    }
}

// The edge values of the functions, through whole lines (those pinned by
// tests/batch/functions_elementwise are left to it).
TEST_F(ClCalculatorElementwise, EdgeValues) {
    const struct {
        const char* acLine;
        Complex zValue;
        double dTolerance;   // 0: exactly
    } aCASES[] = {
        {"Round (2.4999)", 2.0, 0},
        {"Round ( - 0.5)", -1.0, 0},
        {"Trunc ( - 2.5)", -3.0, 0},
        {"Trunc (2.9 - 1.1i)", Complex(2.0, -2.0), 0},
        {"aCos (0)", gc_dPI / 2, 1e-15},
        {"Log (100)", 1.9999999999999998, 0},
        {"Log (1000)", 3.0, 1e-15},
        {"Sqrt (2i)", Complex(1.0, 1.0), 1e-15},
        {"Exp (Pi i)", -1.0, 1e-15},
        {"Cis (Pi / 2)", Complex(0.0, 1.0), 1e-15},
        {"Cis (i)", std::exp(-1.0), 1e-15},
        {"Cosh (0)", 1.0, 0},
        {"Sinh (1)", std::sinh(1.0), 1e-15},
        {"Tanh (1)", std::tanh(1.0), 1e-15},
        {"aCosh (1)", 0.0, 0},
        {"aCosh (2)", Complex(1.3169578969248166, 0.0), 1e-15},
        {"aCosh ( - 2)", Complex(-1.3169578969248166, gc_dPI), 1e-15},   // as written: not principal
        {"aSinh (0)", 0.0, 0},
        {"Real (3 - 4i)", 3.0, 0},
        {"Imag (3 - 4i)", -4.0, 0},
        {"Conj (3 - 4i)", Complex(3.0, 4.0), 0},
        {"Sin Ln 1", 0.0, 0},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        const Matrix m = rawValueOf(testCase.acLine);
        ASSERT_EQ(m.size(), 1);
        if (testCase.dTolerance == 0) {
            EXPECT_EQ(m(0, 0).real(), testCase.zValue.real());
            EXPECT_EQ(m(0, 0).imag(), testCase.zValue.imag());
        } else {
            EXPECT_LE(std::abs(m(0, 0) - testCase.zValue), testCase.dTolerance * std::max(1.0, std::abs(testCase.zValue)));
        }
    }
}

// Identities the formulas must keep on every sample point.
TEST_F(ClCalculatorElementwise, Identities) {
    const Matrix z = samplePoints();
    const Matrix mOnes = Matrix::Ones(z.rows(), z.cols());
    const Matrix s = apply(eT_SIN, z), c = apply(eT_COS, z);
    expectClose(s.cwiseProduct(s) + c.cwiseProduct(c), mOnes, 1e-13);
    const Matrix sh = apply(eT_SINH, z), ch = apply(eT_COSH, z);
    expectClose(ch.cwiseProduct(ch) - sh.cwiseProduct(sh), mOnes, 1e-13);
    expectClose(apply(eT_TANH, z), sh.cwiseQuotient(ch), 1e-13);
    expectClose(apply(eT_CIS, z), c + gc_zI * s, 1e-15);
    expectClose(apply(eT_EXP, apply(eT_LN, z)), z, 1e-14);
    expectClose(apply(eT_SIN, apply(eT_ASIN, z)), z, 1e-13);
    expectClose(apply(eT_COS, apply(eT_ACOS, z)), z, 1e-13);
    expectClose(apply(eT_TAN, apply(eT_ATAN, z)), z, 1e-13);
    expectClose(apply(eT_TANH, apply(eT_ATANH, z)), z, 1e-13);
    expectClose(apply(eT_SINH, apply(eT_ASINH, z)), z, 1e-13);
    expectClose(apply(eT_COSH, apply(eT_ACOSH, z)), z, 1e-13);
    const Matrix r = apply(eT_SQRT, z);
    expectClose(r.cwiseProduct(r), z, 1e-15);
    EXPECT_TRUE((apply(eT_SQRT, z).real().array() >= 0.0).all());   // principal roots
}

// Clean-up first where the table says so, and only there.
TEST_F(ClCalculatorElementwise, CleanUpFirst) {
    const Matrix m = mat({{1.0, Complex(-1e-17, 0.0)}});   // the second entry is negligible
    EXPECT_EQ(apply(eT_SQRT, m)(0, 1), Complex(0.0, 0.0));
    EXPECT_EQ(apply(eT_REAL_PART, m)(0, 1), Complex(0.0, 0.0));
    EXPECT_EQ(apply(eT_TRUNC, m)(0, 1), Complex(-1.0, 0.0));   // not cleaned
    EXPECT_EQ(apply(eT_MINUS, m)(0, 1), Complex(1e-17, -0.0));
    EXPECT_EQ(apply(eT_CONJ, m)(0, 1), Complex(-1e-17, -0.0));
    // A negative zero imaginary part is cleaned to +0, so that Ln stays on the upper branch.
    const Matrix mLn = apply(eT_LN, scalar(Complex(-1.0, -0.0)));
    EXPECT_EQ(mLn(0, 0).imag(), gc_dPI);
    // The operand itself is not changed.
    EXPECT_EQ(m(0, 1), Complex(-1e-17, 0.0));
    // The cleaning is independent of the Zero Out setting.
    g_bZero_Out = false;
    EXPECT_EQ(apply(eT_SQRT, m)(0, 1), Complex(0.0, 0.0));
}

// Computed from the two exponentials: overflow gives infinities and not-a-number, which only
// the driver reports.
TEST_F(ClCalculatorElementwise, HyperbolicOverflow) {
    const Matrix mBig = scalar(1000.0);
    EXPECT_TRUE(std::isinf(apply(eT_COSH, mBig)(0, 0).real()));
    EXPECT_TRUE(std::isinf(apply(eT_SINH, mBig)(0, 0).real()));
    EXPECT_TRUE(std::isnan(apply(eT_TANH, mBig)(0, 0).real()));
    EXPECT_EQ(g_uiError_Number, eE_NONE);
    // Cosh and Tanh 1000: the batch files.
    checkLines({{"Ln 0", eE_INVALID_NUMBERS}, {"aTanh 1", eE_INVALID_NUMBERS}});
    EXPECT_NEAR(valueOf("Tanh 20")(0, 0).real(), 1.0, 1e-15);
}

// --- Random matrices -------------------------------------------------------------------------

// RndU visits the entries row by row and draws only for the non-zero parts, real part first.
TEST_F(ClCalculatorElementwise, UniformRandomFollowsThePattern) {
    std::srand(1);
    double adDraw[8];
    for (double& d : adDraw) d = std::rand() / 2147483647.0;
    resetEngine();   // the never-seeded generator starts again
    const Matrix m = valueOf("RndU ([0, 1; i, 1 + i])");
    EXPECT_EQ(m(0, 0), Complex(0.0, 0.0));
    EXPECT_EQ(m(0, 1), Complex(adDraw[0], 0.0));
    EXPECT_EQ(m(1, 0), Complex(0.0, adDraw[1]));
    EXPECT_EQ(m(1, 1), Complex(adDraw[2], adDraw[3]));
    // The next line continues the same sequence.
    EXPECT_EQ(valueOf("RndU 5")(0, 0), Complex(adDraw[4], 0.0));
}

// RndN draws twice for every entry, even a zero one, and keeps the zero parts.
TEST_F(ClCalculatorElementwise, NormalRandomIsBoxMuller) {
    std::srand(1);
    double adDraw[6];
    for (double& d : adDraw) d = std::rand() / 2147483647.0;
    resetEngine();
    const Matrix m = valueOf("RndN ([0, 1, 1 + i])");
    const auto expected = [&](int k, bool bReal) {
        const double r = std::sqrt(-2.0 * std::log(adDraw[2 * k]));
        const double dAngle = 6.283185307179586 * adDraw[2 * k + 1];
        return bReal ? r * std::cos(dAngle) : r * std::sin(dAngle);
    };
    EXPECT_EQ(m(0, 0), Complex(0.0, 0.0));
    EXPECT_EQ(m(0, 1), Complex(expected(1, true), 0.0));
    EXPECT_EQ(m(0, 2), Complex(expected(2, true), expected(2, false)));
}

// 2000 uniform draws: the standard error of the mean is 0.0065. 10000 normal draws: 0.01 for the
// mean and about 0.014 for the variance.
TEST_F(ClCalculatorElementwise, RandomMoments) {
    const Matrix mUniform = apply(eT_RNDU, Matrix::Constant(40, 50, Complex(1.0, -3.0)));
    for (const Matrix& mPart : {Matrix(mUniform.real().cast<Complex>()), Matrix(mUniform.imag().cast<Complex>())}) {
        EXPECT_GE(mPart.real().minCoeff(), 0.0);
        EXPECT_LE(mPart.real().maxCoeff(), 1.0);
    }
    EXPECT_NEAR(mUniform.real().mean(), 0.5, 0.03);
    const Matrix m = apply(eT_RNDN, Matrix::Constant(100, 100, Complex(1.0, 1.0)));
    const double dMean = m.real().mean();
    EXPECT_NEAR(dMean, 0.0, 0.05);
    EXPECT_NEAR((m.real().array() - dMean).square().mean(), 1.0, 0.06);
    EXPECT_NEAR(m.imag().mean(), 0.0, 0.05);
}

// --- The operand chain -------------------------------------------------------------------------

// "Sin Ln A", " - Exp 0", "Sin C" and "Sin (1 / 0)" are pinned by the batch files.
TEST_F(ClCalculatorElementwise, Chain) {
    const Matrix a = mat({{1, 2}, {3, 4}});
    ClCalculator::mp_mVariable[eT_A] = Matrix::Ones(512, 512);
    ClCalculator::mp_mVariable[eT_B] = Matrix::Ones(512, 513);
    ClCalculator::mp_mVariable[eT_C] = a;
    checkLines({
        // Sin of a real entry has a zero imaginary part, which Ln's clean-up makes +0.
        {"Ln Sin C", eE_NONE, a.unaryExpr([](Complex z) { return std::log(Complex(std::sin(z.real()), 0.0)); })},
        {" - Sqrt 4", eE_NONE, scalar(-2.0)},
        {"Sqrt  - 4", eE_NONE, scalar(Complex(0.0, 2.0))},
        {"Exp 1 + 1", eE_NONE, scalar(std::exp(1.0) + 1.0)},   // one operand only
        {"Sin B", eE_MATRIX_SIZE},   // one row past the entry limit: refused before the first function
        {"Exp Ln (1 / 0)", eE_INVALID_NUMBERS},
    }, true);
    // A non-finite operand comes back unchanged: the chain is not applied.
    evaluate("Sin (1 / 0)");
    ASSERT_EQ(ClCalculator::mp_mParser_Output.size(), 1);
    EXPECT_TRUE(std::isinf(ClCalculator::mp_mParser_Output(0, 0).real()));
}
