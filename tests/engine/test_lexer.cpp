// SPDX-License-Identifier: GPL-3.0-or-later
// The lexer at the limits of its arrays; its numbers, element-wise operators, placement errors,
// cut-backs and auto-closing are pinned by tests/batch/lexer.
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

class ClCalculatorLexer : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// A typed line is at most 511 codes, but i after numbers doubles the tokens and auto-closing
// lengthens the line: both must be refused, never written past their arrays.
TEST_F(ClCalculatorLexer, FullStreamAndLineAreRefused) {
    std::string codes;
    for (int i = 0; i < 255; ++i) codes += "2i+";
    codes.resize(gc_iLINE_MAX_TYPED);
    setLine(codes);
    EXPECT_FALSE(ClCalculator::tLexer());
    EXPECT_EQ(g_uiError_Number, eE_KEY_INPUT);
    EXPECT_EQ(lg_uiToken_Stream_Length, gc_iSTREAM_SIZE - 1);
    EXPECT_EQ(lg_aToken_Stream[gc_iSTREAM_SIZE - 1].mp_eToken, eT_NULL);

    setLine(std::string(gc_iLINE_MAX_TYPED, '('));
    EXPECT_FALSE(ClCalculator::tLexer());
    EXPECT_EQ(g_uiError_Number, eE_MISSING_RIGHT_PARENTHESIS);
    EXPECT_EQ(g_Current_State.mp_uiLength, gc_iLINE_MAX_TYPED);
    setLine(std::string(255, '(') + "12");   // 257 codes and 255 closers fill the line exactly
    EXPECT_TRUE(ClCalculator::tLexer());
    EXPECT_EQ(g_Current_State.mp_uiLength, gc_iLINE_SIZE - 1);
    EXPECT_EQ(g_Current_State.mp_acInput[gc_iLINE_SIZE - 1], 0);
}

// A refused line is cut after its last good token, the codes after it cleared; a number too
// large for a double refuses a line it ends.
TEST_F(ClCalculatorLexer, RefusedLinesAreCut) {
    setLine(displayToCodes("A B C"));
    EXPECT_FALSE(ClCalculator::tLexer());
    EXPECT_EQ(g_Current_State.mp_uiLength, 2);
    EXPECT_EQ(g_Current_State.mp_acInput[2], 0);
    setLine(displayToCodes("1E999"));
    EXPECT_FALSE(ClCalculator::tLexer());
}
