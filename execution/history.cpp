// SPDX-License-Identifier: GPL-3.0-or-later
// The history of entered lines: storing, browsing with Prev and Next, and the History menu.
#include <algorithm>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_edit.h"

namespace {

bool isBrowsing() { return g_uiHistory_Index < g_uiHistory_Next; }

/// The shown line is erased and replaced by another, which takes over its place in the display.
void showLine(const ClState& line) {
    const unsigned uiDisplay_Start = g_Current_State.mp_uiDisplay_Start;
    cleanUp(true);
    g_Current_State = line;
    g_Current_State.mp_uiDisplay_Start = uiDisplay_Start;
    displayCurrent();
}

}  // namespace

void copyHistory(short iFirst, short iLast, short iOffset) {
    if (iFirst < 0 || iFirst > iLast || iLast >= gc_iHISTORY_SIZE || iOffset == 0 ||
        iOffset < -(gc_iHISTORY_SIZE - 1) || iOffset > gc_iHISTORY_SIZE - 1)
        return;
    if (iOffset < 0) {   // ascending, so that no entry is overwritten before it is copied
        for (int i = std::max<int>(-iOffset, iFirst); i <= iLast; ++i) lg_State_History[i + iOffset] = lg_State_History[i];
    } else {
        for (int i = std::min<int>(gc_iHISTORY_SIZE - 1 - iOffset, iLast); i >= iFirst; --i)
            lg_State_History[i + iOffset] = lg_State_History[i];
    }
}

void storeLine() {
    if (g_Current_State.mp_uiLength == 0) return;
    if (g_uiHistory_Next == gc_iHISTORY_SIZE) {   // a full history drops its oldest line
        copyHistory(0, gc_iHISTORY_SIZE - 1, -1);
        g_uiHistory_Next = gc_iHISTORY_SIZE - 1;
    }
    ClState& entry = lg_State_History[g_uiHistory_Next];
    entry = g_Current_State;
    entry.mp_uiCursor = entry.mp_uiLength;
    g_uiHistory_Index = ++g_uiHistory_Next;
}

void historyPrev() {
    if (lg_eActive_Input != eAI_CALCULATOR || g_uiHistory_Index == 0) return;
    if (!isBrowsing()) g_Current_State_Bkp = g_Current_State;   // the line being typed
    --g_uiHistory_Index;
    showLine(lg_State_History[g_uiHistory_Index]);
}

void historyNext() {
    if (lg_eActive_Input != eAI_CALCULATOR || !isBrowsing()) return;
    ++g_uiHistory_Index;
    showLine(isBrowsing() ? lg_State_History[g_uiHistory_Index] : g_Current_State_Bkp);
}

// The newest line is moved in front of the shown one, which stays shown.
void insertItem() {
    if (!isBrowsing()) return;
    const unsigned short uiLast = g_uiHistory_Next - 1;
    const ClState taken = lg_State_History[uiLast];
    copyHistory(static_cast<short>(g_uiHistory_Index), static_cast<short>(uiLast), 1);
    if (g_uiHistory_Next < gc_iHISTORY_SIZE)   // entries past the count stay empty
        lg_State_History[g_uiHistory_Next] = ClCalculator::mp_NULL_STATE;
    lg_State_History[g_uiHistory_Index++] = taken;
}

// While browsing the shown entry is deleted; otherwise a line naming only a variable empties it.
void clearItem() {
    if (isBrowsing()) {
        copyHistory(static_cast<short>(g_uiHistory_Index + 1), static_cast<short>(g_uiHistory_Next - 1), -1);
        lg_State_History[--g_uiHistory_Next] = ClCalculator::mp_NULL_STATE;
        showLine(lg_State_History[g_uiHistory_Index]);
        return;
    }
    const ClState& line = g_Current_State;
    const eTOKEN eToken = tokenOfCode(line.mp_acInput[0]);
    if (line.mp_uiLength != 1 || !isVariableToken(eToken)) return;
    ClCalculator::mp_mVariable[eToken].resize(0, 0);
    cleanUp(true);
}

// Variables are kept; everything the lines left behind goes.
void clearHistory() {
    ClCalculator::mp_mParser_Output.resize(0, 0);
    ClCalculator::mp_mLast_Output.resize(0, 0);
    ClCalculator::mp_mLinear.resize(0, 0);
    lg_eActive_Input = eAI_CALCULATOR;
    g_pActive_Display = g_pInput_Display;
    g_Current_State = ClCalculator::mp_NULL_STATE;
    primeDisplays();
    for (ClState& entry : lg_State_History) entry = ClCalculator::mp_NULL_STATE;
    lg_bAssignTrue = false;
    g_uiHistory_Next = 0;
    g_uiHistory_Index = 0;
}

void clearAll() {
    clearHistory();
    for (Matrix& mVariable : ClCalculator::mp_mVariable) mVariable.resize(0, 0);   // plots included
    g_uiActive_Plots = 0;
    if (isGraphOpen() && g_pfnGraph_Changed != nullptr) g_pfnGraph_Changed(false);
}
