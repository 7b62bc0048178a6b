// Token vocabulary, button table, dictionaries, input-line records, placement checks and the
// error messages.
#include <cstring>
#include <set>

#include <gtest/gtest.h>

#include "button_table.h"
#include "engine_state.h"
#include "line_codes.h"

class ClTokens : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

// The code of every token as the vocabulary fixes it (0 for the tokens without a button).
const unsigned short gc_auiCODE_OF_TOKEN[gc_iTOKEN_COUNT] = {
    127, 0, 0, 0, 105, 112, 65, 85, 66, 86, 67, 117, 80, 118, 81, 119,
    103, 89, 77, 109, 100, 79, 110, 78, 73, 90, 68, 72, 39, 75, 114, 95,
    113, 87, 101, 70, 108, 76, 99, 98, 115, 83, 116, 84, 33, 63, 35, 36,
    37, 38, 120, 121, 74, 106, 104, 107, 82, 111, 61, 97, 93, 62, 41, 59,
    58, 44, 91, 60, 40, 45, 43, 92, 0, 47, 0, 42, 0, 71, 122, 94,
    124, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 46, 69, 88, 126, 102,
    96, 125, 8, 123, 27, 64, 13};

TEST_F(ClTokens, CodeDictionaryIsTheInverseOfTheButtonKeys) {
    for (int iToken = 0; iToken < gc_iTOKEN_COUNT; ++iToken) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[iToken]);
        EXPECT_EQ(g_eiDictionary[iToken], gc_auiCODE_OF_TOKEN[iToken]);
    }
}

TEST_F(ClTokens, ButtonTableHasOneButtonPerKeyedToken) {
    std::set<int> tokens, keys;
    for (const ClButtonSpec& button : gc_aBUTTONS) {
        SCOPED_TRACE(button.mp_acLabel);
        EXPECT_TRUE(tokens.insert(button.mp_eToken).second);
        EXPECT_TRUE(keys.insert(button.mp_ucKey).second);
        EXPECT_EQ(button.mp_ucKey, gc_auiCODE_OF_TOKEN[button.mp_eToken]);
        EXPECT_LT(button.mp_ucKey, 127);
    }
    EXPECT_EQ(tokens.size(), 96u);
}

TEST_F(ClTokens, AlternatesShareTheirPartnersPlace) {
    const ClButtonSpec* apButton[gc_iTOKEN_COUNT] = {};
    for (const ClButtonSpec& button : gc_aBUTTONS) apButton[button.mp_eToken] = &button;
    int iAlternates = 0;
    for (const ClButtonSpec& button : gc_aBUTTONS) iAlternates += button.mp_bAlternate;
    EXPECT_EQ(iAlternates, gc_iALT_COUNT);
    for (eTOKEN eToken : lg_eALTS) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[eToken]);
        const ClButtonSpec* pFirst = apButton[eToken];
        const ClButtonSpec* pSecond = apButton[eToken + 1];
        ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
        EXPECT_FALSE(pFirst->mp_bAlternate);
        EXPECT_TRUE(pSecond->mp_bAlternate);
        EXPECT_EQ(pFirst->mp_iX, pSecond->mp_iX);
        EXPECT_EQ(pFirst->mp_iY, pSecond->mp_iY);
        EXPECT_EQ(pFirst->mp_iPortrait_X, pSecond->mp_iPortrait_X);
        EXPECT_EQ(pFirst->mp_iPortrait_Y, pSecond->mp_iPortrait_Y);
    }
}

TEST_F(ClTokens, TooltipsNameTheirKeyWhereTheyHaveOne) {
    // Tooltips that mention a key name the button's own key (the Tran tooltip's "`" aside,
    // and the named keys of the line actions).
    const struct {
        eTOKEN eToken;
        const char* acKey;
    } aCASES[] = {{eT_RREF, "(key R)"}, {eT_DET, "(key D)"}, {eT_NORM, "(key n)"},
                  {eT_COSH, "(key !)"}, {eT_QR, "(key |)"}, {eT_RNDN, "(key _)"}};
    for (const auto& testCase : aCASES)
        for (const ClButtonSpec& button : gc_aBUTTONS)
            if (button.mp_eToken == testCase.eToken) {
                SCOPED_TRACE(button.mp_acLabel);
                EXPECT_NE(std::strstr(button.mp_acTooltip, testCase.acKey), nullptr);
            }
}

// A line that fails always says why; only "no error" has nothing to say.
TEST_F(ClTokens, EveryErrorHasAMessage) {
    EXPECT_STREQ(gc_aacERROR_MESSAGE[eE_NONE], "");
    for (int iError = eE_NONE + 1; iError < eE_COUNT; ++iError) EXPECT_STRNE(gc_aacERROR_MESSAGE[iError], "") << iError;
}

TEST_F(ClTokens, HighCodesReadAsNull) {
    for (int iCode = 128; iCode < 256; ++iCode) EXPECT_EQ(tokenOfCode(static_cast<unsigned char>(iCode)), eT_NULL);
}

