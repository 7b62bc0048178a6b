// The lexer: numbers, element-wise operators, placement errors, cut-backs and auto-closing.
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

class ClCalculatorLexer : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// The stream as display texts joined by "|", literals by their values.
    static std::string streamText() {
        std::string text;
        for (unsigned short ui = 0; ui < lg_uiToken_Stream_Length; ++ui) {
            const ClToken& token = lg_aToken_Stream[ui];
            char acValue[40];
            const char* acFormat = token.mp_eToken == eT_IMAG_NUMBER ? "%.17gi" : "%.17g";
            std::snprintf(acValue, sizeof acValue, acFormat, token.mp_dValue);
            const bool bNumber = token.mp_eToken == eT_REAL_NUMBER || token.mp_eToken == eT_IMAG_NUMBER;
            text += (ui > 0 ? "|" : "") + std::string(bNumber ? acValue : gc_aacTOKEN_NAME[token.mp_eToken]);
        }
        return text;
    }
};

// A line, its error, its stream and the line after lexing, with the line's tail cleared and the
// cursor at its end (lines whose echo and error are pinned by tests/batch/spine are left to it).
TEST_F(ClCalculatorLexer, Lines) {
    const struct {
        const char* acLine;   // as displayed
        eERROR eError;
        const char *acStream, *acAfter;
    } aCASES[] = {
        {"", eE_NONE, "", ""},                                   {"2i", eE_NONE, "2| * |1i", "2i"},
        {"Pi i", eE_NONE, "3.1415926535897931| * |1i", "Pii"},   {"A i", eE_NONE, "A|1i", "Ai"},
        {"i2 + 1", eE_MISPLACED_VALUE, "1i", "i2 + 1"},          {"i2", eE_NONE, "1i|2", "i2"},
        {"2. / 3", eE_NONE, "2| ./ |3", "2. / 3"},               {"2. * 3", eE_NONE, "2| .* |3", "2. * 3"},
        {"A. \\ B", eE_NONE, "A| .\\ |B", "A. \\ B"},            {"1.2.3", eE_NONE, "1.2", "1.2.3"},
        {"5E - 3", eE_NONE, "0.0050000000000000001", "5E - 3"},  {"5E + 3", eE_NONE, "5000", "5E + 3"},
        {"1E", eE_NUMBER_INPUT, "", "1E"},                       {"1E + ", eE_NUMBER_INPUT, "", "1E + "},
        {"E5", eE_NUMBER_INPUT, "", "E5"},                       {".", eE_NUMBER_INPUT, "", "."},
        {"[(1E", eE_NUMBER_INPUT, "[|(|]|)", "[(1E])"},          {"A B", eE_MISPLACED_VALUE, "A", "AB"},
        {"A B C", eE_MISPLACED_VALUE, "A", "AB"},                {"2 A", eE_MISPLACED_VALUE, "2", "2A"},
        {"A 2", eE_NONE, "A|2", "A2"},                           {"[1, 2", eE_NONE, "[|1|, |2|]", "[1, 2]"},
        {"[(1", eE_NONE, "[|(|1|]|)", "[(1])"},                  {"((A", eE_NONE, "(|(|A|)|)", "((A))"},
        {"Det )", eE_MISPLACED_RIGHT_PARENTHESIS, "Det ", "Det )"},
        {" = )", eE_MISPLACED_RIGHT_PARENTHESIS, " = ", " = )"}, {"1)", eE_MISSING_PARENTHESES, "1", "1)"},
        {"[1)", eE_MISSING_PARENTHESES, "[|1", "[1)"},           {" - 1", eE_NONE, " - |1", " - 1"},
        {"( * 2", eE_MISPLACED_BINARY_OPERATOR, "(", "( * 2"},   {"[ * 2", eE_NONE, "[| * |2|]", "[ * 2]"},
        {"Sin  ^ 2", eE_MISPLACED_BINARY_OPERATOR, "Sin ", "Sin  ^ 2"},
        {"A Sin B", eE_MISPLACED_OPERATOR, "A", "ASin B"},       {") Sin ", eE_MISSING_RIGHT_PARENTHESIS, "", ")Sin "},
        {"Ans Ans", eE_NONE, "Ans|Ans", "AnsAns"},               {"Ans 2", eE_NONE, "Ans|2", "Ans2"},
        {"Pi Pi", eE_MISPLACED_VALUE, "3.1415926535897931", "PiPi"}, {" * 2", eE_MISPLACED_BINARY_OPERATOR, "", " * 2"},
        {"1 <-", eE_KEY_INPUT, "1", "1<-"},                      {"Clear", eE_KEY_INPUT, "", "Clear"},
        {"Null1", eE_NONE, "1", "Null1"},                        {"1E999", eE_NUMBER_INPUT, "", "1E999"},   // no double
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        setLine(displayToCodes(testCase.acLine));
        EXPECT_EQ(ClCalculator::tLexer(), testCase.eError == eE_NONE);
        EXPECT_EQ(g_uiError_Number, testCase.eError);
        EXPECT_EQ(streamText(), testCase.acStream);
        char acAfter[8192];
        g_Current_State.inputToChar(acAfter, 0, g_Current_State.mp_uiLength);
        EXPECT_STREQ(acAfter, testCase.acAfter);
        EXPECT_EQ(g_Current_State.mp_uiCursor, g_Current_State.mp_uiLength);
        EXPECT_EQ(lg_aToken_Stream[lg_uiToken_Stream_Length].mp_eToken, eT_NULL);
        for (int i = g_Current_State.mp_uiLength; i < gc_iLINE_SIZE; ++i)
            ASSERT_EQ(g_Current_State.mp_acInput[i], 0) << i;
    }
}

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
