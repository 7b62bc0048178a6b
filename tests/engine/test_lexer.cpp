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
            if (ui > 0) text += "|";
            if (token.mp_eToken == eT_REAL_NUMBER || token.mp_eToken == eT_IMAG_NUMBER) {
                char acValue[40];
                std::snprintf(acValue, sizeof acValue, token.mp_eToken == eT_REAL_NUMBER ? "%.17g" : "%.17gi",
                              token.mp_dValue);
                text += acValue;
            } else {
                text += gc_aacTOKEN_NAME[token.mp_eToken];
            }
        }
        return text;
    }

    static std::string lineText() {
        char acText[8192];
        g_Current_State.inputToChar(acText, 0, g_Current_State.mp_uiLength);
        return acText;
    }
};

// Lines whose echo and error are pinned by tests/batch/spine are left to it.
TEST_F(ClCalculatorLexer, Lines) {
    const struct {
        const char* acLine;     // as displayed
        bool bOk;
        eERROR eError;
        const char* acStream;   // tokens of the stream
        const char* acAfter;    // the line after lexing
    } aCASES[] = {
        {"", true, eE_NONE, "", ""},
        {"2i", true, eE_NONE, "2| * |1i", "2i"},
        {"Pi i", true, eE_NONE, "3.1415926535897931| * |1i", "Pii"},
        {"A i", true, eE_NONE, "A|1i", "Ai"},
        {"i2 + 1", false, eE_MISPLACED_VALUE, "1i", "i2 + 1"},
        {"i2", true, eE_NONE, "1i|2", "i2"},
        {"2. / 3", true, eE_NONE, "2| ./ |3", "2. / 3"},
        {"2. * 3", true, eE_NONE, "2| .* |3", "2. * 3"},
        {"A. \\ B", true, eE_NONE, "A| .\\ |B", "A. \\ B"},
        {"1.2.3", true, eE_NONE, "1.2", "1.2.3"},
        {"5E - 3", true, eE_NONE, "0.0050000000000000001", "5E - 3"},
        {"5E + 3", true, eE_NONE, "5000", "5E + 3"},
        {"1E", false, eE_NUMBER_INPUT, "", "1E"},
        {"1E + ", false, eE_NUMBER_INPUT, "", "1E + "},
        {"E5", false, eE_NUMBER_INPUT, "", "E5"},
        {".", false, eE_NUMBER_INPUT, "", "."},
        {"[(1E", false, eE_NUMBER_INPUT, "[|(|]|)", "[(1E])"},
        {"A B", false, eE_MISPLACED_VALUE, "A", "AB"},
        {"A B C", false, eE_MISPLACED_VALUE, "A", "AB"},
        {"2 A", false, eE_MISPLACED_VALUE, "2", "2A"},
        {"A 2", true, eE_NONE, "A|2", "A2"},
        {"[1, 2", true, eE_NONE, "[|1|, |2|]", "[1, 2]"},
        {"[(1", true, eE_NONE, "[|(|1|]|)", "[(1])"},
        {"((A", true, eE_NONE, "(|(|A|)|)", "((A))"},
        {"Det )", false, eE_MISPLACED_RIGHT_PARENTHESIS, "Det ", "Det )"},
        {" = )", false, eE_MISPLACED_RIGHT_PARENTHESIS, " = ", " = )"},
        {"1)", false, eE_MISSING_PARENTHESES, "1", "1)"},
        {"[1)", false, eE_MISSING_PARENTHESES, "[|1", "[1)"},
        {" - 1", true, eE_NONE, " - |1", " - 1"},
        {"( * 2", false, eE_MISPLACED_BINARY_OPERATOR, "(", "( * 2"},
        {"[ * 2", true, eE_NONE, "[| * |2|]", "[ * 2]"},
        {"Sin  ^ 2", false, eE_MISPLACED_BINARY_OPERATOR, "Sin ", "Sin  ^ 2"},
        {"A Sin B", false, eE_MISPLACED_OPERATOR, "A", "ASin B"},
        {") Sin ", false, eE_MISSING_RIGHT_PARENTHESIS, "", ")Sin "},
        {"Ans Ans", true, eE_NONE, "Ans|Ans", "AnsAns"},
        {"Pi Pi", false, eE_MISPLACED_VALUE, "3.1415926535897931", "PiPi"},
        {"Ans 2", true, eE_NONE, "Ans|2", "Ans2"},
        {"1 <-", false, eE_KEY_INPUT, "1", "1<-"},
        {"Clear", false, eE_KEY_INPUT, "", "Clear"},
        {"Null1", true, eE_NONE, "1", "Null1"},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        setLine(displayToCodes(testCase.acLine));
        EXPECT_EQ(ClCalculator::tLexer(), testCase.bOk);
        EXPECT_EQ(g_uiError_Number, testCase.eError);
        EXPECT_EQ(streamText(), testCase.acStream);
        EXPECT_EQ(lineText(), testCase.acAfter);
        EXPECT_EQ(g_Current_State.mp_uiCursor, g_Current_State.mp_uiLength);
        EXPECT_EQ(lg_aToken_Stream[lg_uiToken_Stream_Length].mp_eToken, eT_NULL);
        for (int i = g_Current_State.mp_uiLength; i < gc_iLINE_SIZE; ++i)
            ASSERT_EQ(g_Current_State.mp_acInput[i], 0) << i;
    }
}

