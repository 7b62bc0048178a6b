// Clean-up, number text in the three formats and the text of whole matrices.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

class ClCalculatorFormat : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static std::string numberText(double v, int iFormat) {
        g_eView_State = static_cast<eVIEW_STATE>(iFormat);
        char acText[32];
        ClCalculator::formatNumber(v, acText);
        return acText;
    }

    static std::string display(const Matrix& m, bool bZero_Out) {
        g_bZero_Out = bZero_Out;
        ClCalculator::matrixDisplay(m);
        return g_acOutput_Line;
    }
};

constexpr double gc_dINF = std::numeric_limits<double>::infinity();
constexpr double gc_dNAN = std::numeric_limits<double>::quiet_NaN();

TEST_F(ClCalculatorFormat, NumberTexts) {
    const struct {
        double v;
        int iFormat;
        const char* acText;
    } aCASES[] = {
        // Pi in float and rational form, 1E-12 and 3E9 in rational form: tests/batch.
        {1.0 / 3.0, 0, "0.333333"},        {1e20, 0, "1E+20"},              {4.77396e-15, 0, "4.77396E-15"},
        {M_PI, 0, "3.14159"},              {1.0 / 3.0, 1, "3.333333333E-01"}, {-2.0, 1, "-2.000000000E+00"},
        {0.125, 2, "1/8"},                 {-0.125, 2, "-1/8"},             {2.0, 2, "2"},
        {0.0, 2, "0"},                     {-0.0, 2, "0"},                  {-3e9, 2, "-3E+09"},
        {1.0 / 3.0, 2, "1/3"},             {11.0 / 24.0, 2, "11/24"},       {7.0, 2, "7"},
        {-2.5, 2, "-5/2"},                 {1073741823.0, 2, "1073741823"}, {gc_dINF, 0, "INF"},
        {-gc_dINF, 1, "-INF"},             {gc_dINF, 2, "INF"},             {gc_dNAN, 2, "NAN"},
        {1.0, 7, ""},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acText);
        EXPECT_EQ(numberText(testCase.v, testCase.iFormat), testCase.acText);
    }
}

// Fractions are always within the relative accuracy, and never overflow their 32-bit parts.
TEST_F(ClCalculatorFormat, RationalsStayAccurateAndBounded) {
    for (double v : {std::sqrt(2.0), 1e-9 * 1.000001, 0.999999999, 123456.789, 1073741823.4, 9.4e-10}) {
        SCOPED_TRACE(v);
        const std::string text = numberText(v, 2);
        long lNumerator = 0, lDenominator = 1;
        ASSERT_GE(std::sscanf(text.c_str(), "%ld/%ld", &lNumerator, &lDenominator), 1);
        const double dApproximation = static_cast<double>(lNumerator) / static_cast<double>(lDenominator);
        EXPECT_LE(std::fabs(dApproximation - v), 1e-9 * v + 1e-18) << text;
    }
}

TEST_F(ClCalculatorFormat, MatrixTexts) {
    const Complex i(0.0, 1.0);
    const struct {
        Matrix m;
        bool bZero_Out;
        const char* acText;
    } aCASES[] = {
        {mat({{1, 2}, {3, 4.77396e-15 + 2.0 * i}}), true, "1, 2 ;\n3, 2i"},
        {mat({{1, 2}, {3, 4.77396e-15 + 2.0 * i}}), false, "1, 2 ;\n3, 4.77396E-15 + 2i"},
        {mat({{1, 4.77396e-15}}), true, "1, 0"},
        {mat({{2.0 * i}}), true, "0 + 2i"},
        {mat({{1, 2.0 * i}}), true, "1, 2i"},
        {mat({{1, -i}}), true, "1, -i"},
        {mat({{1, i}}), true, "1, i"},
        {mat({{3.0 - i, 1}}), true, "3 - i, 1"},
        {mat({{3.0 - i, 1}}), false, "3 - 1i, 1"},
        {mat({{3.0 + 2.5 * i, 0}}), true, "3 + 2.5i, 0"},
        {mat({{-2.5 * i, 1}}), true, "-2.5i, 1"},
        {mat({{gc_dINF, 1}}), true, "INF, 1"},
        {mat({{Complex(gc_dINF, 1.0), Complex(gc_dNAN, gc_dINF), Complex(1.0, -gc_dINF)}}), false,
         "INF, INF, -INF"},
        {Matrix(), true, ""},
        {mat({{1}, {2}, {3}}), true, "1 ;\n2 ;\n3"},
        {mat({{1e200, 1}}), true, "1E+200, 0"},   // the norm must not overflow
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acText);
        EXPECT_EQ(display(testCase.m, testCase.bZero_Out), testCase.acText);
    }
}

TEST_F(ClCalculatorFormat, LongTextIsCutBeforeTheBufferEnds) {
    const Matrix m = Matrix::Constant(512, 512, Complex(-1.234567890123e-100, -9.87654321e-200));
    g_eView_State = eVS_FLOAT;
    const std::string text = display(m, false);
    EXPECT_LT(text.size(), static_cast<std::size_t>(gc_iOUTPUT_LINE_SIZE));
    EXPECT_GT(text.size(), static_cast<std::size_t>(gc_iOUTPUT_LINE_SIZE) - 200);
    EXPECT_EQ(text.compare(0, 37, "-1.234567890E-100 - 9.876543210E-200i"), 0);
    EXPECT_EQ(text.back(), ' ');   // cut after an entry's separator
}

TEST_F(ClCalculatorFormat, CleanUp) {
    const struct {
        Matrix m, mClean;
    } aCASES[] = {
        {mat({{1, 4.77396e-15}}), mat({{1, 4.77396e-15}})},   // tol 2e-16 keeps it
        {mat({{1, 1e-17}}), mat({{1, 0}})},
        {mat({{1e200, 1}}), mat({{1e200, 0}})},
        {mat({{Complex(1, 1e-40)}}), mat({{1}})},              // a scalar's tol is relative
        {mat({{1e-40}}), mat({{1e-40}})},
        {mat({{0, 0}}), mat({{0, 0}})},
        // a non-finite entry is left alone and does not blow up the others' threshold
        {mat({{Complex(gc_dINF, 1e-30), Complex(1, 1e-30)}}), mat({{Complex(gc_dINF, 1e-30), Complex(1, 0)}})},
    };
    for (const auto& testCase : aCASES) {
        Matrix m = testCase.m;
        ClCalculator::cleanMatrix(m);
        EXPECT_TRUE((m.array() == testCase.mClean.array()).all()) << m;
    }
    Matrix mEmpty;
    ClCalculator::cleanMatrix(mEmpty);
    EXPECT_EQ(mEmpty.size(), 0);
}

// A part exactly at the threshold is zeroed: the comparison is "at most".
TEST_F(ClCalculatorFormat, CleanUpZeroesAPartEqualToTheThreshold) {
    Matrix m = mat({{3, 4}});
    const double dTolerance = 1e-16 * 5.0 * 2.0;
    m(0, 1) = Complex(4.0, dTolerance);
    ClCalculator::cleanMatrix(m);   // the norm barely moves, so tol is still 1e-15
    EXPECT_EQ(m(0, 1).imag(), 0.0);
}

TEST_F(ClCalculatorFormat, Helpers) {
    EXPECT_TRUE(ismyfinite(1.0));
    EXPECT_FALSE(ismyfinite(gc_dINF));
    EXPECT_FALSE(ismyfinite(-gc_dNAN));
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
