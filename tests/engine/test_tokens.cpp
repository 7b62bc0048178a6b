// SPDX-License-Identifier: GPL-3.0-or-later
// The button table and the dictionaries built from it, and the error messages.
#include <set>

#include <gtest/gtest.h>

#include "button_table.h"
#include "engine_state.h"

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

