// SPDX-License-Identifier: GPL-3.0-or-later
// The grammar at its limits and the arguments of the Rpt statement; the values and errors of
// lines are pinned by tests/batch/grammar, those of Diag, Norm, OpNm, QR and the constructors by
// tests/batch/arglists.
#include <string>

#include <gtest/gtest.h>

#include "matrix_cases.h"

class ClCalculatorGrammar : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// The deepest nesting a line allows evaluates, without overflowing the stack: 511 codes nest
// at most 255 parentheses or brackets, and a typed line 120 references.
TEST_F(ClCalculatorGrammar, DeepNesting) {
    const std::string aacLINES[] = {std::string(255, '(') + "7" + std::string(255, ')'),
                                    std::string(255, '[') + "7" + std::string(255, ']'), std::string(255, '(') + "7"};
    for (const std::string& line : aacLINES) {
        SCOPED_TRACE(line);
        setLine(line);
        ASSERT_TRUE(ClCalculator::tLexer() && ClCalculator::tParser());
        EXPECT_EQ(ClCalculator::lineValue(), mat({{7}}));
    }
    std::string references = "u = [1";
    for (int i = 0; i < 120; ++i) references.insert(4, "u(");
    evaluate("u = [1, 2]");
    EXPECT_EQ(valueOf(references), mat({{1}}));
    // Every "[" below is a one-element grid (its "]" comes after the ")"), and a grid reads its
    // elements twice: 200 levels once meant 2^200 readings.
    setLine("(" + std::string(200, '[') + "1)");
    ASSERT_TRUE(ClCalculator::tLexer() && ClCalculator::tParser());
    EXPECT_EQ(ClCalculator::lineValue(), mat({{1}}));
}

// Rpt after a number of stored history lines: the recorded fields, the condition and the value
// (its errors: tests/batch/rpt_arguments).
TEST_F(ClCalculatorGrammar, RepeatArguments) {
    const struct {
        const char* acLine;
        unsigned short uiHistory, uiTimes;
        short iFrom, iTo;
        bool bRepeat;
        double dValue;
    } aCASES[] = {
        {"Rpt(2)", 5, 2, 4, 1, true, 1},                {"Rpt(2.7)", 5, 2, 4, 1, true, 1},
        {"Rpt(1)", 0, 1, -1, 1, true, 1},               {"Rpt(0, 3)", 5, 0, 3, 1, true, 1},
        {"Rpt(1,  - 1.5)", 5, 1, -2, -2, true, 1},      {"Rpt(1, 3,  - 1)", 5, 1, 3, -1, true, 1},
        {"Rpt(1,  - 2,  - 3)", 5, 1, -2, -3, true, 1},  {"Rpt(2, 3, 2,  - 1)", 4, 2, 3, 2, false, -1},
        {"Rpt(1, 1, 1, 0)", 2, 1, 1, 1, true, 0},       {"Rpt(1, 1, 1, 0, 1)", 2, 1, 1, 1, false, 0},
        {"Rpt(1, 1, 1, 0.5, 1)", 2, 1, 1, 1, true, 0.5}, {"Rpt(1); ", 5, 1, 4, 1, true, 1},
        {"Rpt(65537)", 5, 1, 4, 1, true, 1},            // the count keeps its low 16 bits
        {"Rpt(1E300,  - 1E300)", 5, 0, 0, 0, true, 1},   // multiples of 65536: no out-of-range conversion
    };
    for (const auto& test : aCASES) {
        SCOPED_TRACE(test.acLine);
        g_uiError_Number = eE_NONE;
        g_bFailTest = false;
        g_uiHistory_Next = test.uiHistory;
        EXPECT_TRUE(evaluate(test.acLine));
        EXPECT_TRUE(g_bRepeat == test.bRepeat && g_bFailTest == !test.bRepeat);
        EXPECT_EQ(ClCalculator::lineValue(), mat({{test.dValue}}));
        EXPECT_EQ(g_Current_State.mp_uiRepeat_Times, test.uiTimes);
        EXPECT_TRUE(g_Current_State.mp_iRepeat_From == test.iFrom && g_Current_State.mp_iRepeat_To == test.iTo);
    }
}

