// SPDX-License-Identifier: GPL-3.0-or-later
// Clean-up, number text and the text of whole matrices where a line cannot reach them; the texts
// of results in the three formats are pinned by tests/batch/format.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

class ClCalculatorFormat : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static std::string numberText(double v, eVIEW_STATE eFormat) {
        g_eView_State = eFormat;
        char acText[32] = "unchanged";
        ClCalculator::formatNumber(v, acText);
        return acText;
    }
};

constexpr double gc_dINF = std::numeric_limits<double>::infinity();
constexpr double gc_dNAN = std::numeric_limits<double>::quiet_NaN();

// An unknown format writes nothing; a non-finite part is shown alone, without "i".
TEST_F(ClCalculatorFormat, Texts) {
    EXPECT_EQ(numberText(1.0, static_cast<eVIEW_STATE>(7)), "");
    g_bZero_Out = false;
    ClCalculator::matrixDisplay(mat({{Complex(gc_dINF, 1.0), Complex(gc_dNAN, gc_dINF), Complex(1.0, -gc_dINF)}}));
    EXPECT_STREQ(g_acOutput_Line, "INF, INF, -INF");
    ClCalculator::matrixDisplay(Matrix());
    EXPECT_STREQ(g_acOutput_Line, "");
}

// Fractions are always within the relative accuracy, and never overflow their 32-bit parts.
TEST_F(ClCalculatorFormat, RationalsStayAccurateAndBounded) {
    for (double v : {std::sqrt(2.0), 1e-9 * 1.000001, 0.999999999, 123456.789, 1073741823.4, 9.4e-10}) {
        SCOPED_TRACE(v);
        const std::string text = numberText(v, eVS_RATIONAL);
        long lNumerator = 0, lDenominator = 1;
        ASSERT_GE(std::sscanf(text.c_str(), "%ld/%ld", &lNumerator, &lDenominator), 1);
        const double dApproximation = static_cast<double>(lNumerator) / static_cast<double>(lDenominator);
        EXPECT_LE(std::fabs(dApproximation - v), 1e-9 * v + 1e-18) << text;
    }
}

// The decimal and floating-point texts are printf's "%G" and "%15.9E": on random bit patterns,
// on halfway cases of the 6th and 10th digit, across the powers of ten where the forms change.
TEST_F(ClCalculatorFormat, DecimalAndFloatingPointAreThePrintfTexts) {
    std::mt19937_64 generator(1);
    std::vector<double> adValues = {0.0, -0.0, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308};
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t uiBits = generator();
        double v = 0;
        std::memcpy(&v, &uiBits, sizeof v);
        adValues.push_back(v);
    }
    for (int iExponent = -310; iExponent <= 308; ++iExponent)
        for (double dMantissa : {1.0, 1.234565, 9.999995, 9.9999995, 1.0000000005, 4.9999999995})
            adValues.push_back(-dMantissa * std::pow(10.0, iExponent));
    for (double v : adValues) {
        if (!std::isfinite(v)) continue;   // written apart, by "%G" in every format
        char acDecimal[32], acFloat[32];
        std::snprintf(acDecimal, sizeof acDecimal, "%G", v);
        std::snprintf(acFloat, sizeof acFloat, "%15.9E", v);
        ASSERT_EQ(numberText(v, eVS_DECIMAL), acDecimal) << std::hexfloat << v;
        ASSERT_EQ(numberText(v, eVS_FLOAT), acFloat) << std::hexfloat << v;
    }
}

TEST_F(ClCalculatorFormat, LongTextIsCutBeforeTheBufferEnds) {
    g_eView_State = eVS_FLOAT;
    g_bZero_Out = false;
    ClCalculator::matrixDisplay(Matrix::Constant(512, 512, Complex(-1.234567890123e-100, -9.87654321e-200)));
    const std::string text = g_acOutput_Line;
    EXPECT_LT(text.size(), static_cast<std::size_t>(gc_iOUTPUT_LINE_SIZE));
    EXPECT_GT(text.size(), static_cast<std::size_t>(gc_iOUTPUT_LINE_SIZE) - 200);
    EXPECT_EQ(text.compare(0, 37, "-1.234567890E-100 - 9.876543210E-200i"), 0);
    EXPECT_EQ(text.back(), ' ');   // cut after an entry's separator
}

TEST_F(ClCalculatorFormat, CleanUp) {
    const std::pair<Matrix, Matrix> aCASES[] = {
        {mat({{1, 4.77396e-15}}), mat({{1, 4.77396e-15}})},   // tol 2e-16 keeps it
        {mat({{3, Complex(4, 1e-16 * 5.0 * 2.0)}}), mat({{3, 4}})},   // exactly at tol: zeroed
        {mat({{1, 1e-17}}), mat({{1, 0}})},       {mat({{1e200, 1}}), mat({{1e200, 0}})},
        {mat({{Complex(1, 1e-40)}}), mat({{1}})}, {mat({{1e-40}}), mat({{1e-40}})},   // a scalar's tol is relative
        {mat({{0, 0}}), mat({{0, 0}})},           {Matrix(), Matrix()},
        // a non-finite entry is left alone and does not blow up the others' threshold
        {mat({{Complex(gc_dINF, 1e-30), Complex(1, 1e-30)}}), mat({{Complex(gc_dINF, 1e-30), Complex(1, 0)}})},
    };
    for (const auto& testCase : aCASES) {
        Matrix m = testCase.first;
        ClCalculator::cleanMatrix(m);
        EXPECT_TRUE(m.size() == testCase.second.size() && (m.array() == testCase.second.array()).all()) << m;
    }
}

TEST_F(ClCalculatorFormat, Helpers) {
    EXPECT_TRUE(isNumber(Matrix()));
    EXPECT_FALSE(isNumber(mat({{1, Complex(0, gc_dNAN)}})));
    const struct {
        const char* acIn;
        char c;
        const char* acOut;
    } aCASES[] = {{"a b  c ", ' ', "abc"}, {"   ", ' ', ""}, {"", ' ', ""}, {"abc", '\0', "abc"},
                  {"a\xe9" "b", '\xe9', "a\xe9" "b"}};
    for (const auto& testCase : aCASES) {
        char acText[16];
        std::strcpy(acText, testCase.acIn);
        clearChars(acText, testCase.c);
        EXPECT_STREQ(acText, testCase.acOut);
    }
}
