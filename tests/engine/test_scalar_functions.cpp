// nCr (factorial and binomial coefficient), Mod and the complex gamma function.
#include <chrono>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "matrix_cases.h"

namespace {

/// |a - b| within dRelative of |b|.
bool isClose(Complex a, Complex b, double dRelative) { return std::abs(a - b) <= dRelative * std::abs(b); }

}  // namespace

class ClCalculatorScalarFunctions : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// --- gamma -----------------------------------------------------------------------------------

// Positive integers take the exact product: gamma(n + 1) = n!.
TEST_F(ClCalculatorScalarFunctions, GammaOfIntegersIsTheFactorial) {
    double dFactorial = 1.0;
    for (int n = 1; n <= 170; ++n) {
        SCOPED_TRACE(n);
        const Complex z = ClCalculator::gamma(Complex(n, 0.0));
        if (n <= 19) {   // 18! is below 2^53, so every product up to it is exact
            EXPECT_EQ(z, Complex(dFactorial, 0.0));
        } else {
            EXPECT_NEAR(z.real() / dFactorial, 1.0, 1e-13);
            EXPECT_EQ(z.imag(), 0.0);
        }
        dFactorial *= n;
    }
    EXPECT_TRUE(std::isinf(ClCalculator::gamma(Complex(172.0, 0.0)).real()));
}

// Real arguments give real values (the imaginary residue below 1e-7 becomes exactly 0); the poles
// are +infinity, and off the real axis there is none.
TEST_F(ClCalculatorScalarFunctions, GammaValues) {
    const struct {
        Complex z, zGamma;
    } aCASES[] = {
        {Complex(1.0, 1.0), Complex(0.49801566811835604, -0.15494982830181069)},
        {Complex(0.0, 1.0), Complex(-0.15494982830181069, -0.49801566811835604)},
        {Complex(2.5, -3.0), Complex(-0.2181189710811230, -0.07203476340717504)},
        {0.5, std::sqrt(gc_dPI)},
        {-1.5, 4.0 * std::sqrt(gc_dPI) / 3},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.z);
        EXPECT_TRUE(isClose(ClCalculator::gamma(testCase.z), testCase.zGamma, 1e-13)) << ClCalculator::gamma(testCase.z);
    }
    for (double x : {1e-5, 0.1, 0.9, 1.1, 1.5, 2.5, 3.7, 10.3, 20.5, -0.3, -0.5, -3.5, -4.2, -7.9}) {
        SCOPED_TRACE(x);
        const Complex z = ClCalculator::gamma(Complex(x, 0.0));
        EXPECT_EQ(z.imag(), 0.0);
        EXPECT_NEAR(z.real() / std::tgamma(x), 1.0, 1e-13);
    }
    for (double x : {0.0, -1.0, -2.0, -17.0, -1e300}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(ClCalculator::gamma(Complex(x, 0.0)), Complex(std::numeric_limits<double>::infinity(), 0.0));
    }
    EXPECT_TRUE(std::isfinite(ClCalculator::gamma(Complex(-1.0, 0.5)).real()));
}

// Euler's reflection Γ(z) Γ(1 - z) = π / sin(π z) and the recurrence Γ(z + 1) = z Γ(z), on
// seeded random complex points away from the poles.
TEST_F(ClCalculatorScalarFunctions, GammaIdentities) {
    const unsigned uiSeed = 1206;
    SCOPED_TRACE(uiSeed);
    std::mt19937 generator(uiSeed);
    std::uniform_real_distribution<double> realPart(-5.0, 5.0), imagPart(0.05, 3.0);
    std::bernoulli_distribution negative(0.5);
    for (int i = 0; i < 200; ++i) {
        const Complex z(realPart(generator), negative(generator) ? -imagPart(generator) : imagPart(generator));
        SCOPED_TRACE(z);
        const Complex zReflection = ClCalculator::gamma(z) * ClCalculator::gamma(1.0 - z);
        EXPECT_TRUE(isClose(zReflection, gc_dPI / std::sin(gc_dPI * z), 1e-12)) << zReflection;
        EXPECT_TRUE(isClose(ClCalculator::gamma(z + 1.0), z * ClCalculator::gamma(z), 1e-12));
    }
}

