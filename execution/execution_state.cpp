// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions of the input and execution globals beside the one reset that restores them.
#include "execution_state.h"

#include "engine_state.h"

const char gc_acIN_PROMPT[] = "\nIn>";
const char gc_acOUT_PROMPT[] = "\nOut>";
const char gc_acSPACER[] = "\n\n\n\n\n\n\n\n";
const char gc_acCURSOR[] = "_";

ClTextPane* g_pInput_Display = nullptr;
ClTextPane* g_pOutput_Display = nullptr;
ClTextPane* g_pActive_Display = nullptr;
eACTIVE_INPUT lg_eActive_Input = eAI_CALCULATOR;
bool lg_bAssignTrue = false;
eWINDOW_MODE g_eWindow_Mode = eWM_TWO_WINDOWS;

bool g_bError_Check = true;
bool g_bAuto_Parentheses = true;
bool g_bExecute = true;

ClState lg_State_History[gc_iHISTORY_SIZE];
unsigned short g_uiHistory_Index = 0;

void (*g_pfnGraph_Changed)(bool) = nullptr;
bool (*g_pfnRepeat_Poll)(unsigned long, double) = nullptr;
void (*g_pfnEditor_Enter)() = nullptr;
bool g_bBusy = false;

void resetExecution(ClTextPane* pInput, ClTextPane* pOutput) {
    resetEngine();
    lg_eActive_Input = eAI_CALCULATOR;
    lg_bAssignTrue = false;
    g_eWindow_Mode = eWM_TWO_WINDOWS;
    g_bError_Check = true;
    g_bAuto_Parentheses = true;
    g_bExecute = true;
    for (ClState& entry : lg_State_History) entry = ClCalculator::mp_NULL_STATE;
    g_uiHistory_Index = 0;
    g_pfnGraph_Changed = nullptr;
    g_pfnRepeat_Poll = nullptr;
    g_pfnEditor_Enter = nullptr;
    g_bBusy = false;
    g_iDisplay_Limit = gc_iDISPLAY_LIMIT;
    g_pInput_Display = pInput;
    g_pOutput_Display = pOutput;
    g_pActive_Display = pInput;
    primeDisplays();
}

void primeDisplays() {
    g_pOutput_Display->mp_llDropped_Blocks = g_pInput_Display->mp_llDropped_Blocks = 0;
    g_pOutput_Display->clearText();
    g_pOutput_Display->appendText(gc_acSPACER);
    g_pOutput_Display->mp_iSaved_Position = g_pOutput_Display->insertPosition();
    g_pInput_Display->clearText();
    g_pInput_Display->appendText(gc_acSPACER);
    g_pInput_Display->appendText(gc_acIN_PROMPT);
    g_pInput_Display->appendText(gc_acCURSOR);
    g_pInput_Display->showInsertPosition();
    g_Current_State.mp_uiDisplay_Start = static_cast<unsigned>(g_pInput_Display->textLength() - 1);
}
