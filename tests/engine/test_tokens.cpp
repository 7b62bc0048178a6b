// The button table and the dictionaries built from it, input-line records, the placement checks
// and the error messages.
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

// One button per keyed token and one token per key, each key below 127, which Null keeps; codes
// past the dictionary read as Null too. Alternates share their partner's place.
TEST_F(ClTokens, ButtonTable) {
    std::set<int> tokens, keys;
    const ClButtonSpec* apButton[gc_iTOKEN_COUNT] = {};
    int iAlternates = 0;
    for (const ClButtonSpec& button : gc_aBUTTONS) {
        EXPECT_TRUE(tokens.insert(button.mp_eToken).second && keys.insert(button.mp_ucKey).second) << button.mp_acLabel;
        EXPECT_TRUE(button.mp_ucKey < 127 && g_eiDictionary[button.mp_eToken] == button.mp_ucKey) << button.mp_acLabel;
        apButton[button.mp_eToken] = &button;
        iAlternates += button.mp_bAlternate;
    }
    EXPECT_EQ(tokens.size(), 96u);
    EXPECT_EQ(g_eiDictionary[eT_NULL], 127);
    for (int iCode = 128; iCode < 256; ++iCode) EXPECT_EQ(tokenOfCode(static_cast<unsigned char>(iCode)), eT_NULL);
    EXPECT_EQ(iAlternates, gc_iALT_COUNT);
    for (eTOKEN eToken : lg_eALTS) {
        const ClButtonSpec *pFirst = apButton[eToken], *pSecond = apButton[eToken + 1];
        ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr) << gc_aacTOKEN_NAME[eToken];
        EXPECT_TRUE(!pFirst->mp_bAlternate && pSecond->mp_bAlternate && pFirst->mp_iX == pSecond->mp_iX &&
                    pFirst->mp_iY == pSecond->mp_iY && pFirst->mp_iPortrait_X == pSecond->mp_iPortrait_X &&
                    pFirst->mp_iPortrait_Y == pSecond->mp_iPortrait_Y)
            << gc_aacTOKEN_NAME[eToken];
    }
}

// A line that fails always says why; only "no error" has nothing to say.
TEST_F(ClTokens, EveryErrorHasAMessage) {
    EXPECT_STREQ(gc_aacERROR_MESSAGE[eE_NONE], "");
    for (int iError = eE_NONE + 1; iError < eE_COUNT; ++iError) EXPECT_STRNE(gc_aacERROR_MESSAGE[iError], "") << iError;
}

// Copying a line clears the rest of the copy; a line copied onto itself stays.
TEST_F(ClTokens, LineRecords) {
    ClState longLine, shortLine;
    std::memset(longLine.mp_acInput, 'A', 10);
    longLine.mp_uiLength = 10;
    std::memset(shortLine.mp_acInput, 'B', 3);
    shortLine.mp_uiLength = 3;
    shortLine.mp_uiRepeat_Times = 4;
    longLine = shortLine;
    EXPECT_TRUE(longLine.mp_uiLength == 3 && longLine.mp_uiRepeat_Times == 4);
    for (int i = 3; i < gc_iLINE_SIZE; ++i) ASSERT_EQ(longLine.mp_acInput[i], 0) << i;
    longLine = longLine;
    EXPECT_EQ(longLine.mp_acInput[2], 'B');
    // A line renders as its tokens' display texts joined: the minus keeps its spaces even inside a
    // number, and \xc8 is a code without a token.
    const std::pair<const char*, const char*> aCASES[] = {{"", ""}, {"2.5E-3", "2.5E - 3"}, {"B+DA", "B + Det A"},
                                                          {"GHx\x7f", " Solve Evals Real Null"}, {"\xc8", "Null"}};
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.first);
        ClState state;
        state.mp_uiLength = static_cast<unsigned short>(std::strlen(testCase.first));
        std::memcpy(state.mp_acInput, testCase.first, state.mp_uiLength);
        char acText[64];
        state.inputToChar(acText, 0, state.mp_uiLength);
        EXPECT_STREQ(acText, testCase.second);
        state.inputToChar(acText, 2, 1);
        EXPECT_STREQ(acText, "");
    }
}

// Placement checks after a stream holding one token: pass, or the error they store over any other
// (at the start of a line: ClCalculatorLexer).
TEST_F(ClTokens, PlacementChecks) {
    const eERROR eVALUE = eE_MISPLACED_VALUE, eUNARY = eE_MISPLACED_OPERATOR, eBINARY = eE_MISPLACED_BINARY_OPERATOR,
                 eCLOSE = eE_MISPLACED_RIGHT_PARENTHESIS, ePASS = eE_NONE;
    const struct {
        eTOKEN ePrevious;
        eERROR eValue, eUnary, eBinary, eClose;   // ePASS passes, else the error stored
    } aCASES[] = {
        {eT_REAL_NUMBER, eVALUE, eUNARY, ePASS, ePASS}, {eT_I, eVALUE, eUNARY, ePASS, ePASS},
        {eT_w, eVALUE, eUNARY, ePASS, ePASS},           {eT_RBRACKET, eVALUE, eUNARY, ePASS, ePASS},
        {eT_RPAREN, eVALUE, eUNARY, ePASS, ePASS},      {eT_ANS, ePASS, ePASS, ePASS, ePASS},
        {eT_LBRACKET, ePASS, ePASS, ePASS, ePASS},      {eT_COMMA, ePASS, ePASS, ePASS, ePASS},
        {eT_SEMICOLON, ePASS, ePASS, ePASS, ePASS},     {eT_LPAREN, ePASS, ePASS, eBINARY, ePASS},
        {eT_MINUS, ePASS, ePASS, eBINARY, ePASS},       {eT_PLUS, ePASS, ePASS, eBINARY, ePASS},
        {eT_SIN, ePASS, ePASS, eBINARY, eCLOSE},        {eT_DIAG, ePASS, ePASS, eBINARY, eCLOSE},
        {eT_ASSIGN, ePASS, ePASS, eBINARY, eCLOSE}};
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(gc_aacTOKEN_NAME[testCase.ePrevious]);
        lg_aToken_Stream[0] = ClToken(testCase.ePrevious);
        const std::pair<bool (*)(unsigned short), eERROR> aCHECKS[] = {
            {ClCalculator::valueCheck, testCase.eValue}, {ClCalculator::unaryCheck, testCase.eUnary},
            {ClCalculator::binaryCheck, testCase.eBinary}, {ClCalculator::closeCheck, testCase.eClose}};
        for (const auto& check : aCHECKS) {
            g_uiError_Number = eE_COUNT;   // no error's number: a passing check leaves it
            EXPECT_EQ(check.first(1), check.second == ePASS);
            EXPECT_EQ(g_uiError_Number, check.second == ePASS ? eE_COUNT : check.second);
        }
    }
}
