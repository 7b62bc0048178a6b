// SPDX-License-Identifier: GPL-3.0-or-later
// The 96 calculator buttons as data: the panel builds its widgets from these rows, and the
// engine registers the same key pairs from them when there is no panel (tests, batch runs).
#pragma once

#include "tokens.h"

/// What the button's callback does with its token.
enum eBUTTON_CALLBACK : std::int32_t {
    eCB_TOKEN,   ///< inserts its token
    eCB_DIGIT,   ///< inserts a number character
    eCB_STATE,   ///< line action: cursor, BkSp, Clear, Prev, Next, Enter
    eCB_ALT      ///< toggles the alternate buttons
};

/// Background / label colour pair of a button.
enum eBUTTON_CLASS : std::int32_t {
    eBC_NUMBER,     ///< N: digits, ".", "E" and the four arithmetic operators (7 / 0)
    eBC_VARIABLE,   ///< V: the ten variables (31 / 0)
    eBC_FUNCTION,   ///< F: every other button (0 / 7)
    eBC_ENTER       ///< E: "Enter" and "Alt" (93 / 0)
};

struct ClButtonSpec {
    const char* mp_acLabel;            ///< landscape label, spaces included
    eTOKEN mp_eToken;
    unsigned char mp_ucKey;            ///< character code that types the token
    eBUTTON_CALLBACK mp_eCallback;
    eBUTTON_CLASS mp_eClass;
    short mp_iX, mp_iY;                ///< landscape place (54 x 30)
    short mp_iPortrait_X, mp_iPortrait_Y, mp_iPortrait_H;
    bool mp_bAlternate;                ///< second of an Alt pair: starts hidden, shares its partner's place
    const char* mp_acTooltip;          ///< null when the button has none
    const char* mp_acPortrait_Tooltip; ///< null when the portrait wording is the landscape one
    const char* mp_acPortrait_Label;   ///< null when the portrait label is the landscape one
};

constexpr int gc_iBUTTON_COUNT = 96;
extern const ClButtonSpec gc_aBUTTONS[gc_iBUTTON_COUNT];   ///< rows in landscape order, top row first

/// Fills g_aeDictionary from the button table, as building the panel does.
void registerKeys();