TEST_F(ClCalculatorLexer, VariablesAndAnsBorrowTheirStorage) {
    setLine(displayToCodes("w + Ans"));
    ASSERT_TRUE(ClCalculator::tLexer());
    EXPECT_EQ(lg_aToken_Stream[0].mp_pmMatrix, &ClCalculator::mp_mVariable[eT_w]);
    EXPECT_EQ(lg_aToken_Stream[1].mp_pmMatrix, nullptr);
    EXPECT_EQ(lg_aToken_Stream[2].mp_pmMatrix, &ClCalculator::mp_mLast_Output);
}

TEST_F(ClCalculatorLexer, CodesWithoutATokenAreSkipped) {
    setLine(std::string("1\x80+\xff") + "2");
    EXPECT_TRUE(ClCalculator::tLexer());
    EXPECT_EQ(streamText(), "1| + |2");
}

TEST_F(ClCalculatorLexer, NumberConversion) {
    double dValue = 7.0;
    EXPECT_FALSE(ClCalculator::charToDouble(nullptr, dValue));
    EXPECT_FALSE(ClCalculator::charToDouble("e5", dValue));
    EXPECT_FALSE(ClCalculator::charToDouble("1e999", dValue));   // out of range is no number
    EXPECT_EQ(dValue, 7.0);
    EXPECT_TRUE(ClCalculator::charToDouble("12.5e-1xyz", dValue));
    EXPECT_EQ(dValue, 1.25);
}

// A typed line is at most 511 codes, but i after numbers doubles the tokens and auto-closing
// lengthens the line: both must be refused, never written past their arrays.
TEST_F(ClCalculatorLexer, FullStreamIsRefused) {
    std::string codes;
    for (int i = 0; i < 255; ++i) codes += "2i+";
    codes.resize(gc_iLINE_MAX_TYPED);
    setLine(codes);
    EXPECT_FALSE(ClCalculator::tLexer());
    EXPECT_EQ(g_uiError_Number, eE_KEY_INPUT);
    EXPECT_EQ(lg_uiToken_Stream_Length, gc_iSTREAM_SIZE - 1);
    EXPECT_EQ(lg_aToken_Stream[gc_iSTREAM_SIZE - 1].mp_eToken, eT_NULL);
}

TEST_F(ClCalculatorLexer, ClosersThatDoNotFitAreRefused) {
    setLine(std::string(gc_iLINE_MAX_TYPED, '('));
    EXPECT_FALSE(ClCalculator::tLexer());
    EXPECT_EQ(g_uiError_Number, eE_MISSING_RIGHT_PARENTHESIS);
    EXPECT_EQ(g_Current_State.mp_uiLength, gc_iLINE_MAX_TYPED);

    setLine(std::string(255, '(') + "12");   // 257 codes and 255 closers fill the line exactly
    EXPECT_TRUE(ClCalculator::tLexer());
    EXPECT_EQ(g_Current_State.mp_uiLength, gc_iLINE_SIZE - 1);
    EXPECT_EQ(g_Current_State.mp_acInput[gc_iLINE_SIZE - 1], 0);
}
