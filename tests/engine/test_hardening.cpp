// Regression tests for faults the line fuzzer found: every line must end in a value or an
// error, within the line's own bounds.
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

namespace {

class ClCalculatorHardening : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// Lexes and evaluates a line of raw key codes; returns the error number.
    static unsigned short run(const std::string& codes) {
        setLine(codes);
        if (ClCalculator::tLexer()) ClCalculator::tParser();
        return g_uiError_Number;
    }

    static std::string repeat(const std::string& text, int iTimes) {
        std::string result;
        for (int i = 0; i < iTimes; ++i) result += text;
        return result;
    }
};

TEST_F(ClCalculatorHardening, DeepNestingDoesNotOverflowStack) {
    // 511 codes nest at most 255 levels; each must evaluate.
    const std::string aacLINES[] = {repeat("(", 255) + "7" + repeat(")", 255),
                                    repeat("[", 255) + "7" + repeat("]", 255),
                                    repeat("(", 255) + "7"};
    for (const std::string& line : aacLINES) {
        SCOPED_TRACE(line);
        ASSERT_EQ(run(line), 0);
        EXPECT_EQ(ClCalculator::mp_mParser_Output, mat({{7}}));
    }
}

TEST_F(ClCalculatorHardening, NestedGridsAreNotReadExponentially) {
    // Every "[" below is a one-element grid (its "]" comes after the ")"), and a grid reads its
    // elements twice: 200 levels once meant 2^200 readings.
    ASSERT_EQ(run("(" + repeat("[", 200) + "1)"), 0);
    EXPECT_EQ(ClCalculator::mp_mParser_Output, mat({{1}}));
}

TEST_F(ClCalculatorHardening, FullFactorsPastTheEntryLimitAreRefused) {
    // A 1 x 262144 row once asked SVD for a 262144 x 262144 V and QR for as large a P.
    struct {
        const char* acLine;
        unsigned short uiError;
    } const aCASES[] = {
        {"SVD (Ones(1, 513))", 19},       {"SVD (Ones(513, 1))", 19},    {"QR (Ones(513, 1))", 19},
        {"QR (Ones(1, 513), 1)", 19},     {"QR (Ones(1, 513))", 0},      {"SVD (Ones(512, 2))", 0},
        {"QR (Ones(512, 2), 1)", 0},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        resetEngine();
        evaluate(testCase.acLine);
        EXPECT_EQ(g_uiError_Number, testCase.uiError);
        for (const Matrix& mVariable : ClCalculator::mp_mVariable) EXPECT_LE(mVariable.size(), gc_iMAX_ENTRIES);
    }
}

TEST_F(ClCalculatorHardening, ResultsPastTheEntryLimitAreRefusedBeforeAllocation) {
    // Each of these once asked for a 262144 x 262144 matrix, about a terabyte.
    const char* const aacLINES[] = {
        "Ones(262144, 1) * Ones(1, 262144)",
        "Ones(1, 262144) Solve Ones(1, 262144)",
        "A(Ones(1, 262144), Ones(1, 262144))",
        "A(Ones(1, 262144), Ones(1, 262144)) = 2",
    };
    for (const char* acLine : aacLINES) {
        SCOPED_TRACE(acLine);
        resetEngine();
        ClCalculator::mp_mVariable[eT_A] = mat({{5}});
        evaluate(acLine);
        EXPECT_EQ(g_uiError_Number, 19);
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_A], mat({{5}}));
    }
}

}  // namespace