TEST_F(ClTokens, AssignmentClearsTheTail) {
    ClState longLine, shortLine;
    std::memset(longLine.mp_acInput, 'A', 10);
    longLine.mp_uiLength = 10;
    std::memset(shortLine.mp_acInput, 'B', 3);
    shortLine.mp_uiLength = 3;
    shortLine.mp_uiRepeat_Times = 4;
    longLine = shortLine;
    EXPECT_EQ(longLine.mp_uiLength, 3);
    EXPECT_EQ(longLine.mp_uiRepeat_Times, 4);
    for (int i = 3; i < gc_iLINE_SIZE; ++i) ASSERT_EQ(longLine.mp_acInput[i], 0) << i;
    longLine = longLine;
    EXPECT_EQ(longLine.mp_acInput[2], 'B');
}

TEST_F(ClTokens, RenderingJoinsDisplayTexts) {
    const struct {
        const char* acCodes;
        const char* acText;
    } aCASES[] = {
        {"", ""},                  // a fresh line
        {"2.5E-3", "2.5E - 3"},     // the minus keeps its spaces even inside a number
        {"./", ". / "},            // element-wise operators exist only in the stream
        {"B+DA", "B + Det A"},
        {"GHx\x7f", " Solve Evals Real Null"},
        {"\xc8", "Null"},          // a code without a token
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acCodes);
        ClState state;
        EXPECT_EQ(state.mp_uiDisplay_Start, 12);
        state.mp_uiLength = static_cast<unsigned short>(std::strlen(testCase.acCodes));
        std::memcpy(state.mp_acInput, testCase.acCodes, state.mp_uiLength);
        char acText[64];
        state.inputToChar(acText, 0, state.mp_uiLength);
        EXPECT_STREQ(acText, testCase.acText);
        state.inputToChar(acText, 2, 1);
        EXPECT_STREQ(acText, "");
    }
}

// Placement checks after a stream holding one token: pass, or the error they store.
TEST_F(ClTokens, PlacementChecks) {
    EXPECT_TRUE(ClCalculator::valueCheck(0));
    EXPECT_TRUE(ClCalculator::unaryCheck(0));
    g_uiError_Number = eE_NONE;
    EXPECT_FALSE(ClCalculator::binaryCheck(0));
    EXPECT_EQ(g_uiError_Number, eE_MISPLACED_BINARY_OPERATOR);
    EXPECT_FALSE(ClCalculator::closeCheck(0));
    EXPECT_EQ(g_uiError_Number, eE_MISSING_RIGHT_PARENTHESIS);   // the checks overwrite

    const struct {
        eTOKEN ePrevious;
        eERROR eValue, eUnary, eBinary, eClose;   // eE_NONE passes, else the error stored
    } aCASES[] = {
        {eT_REAL_NUMBER, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR, eE_NONE, eE_NONE},
        {eT_I, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR, eE_NONE, eE_NONE},
        {eT_w, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR, eE_NONE, eE_NONE},
        {eT_RBRACKET, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR, eE_NONE, eE_NONE},
        {eT_RPAREN, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR, eE_NONE, eE_NONE},
        {eT_ANS, eE_NONE, eE_NONE, eE_NONE, eE_NONE},
        {eT_LBRACKET, eE_NONE, eE_NONE, eE_NONE, eE_NONE},
        {eT_COMMA, eE_NONE, eE_NONE, eE_NONE, eE_NONE},
        {eT_SEMICOLON, eE_NONE, eE_NONE, eE_NONE, eE_NONE},
        {eT_LPAREN, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_NONE},
        {eT_MINUS, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_NONE},
        {eT_PLUS, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_NONE},
        {eT_SIN, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_MISPLACED_RIGHT_PARENTHESIS},
        {eT_DIAG, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_MISPLACED_RIGHT_PARENTHESIS},
        {eT_ASSIGN, eE_NONE, eE_NONE, eE_MISPLACED_BINARY_OPERATOR, eE_MISPLACED_RIGHT_PARENTHESIS},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[testCase.ePrevious]);
        lg_aToken_Stream[0] = ClToken(testCase.ePrevious);
        const struct {
            bool (*pfCheck)(unsigned short);
            eERROR eExpected;
        } aCHECKS[] = {{ClCalculator::valueCheck, testCase.eValue},
                       {ClCalculator::unaryCheck, testCase.eUnary},
                       {ClCalculator::binaryCheck, testCase.eBinary},
                       {ClCalculator::closeCheck, testCase.eClose}};
        for (const auto& check : aCHECKS) {
            g_uiError_Number = eE_COUNT;   // no error's number: a passing check leaves it
            EXPECT_EQ(check.pfCheck(1), check.eExpected == eE_NONE);
            EXPECT_EQ(g_uiError_Number, check.eExpected == eE_NONE ? eE_COUNT : check.eExpected);
        }
    }
}
