// The evaluation steps of the Enter action and the output block they produce.
#include "run_line.h"

#include "engine_state.h"

namespace {
const char gc_acOUT_PROMPT[] = "\nOut>";
}

bool evaluateCurrentLine(bool bExecute) {
    ClState& line = g_Current_State;
    line.mp_uiCursor = line.mp_uiLength;
    bool bShow = true;
    if (line.mp_uiLength > 0 && tokenOfCode(line.mp_acInput[line.mp_uiLength - 1]) == eT_SEMICOLON) {
        line.mp_acInput[--line.mp_uiLength] = 0;
        line.mp_uiCursor = line.mp_uiLength;
        bShow = false;
    }
    if (!bExecute) return false;
    if (ClCalculator::tLexer()) ClCalculator::tParser();
    if (g_bFailTest) {   // a Rpt whose condition failed shows nothing
        g_bFailTest = false;
        bShow = false;
    }
    return bShow;
}

std::string outputBlock(const ClState& line, bool bShow) {
    std::string block = gc_acOUT_PROMPT;
    if (bShow) {
        for (unsigned short ui = 0; ui < line.mp_uiLength; ++ui)
            block += gc_aacTOKEN_NAME[tokenOfCode(line.mp_acInput[ui])];
        block += " :\n";
    } else {
        block += "\n";
    }
    if (g_uiError_Number == 0) {
        if (bShow) block += g_acOutput_Line;
    } else {
        block += gc_aacERROR_MESSAGE[g_uiError_Number < gc_iERROR_COUNT ? g_uiError_Number : 0];
        if (g_acOutput_Line[0] != '\0' && ClCalculator::mp_mParser_Output.rows() > 0) {
            block += ":\n";
            block += g_acOutput_Line;
        }
        g_uiError_Number = 0;
    }
    g_acOutput_Line[0] = '\0';
    return block;
}
