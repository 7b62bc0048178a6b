// SPDX-License-Identifier: GPL-3.0-or-later
// The input line: insertion at the cursor, cursor moves, deletion, clearing, and its rendering
// into the active display with the cursor mark.
#include "line_edit.h"

#include <cstring>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "key_check.h"

namespace {

char lg_acInput_Line[8192];   ///< rendered tokens; the longest display text is 7 characters

void appendRendering(unsigned short uiFrom, unsigned short uiTo) {
    g_Current_State.inputToChar(lg_acInput_Line, uiFrom, uiTo);
    g_pActive_Display->appendText(lg_acInput_Line);
}

/// The active display loses the line's rendering.
void eraseLine() {
    g_pActive_Display->removeText(g_Current_State.mp_uiDisplay_Start, g_pActive_Display->textLength());
}

}  // namespace

void insertToken(eTOKEN t) {
    ClState& line = g_Current_State;
    if (line.mp_uiLength > gc_iLINE_MAX_TYPED - 2) return;
    const unsigned short uiCount = g_bAuto_Parentheses && takesParenthesis(t) ? 2 : 1;
    std::memmove(line.mp_acInput + line.mp_uiCursor + uiCount, line.mp_acInput + line.mp_uiCursor,
                 line.mp_uiLength - line.mp_uiCursor);
    line.mp_acInput[line.mp_uiCursor++] = static_cast<unsigned char>(g_eiDictionary[t]);
    if (uiCount == 2) line.mp_acInput[line.mp_uiCursor++] = static_cast<unsigned char>(g_eiDictionary[eT_LPAREN]);
    line.mp_uiLength += uiCount;
    line.mp_acInput[line.mp_uiLength] = 0;
}

void removeCursorMark(ClTextPane& pane) {
    if (pane.lastChar() == gc_acCURSOR[0]) pane.removeText(pane.textLength() - 1, pane.textLength());
}

unsigned* lineStartIn(const ClTextPane* pPane) {
    if (pPane == g_pActive_Display) return &g_Current_State.mp_uiDisplay_Start;
    if (pPane == g_pInput_Display) return &g_Current_State_Bkp.mp_uiDisplay_Start;   // the editor's turn
    return nullptr;
}

void displayCurrent() {
    removeCursorMark(*g_pInput_Display);   // left there while another display was active
    const ClState& line = g_Current_State;
    if (g_pActive_Display->textLength() > static_cast<int>(line.mp_uiDisplay_Start)) eraseLine();
    g_pActive_Display->setInsertPosition(g_pActive_Display->textLength());
    appendRendering(0, line.mp_uiCursor);
    g_pActive_Display->appendText(gc_acCURSOR);
    if (line.mp_uiCursor < line.mp_uiLength) appendRendering(line.mp_uiCursor, line.mp_uiLength);
    g_pActive_Display->showInsertPosition();
}

void cleanUp(bool bInPlace) {
    ClState& line = g_Current_State;
    lg_bAssignTrue = false;
    g_uiError_Number = eE_NONE;
    std::memset(line.mp_acInput, 0, sizeof line.mp_acInput);
    line.mp_uiLength = 0;
    line.mp_uiCursor = 0;
    g_acOutput_Line[0] = '\0';
    if (bInPlace) {
        eraseLine();
    } else if (lg_eActive_Input == eAI_CALCULATOR) {
        g_pInput_Display->setInsertPosition(g_pInput_Display->textLength());
        g_pInput_Display->appendText(gc_acIN_PROMPT);
        line.mp_uiDisplay_Start = static_cast<unsigned>(g_pInput_Display->textLength());
        g_pOutput_Display->mp_iSaved_Position = g_pOutput_Display->textLength();
        g_pOutput_Display->setInsertPosition(g_pOutput_Display->mp_iSaved_Position);
        g_pOutput_Display->showInsertPosition();
    } else {
        line.mp_uiDisplay_Start = 0;
        g_pActive_Display->clearText();
    }
    g_pActive_Display->setInsertPosition(g_pActive_Display->textLength());
    g_pActive_Display->appendText(gc_acCURSOR);
    g_pActive_Display->showInsertPosition();
}

bool pressToken(eTOKEN t) {
    if (t == eT_NULL || !tokenErrorCheck(t) || g_Current_State.mp_uiLength > gc_iLINE_MAX_TYPED - 1) return false;
    insertToken(t);
    displayCurrent();
    return true;
}

bool pressDigit(eTOKEN t) {
    const ClState& line = g_Current_State;
    if (t == eT_NULL || line.mp_uiLength >= gc_iLINE_SIZE - 1) return false;
    if (line.mp_uiCursor == 0) {
        if (t == eT_EXPONENT) return false;
    } else {
        const eTOKEN p = tokenOfCode(line.mp_acInput[line.mp_uiCursor - 1]);
        const bool bAfterMark = p == eT_POINT || p == eT_EXPONENT;
        if (bAfterMark && (t == eT_POINT || t == eT_EXPONENT)) return false;
        // A point after anything else may start an element-wise operator, so it is not judged.
        if ((bAfterMark || t != eT_POINT) && !digitErrorCheck(t)) return false;
    }
    insertToken(t);
    displayCurrent();
    return true;
}

void lineAction(eTOKEN t) {
    ClState& line = g_Current_State;
    switch (t) {
    case eT_MOVE_RIGHT:
        if (line.mp_uiCursor < line.mp_uiLength) {
            ++line.mp_uiCursor;
            displayCurrent();
        }
        break;
    case eT_MOVE_LEFT:
        if (line.mp_uiCursor > 0) {
            --line.mp_uiCursor;
            displayCurrent();
        }
        break;
    case eT_BKSP:
        if (line.mp_uiCursor == 0) break;
        if (tokenOfCode(line.mp_acInput[line.mp_uiLength - 1]) == eT_ASSIGN) lg_bAssignTrue = false;
        std::memmove(line.mp_acInput + line.mp_uiCursor - 1, line.mp_acInput + line.mp_uiCursor,
                     line.mp_uiLength - line.mp_uiCursor);
        --line.mp_uiCursor;
        line.mp_acInput[--line.mp_uiLength] = 0;
        displayCurrent();
        break;
    case eT_CLEAR:
        if (line.mp_uiLength > 0) cleanUp(true);
        break;
    case eT_PREV: historyPrev(); break;
    case eT_NEXT: historyNext(); break;
    case eT_ENTER: enterAction(); break;
    default: break;
    }
}

eKEY_ACTION typeKey(unsigned char ucKey) {
    const eTOKEN t = tokenOfCode(ucKey);
    switch (t) {
    case eT_PREV:
    case eT_NEXT:
    case eT_MOVE_LEFT:
    case eT_MOVE_RIGHT:
    case eT_BKSP: return eKA_IGNORE;   // those come only from the arrow and BackSpace keys
    case eT_CLEAR:
    case eT_ENTER:
        lineAction(t);
        return eKA_STATE;
    case eT_ALTERNATE: return eKA_ALT;
    default:
        if (isNumberToken(t)) {
            pressDigit(t);
            return eKA_DIGIT;
        }
        pressToken(t);
        return eKA_TOKEN;
    }
}
