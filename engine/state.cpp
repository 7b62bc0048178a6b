// SPDX-License-Identifier: GPL-3.0-or-later
// ClState: construction, copying and rendering of an input line.
#include "state.h"

#include <cstring>

ClState g_Current_State;
ClState g_Current_State_Bkp;

ClState::ClState()
    : mp_acInput{}, mp_uiLength(0), mp_uiCursor(0), mp_uiDisplay_Start(12),
      mp_uiRepeat_Times(0), mp_iRepeat_From(0), mp_iRepeat_To(0) {}

ClState& ClState::operator=(const ClState& other) {
    if (this == &other) return *this;
    // Every position from a line's length on is 0 already, so only the longer of the two lines'
    // codes are written: a full history shifts 1023 short lines for every line entered.
    const unsigned short uiLength = other.mp_uiLength < gc_iLINE_SIZE ? other.mp_uiLength : gc_iLINE_SIZE;
    const unsigned short uiOld = mp_uiLength < gc_iLINE_SIZE ? mp_uiLength : gc_iLINE_SIZE;
    std::memcpy(mp_acInput, other.mp_acInput, uiLength);
    if (uiOld > uiLength) std::memset(mp_acInput + uiLength, 0, uiOld - uiLength);
    mp_uiLength = other.mp_uiLength;
    mp_uiCursor = other.mp_uiCursor;
    mp_uiDisplay_Start = other.mp_uiDisplay_Start;
    mp_uiRepeat_Times = other.mp_uiRepeat_Times;
    mp_iRepeat_From = other.mp_iRepeat_From;
    mp_iRepeat_To = other.mp_iRepeat_To;
    return *this;
}

void ClState::inputToChar(char* dst, unsigned short from, unsigned short to) const {
    char* pcEnd = dst;
    *pcEnd = '\0';
    if (to > gc_iLINE_SIZE) to = gc_iLINE_SIZE;
    for (unsigned short ui = from; ui < to; ++ui) {
        const char* acName = gc_aacTOKEN_NAME[tokenOfCode(mp_acInput[ui])];
        const std::size_t uiName = std::strlen(acName);
        std::memcpy(pcEnd, acName, uiName + 1);
        pcEnd += uiName;
    }
}
