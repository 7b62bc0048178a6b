// SPDX-License-Identifier: GPL-3.0-or-later
// The Enter action: the line is stored, evaluated and written to the output with its prompt,
// echo and result; plots and repetitions are dispatched from here.
#include <cstring>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_edit.h"

namespace {

/// The result text in the input display of the one-window formats: a result of several rows
/// starts on a line of its own.
void writeInputResult() {
    if (ClCalculator::lineValue().rows() > 1) g_pInput_Display->appendText(":\n");
    g_pInput_Display->appendText(g_acOutput_Line);
}

/// The line is taken from the display, stored and evaluated. Returns whether its value is to be
/// shown: not after a final ";", nor with Execute off.
bool evaluateLine() {
    ClState& line = g_Current_State;
    lg_bAssignTrue = false;
    line.mp_uiCursor = line.mp_uiLength;
    displayCurrent();
    removeCursorMark(*g_pActive_Display);
    line.mp_acInput[line.mp_uiLength] = 0;
    bool bShow = true;
    if (lg_eActive_Input == eAI_CALCULATOR && line.mp_uiLength > 0) {
        storeLine();
        if (endsSilent(line)) {   // the stored copy keeps its ";"
            line.mp_acInput[--line.mp_uiLength] = 0;
            line.mp_uiCursor = line.mp_uiLength;
            bShow = false;
        }
    }
    if (!g_bExecute) return false;
    if (ClCalculator::tLexer()) {
        ClCalculator::tParser(bShow);   // a hidden value is not formatted
    }
    return bShow;
}

/// A plot or a repetition writes its own output, a failed Rpt condition none. Returns whether
/// the line's value is still to be shown.
bool dispatch(bool bShow) {
    if (storePlot(false)) bShow = false;
    if (g_bRepeat) {
        g_bRepeat = false;
        if (g_uiError_Number == eE_NONE) {
            const unsigned short uiEntry = g_uiHistory_Next - 1;   // where the line was just stored
            ClState& entry = lg_State_History[uiEntry];
            entry.mp_uiRepeat_Times = g_Current_State.mp_uiRepeat_Times;
            entry.mp_iRepeat_From = g_Current_State.mp_iRepeat_From;
            entry.mp_iRepeat_To = g_Current_State.mp_iRepeat_To;
            if (entry.mp_iRepeat_From > 0) executeLines(uiEntry, 0, false);
            g_uiError_Number = eE_NONE;
            bShow = false;
        }
    }
    if (g_bFailTest) {
        g_bFailTest = false;
        bShow = false;
    }
    return bShow;
}

/// The output of the line: prompt, echo, and the result or the error.
void writeBlock(bool bShow) {
    writeBoth(gc_acOUT_PROMPT);
    writeOutput(bShow ? (echoText(g_Current_State) + " :\n").c_str() : "\n");
    if (g_uiError_Number != eE_NONE) {
        writeError();
        g_uiError_Number = eE_NONE;
    } else if (bShow) {
        writeOutput(g_acOutput_Line);
        if (resultsInInput()) writeInputResult();
    }
}

}  // namespace

void writeOutput(const char* acText) {
    ClTextPane& output = *g_pOutput_Display;
    output.setInsertPosition(output.mp_iSaved_Position);
    output.appendText(acText);
    output.mp_iSaved_Position = output.insertPosition();
}

void writeBoth(const char* acText) {
    writeOutput(acText);
    if (resultsInInput()) g_pInput_Display->appendText(acText);
}

std::string echoText(const ClState& line) {
    std::string text;
    for (unsigned short ui = 0; ui < line.mp_uiLength && ui < gc_iLINE_SIZE; ++ui)
        text += gc_aacTOKEN_NAME[tokenOfCode(line.mp_acInput[ui])];
    return text;
}

void writeError() {
    writeBoth(g_uiError_Number < eE_COUNT ? gc_aacERROR_MESSAGE[g_uiError_Number] : gc_aacERROR_MESSAGE[eE_NONE]);
    if (g_acOutput_Line[0] != '\0' && ClCalculator::lineValue().rows() > 0) {
        writeBoth(":\n");
        writeBoth(g_acOutput_Line);
    }
}

bool storePlot(bool bRepeating) {
    if (!g_bPlot) return false;
    g_bPlot = false;   // a Plot that failed must not make a later line a plot
    if (!isGraphOpen() || (g_uiError_Number != eE_NONE && g_uiError_Number != eE_INVALID_NUMBERS) ||
        g_uiActive_Plots >= 6)
        return false;
    ClCalculator::mp_mVariable[g_uiActive_Plots++] = ClCalculator::lineValue();
    const bool bShow_Graph = bRepeating && g_eOutput == eGS_SHOWN;
    if (bShow_Graph) g_pOutput_Display->setVisible(false);
    if (g_pfnGraph_Changed != nullptr) g_pfnGraph_Changed(bShow_Graph);
    return true;
}

bool endsSilent(const ClState& line) {
    return line.mp_uiLength > 0 && tokenOfCode(line.mp_acInput[line.mp_uiLength - 1]) == eT_SEMICOLON;
}

void enterStoredLine(const std::string& codes) {
    ClState& line = g_Current_State;
    const unsigned uiDisplay_Start = line.mp_uiDisplay_Start;
    const std::size_t uiLength = codes.size() < gc_iLINE_MAX_STORED ? codes.size() : gc_iLINE_MAX_STORED;
    line = ClCalculator::mp_NULL_STATE;
    std::memcpy(line.mp_acInput, codes.data(), uiLength);
    line.mp_uiLength = line.mp_uiCursor = static_cast<unsigned short>(uiLength);
    line.mp_uiDisplay_Start = uiDisplay_Start;
    displayCurrent();
    enterAction();
}

void enterAction() {
    if (g_bBusy) return;   // never inside itself, from a callback let through by the poll
    g_bBusy = true;
    bool bShow = evaluateLine();
    switch (lg_eActive_Input) {
    case eAI_CALCULATOR: break;
    case eAI_EDITOR_ENTRY:
        if (g_pfnEditor_Enter != nullptr) g_pfnEditor_Enter();
        [[fallthrough]];
    case eAI_EDITOR_SIZES:
        g_bBusy = false;
        return;
    default:
        cleanUp(false);
        g_bBusy = false;
        return;
    }
    if (g_bExecute) {
        bShow = dispatch(bShow);
        writeBlock(bShow);
    }
    if (!resultsInInput()) {
        g_pOutput_Display->setInsertPosition(g_pOutput_Display->mp_iSaved_Position);
        g_pOutput_Display->showInsertPosition();
    }
    g_acOutput_Line[0] = '\0';
    g_pInput_Display->showInsertPosition();
    cleanUp(false);
    boundDisplays();
    g_bBusy = false;
}
