// SPDX-License-Identifier: GPL-3.0-or-later
// The complex gamma function behind nCr, and the values of nCr and Mod past the digits a result
// shows (their other lines: tests/batch/scalar_functions).
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "matrix_cases.h"

namespace {

/// |a - b| within dRelative of |b|.
bool isClose(Complex a, Complex b, double dRelative) { return std::abs(a - b) <= dRelative * std::abs(b); }

Complex gamma(Complex z) { return ClCalculator::gamma(z); }

}  // namespace

class ClCalculatorScalarFunctions : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// Positive integers take the exact product, gamma(n + 1) = n!; other real arguments give real
// values (the imaginary residue below 1e-7 becomes exactly 0); the poles are +infinity, and off
// the real axis there is none. The downward recurrence stops once the product has overflowed (a
// huge argument that did not would run past the test's time limit).
TEST_F(ClCalculatorScalarFunctions, GammaValues) {
    for (const Complex z : {Complex(1e300, 0.0), Complex(1e15, 0.0), Complex(1e15 + 0.5, 0.0), Complex(1e12, 1.0),
                            Complex(-1e15 - 0.5, 0.0), Complex(std::numeric_limits<double>::infinity(), 0.0)}) {
        const double dModulus = std::abs(gamma(z));   // infinite, not a number or zero
        EXPECT_FALSE(std::isfinite(dModulus) && dModulus > 0.0) << z;
    }
    double dFactorial = 1.0;
    for (int n = 1; n <= 170; dFactorial *= n++) {
        const Complex z = gamma(Complex(n, 0.0));
        if (n <= 19) {   // 18! is below 2^53, so every product up to it is exact
            EXPECT_EQ(z, Complex(dFactorial, 0.0)) << n;
        } else {
            EXPECT_NEAR(z.real() / dFactorial, 1.0, 1e-13) << n;
            EXPECT_EQ(z.imag(), 0.0) << n;
        }
    }
    EXPECT_TRUE(std::isinf(gamma(Complex(172.0, 0.0)).real()));
    const std::pair<Complex, Complex> aCASES[] = {
        {Complex(1.0, 1.0), Complex(0.49801566811835604, -0.15494982830181069)},
        {Complex(0.0, 1.0), Complex(-0.15494982830181069, -0.49801566811835604)},
        {Complex(2.5, -3.0), Complex(-0.2181189710811230, -0.07203476340717504)},
        {0.5, std::sqrt(gc_dPI)}, {-1.5, 4.0 * std::sqrt(gc_dPI) / 3}};
    for (const auto& testCase : aCASES)
        EXPECT_TRUE(isClose(gamma(testCase.first), testCase.second, 1e-13)) << testCase.first << gamma(testCase.first);
    for (double x : {1e-5, 0.1, 0.9, 1.1, 1.5, 2.5, 3.7, 10.3, 20.5, -0.3, -0.5, -3.5, -4.2, -7.9}) {
        EXPECT_EQ(gamma(Complex(x, 0.0)).imag(), 0.0) << x;
        EXPECT_NEAR(gamma(Complex(x, 0.0)).real() / std::tgamma(x), 1.0, 1e-13) << x;
    }
    for (double x : {0.0, -1.0, -2.0, -17.0, -1e300})
        EXPECT_EQ(gamma(Complex(x, 0.0)), Complex(std::numeric_limits<double>::infinity(), 0.0)) << x;
    EXPECT_TRUE(std::isfinite(gamma(Complex(-1.0, 0.5)).real()));
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
        EXPECT_TRUE(isClose(gamma(z) * gamma(1.0 - z), gc_dPI / std::sin(gc_dPI * z), 1e-12)) << gamma(1.0 - z);
        EXPECT_TRUE(isClose(gamma(z + 1.0), z * gamma(z), 1e-12));
    }
}

// A coefficient that fits in 64 bits is exact, and so is a residue past 2^53.
TEST_F(ClCalculatorScalarFunctions, ExactValues) {
    const std::pair<const char*, double> aCASES[] = {{"nCr(62, 31)", 465428353255261088.0},
                                                     {"nCr(67, 33)", 14226520737620288370.0},   // just below 2^64
                                                     {"Mod( - 5, 9007199254740992)", 9007199254740987.0}};
    for (const auto& testCase : aCASES)
        EXPECT_EQ(rawValueOf(testCase.first), mat({{testCase.second}})) << testCase.first;
}