// The downward recurrence stops once the product has overflowed, so a huge argument is quick.
TEST_F(ClCalculatorScalarFunctions, GammaOfHugeArgumentsIsQuick) {
    const auto start = std::chrono::steady_clock::now();
    for (const Complex z : {Complex(1e300, 0.0), Complex(1e15, 0.0), Complex(1e15 + 0.5, 0.0), Complex(1e12, 1.0),
                            Complex(-1e15 - 0.5, 0.0), Complex(std::numeric_limits<double>::infinity(), 0.0)}) {
        SCOPED_TRACE(z);
        const Complex zGamma = ClCalculator::gamma(z);
        EXPECT_FALSE(std::isfinite(zGamma.real()) && std::isfinite(zGamma.imag()) && std::abs(zGamma) > 0.0);
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

// --- nCr and Mod ------------------------------------------------------------------------------

// Lines whose output is pinned by tests/batch/functions_elementwise are left to it.
TEST_F(ClCalculatorScalarFunctions, ValuesAndErrors) {
    checkLines({
        // nCr(n): the factorial, gamma(n + 1).
        {"nCr(0)", eE_NONE, mat({{1}})},
        {"nCr([0, 1, 2, 3; 4, 5, 6, 7])", eE_NONE, mat({{1, 1, 2, 6}, {24, 120, 720, 5040}})},
        {"nCr(20)", eE_NONE, mat({{2432902008176640000.0}})},
        {"nCr(5) + 1", eE_NONE, mat({{121}})},
        {"nCr(171)", eE_INVALID_NUMBERS},     // beyond the double range
        {"nCr(1E300)", eE_INVALID_NUMBERS},   // and quickly so
        // nCr(n, r): the binomial coefficient.
        {"nCr(5, 5)", eE_NONE, mat({{1}})},
        {"nCr(5, 1)", eE_NONE, mat({{5}})},
        {"nCr(1, 1)", eE_NONE, mat({{1}})},
        {"nCr(52, 5)", eE_NONE, mat({{2598960}})},
        {"nCr(67, 33)", eE_NONE, mat({{14226520737620288370.0}})},   // just below 2^64
        {"nCr(5E15, 1)", eE_NONE, mat({{5e15}})},
        {"nCr(1E300, 1)", eE_NONE, mat({{1e300}})},
        {"nCr(5, [2, 3])", eE_NONE, mat({{10}})},              // r is the first entry
        {"nCr(2000, 1000)", eE_INVALID_NUMBERS},                         // beyond the double range: infinite
        {"nCr(1E300, 2)", eE_INVALID_NUMBERS},
        {"nCr(1E15, 5E14)", eE_INVALID_NUMBERS},                         // and quickly so
        {"nCr(5, 1.5)", eE_INCORRECT_SCALAR_EXPRESSION},
        {"nCr(5, i)", eE_INCORRECT_SCALAR_EXPRESSION},
        {"nCr(5,  - 1)", eE_INCORRECT_SCALAR_EXPRESSION},
        {"nCr(0, 1)", eE_SCALAR_OUT_OF_RANGE},
        {"nCr( - 3, 1)", eE_SCALAR_OUT_OF_RANGE},
        {"nCr(5 + i, 1)", eE_SCALAR_OUT_OF_RANGE},
        {"nCr([5, 6], 1)", eE_SCALAR_OUT_OF_RANGE},
        {"nCr(5; 1)", eE_SCALAR_OUT_OF_RANGE},          // no comma
        {"nCr 5", eE_MISSING_PARENTHESES},               // no "("
        {"nCr(5, 2, 3)", eE_MISSING_PARENTHESES},        // no ")" after r
        {"nCr(2.5, 1 / 0)", eE_SCALAR_OUT_OF_RANGE},    // the first error wins: n is checked before r is read
        {"nCr(1 / 0, 1)", eE_INVALID_NUMBERS},
        {"nCr(5, B)", eE_EMPTY_MATRIX},
        {"nCr(5, 0) + [1, 2] * [1, 2]", eE_INCORRECT_SCALAR_EXPRESSION},
        // Mod(M, n): residues in [0, n), exact beyond the 32-bit range.
        {"Mod( - 7, 3)", eE_NONE, mat({{2}})},
        {"Mod(7, 1)", eE_NONE, mat({{0}})},
        {"Mod([1, 2; 3, 4], 2)", eE_NONE, mat({{1, 0}, {1, 0}})},
        {"Mod(7, 3 + i)", eE_NONE, mat({{1}})},   // the divisor's imaginary part is not examined
        {"Mod(7, 2 + 0.5i)", eE_NONE, mat({{1}})},
        {"Mod( - 2147483648, 10)", eE_NONE, mat({{2}})},
        {"Mod(2147483648, 10)", eE_NONE, mat({{8}})},
        {"Mod(1E15 + 1, 7)", eE_NONE, mat({{0}})},
        {"Mod( - 1E18, 7)", eE_NONE, mat({{6}})},
        {"Mod(1E300, 2)", eE_NONE, mat({{0}})},
        {"Mod(5, 9007199254740992)", eE_NONE, mat({{5}})},   // 2^53
        {"Mod( - 5, 9007199254740992)", eE_NONE, mat({{9007199254740987.0}})},
        {"Mod(7,  - 3)", eE_BAD_INTEGER_VALUES},
        {"Mod(7, [1, 2])", eE_BAD_INTEGER_VALUES},
        {"Mod(7 + i, 2)", eE_BAD_INTEGER_VALUES},
        {"Mod([1, 2.5], 2)", eE_BAD_INTEGER_VALUES},
        {"Mod(7)", eE_EXPRESSION},              // no comma
        {"Mod 7", eE_MISSING_PARENTHESES},               // no "("
        {"Mod(7, 2, 3)", eE_MISSING_PARENTHESES},        // no ")" after n
        {"Mod(1.5)", eE_BAD_INTEGER_VALUES},           // the first error wins: M is checked before the comma
        {"Mod(1.5, 1 / 0)", eE_BAD_INTEGER_VALUES},    // and before n is read
        {"Mod(7, 0) + [1, 2] * [1, 2]", eE_BAD_INTEGER_VALUES},
        {"Mod(1 / 0, 2)", eE_INVALID_NUMBERS},
    }, true, 4e-14);
    // A pole is +infinity; a coefficient that fits in 64 bits is exact; multiples of n give +0.
    g_bZero_Out = false;
    evaluate("nCr( - 1)");
    EXPECT_EQ(ClCalculator::mp_mParser_Output(0, 0), Complex(std::numeric_limits<double>::infinity(), 0.0));
    EXPECT_EQ(valueOf("nCr(62, 31)")(0, 0).real(), 465428353255261088.0);
    const Matrix mMod = valueOf("Mod([ - 6, 6], 3)");
    EXPECT_FALSE(std::signbit(mMod(0, 0).real()));
    EXPECT_FALSE(std::signbit(mMod(0, 0).imag()));
}
