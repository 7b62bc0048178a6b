// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a data file that has passed its checks: a history file's lines are replayed through
// the Enter action, its variables fill the empty ones; a variable file overwrites its variable.
#include "data_file.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_edit.h"

namespace {

/// A comment is shown, not stored: in the output, and in the one-window formats under the
/// prompt line too, where the next line then starts.
void showComment(const std::string& sComment) {
    writeOutput(("\n" + sComment).c_str());
    if (!resultsInInput()) return;
    ClTextPane& input = *g_pInput_Display;
    removeCursorMark(*g_pActive_Display);   // the mark moves below the comment
    input.setInsertPosition(input.textLength());
    input.appendText(("\n" + std::string(gc_acOUT_PROMPT) + sComment + "\n").c_str());
    input.mp_iSaved_Position = input.insertPosition();
    input.showInsertPosition();
    g_pActive_Display->appendText(gc_acCURSOR);
    g_Current_State.mp_uiDisplay_Start = static_cast<unsigned>(input.mp_iSaved_Position);
}

/// A variable file overwrites its variable, unless its block was nothing to load.
void setFileVariable(const ClDataFile& file) {
    if (file.amVariables[0].rows() > 0) ClCalculator::mp_mVariable[file.uiKind] = file.amVariables[0];
}

void scrollBoth() {
    g_pOutput_Display->showInsertPosition();
    g_pInput_Display->showInsertPosition();
}

}  // namespace

void replayEntries(const std::vector<std::string>& asEntries, bool bEvaluate) {
    for (const std::string& sEntry : asEntries) {
        g_Current_State_Bkp = g_Current_State;
        if (sEntry[0] == '"') {
            showComment(sEntry);
            continue;
        }
        const bool bExecute = g_bExecute;
        g_bExecute = bExecute && bEvaluate;   // stored, not evaluated: Execute is off for the line
        enterStoredLine(sEntry);
        g_bExecute = bExecute;
    }
}

void fillEmptyVariables(const ClDataFile& file) {
    for (std::size_t ui = 0; ui < file.amVariables.size() && ui < gc_iVARIABLE_COUNT; ++ui) {
        Matrix& mVariable = ClCalculator::mp_mVariable[eT_A + ui];
        if (mVariable.rows() == 0 && file.amVariables[ui].rows() > 0) mVariable = file.amVariables[ui];
    }
}

void applyDataFile(const ClDataFile& file, unsigned short uiMode) {
    const unsigned short uiActive_Plots = g_uiActive_Plots;
    enterAction();   // the line being typed is stored (and evaluated) before anything else
    displayCurrent();
    if (file.uiKind != 0) {
        setFileVariable(file);
        scrollBoth();
        return;
    }
    if (uiMode == 0) clearHistory();   // the output display starts again from its spacer
    g_bRepeat = false;
    replayEntries(file.asEntries, false);
    g_bPlot = false;
    g_uiActive_Plots = uiActive_Plots;
    fillEmptyVariables(file);
    scrollBoth();
    g_uiHistory_Index = g_uiHistory_Next;
}

void runDataFile(const ClDataFile& file) {
    if (file.uiKind != 0) {
        setFileVariable(file);
        return;
    }
    fillEmptyVariables(file);
    replayEntries(file.asEntries, true);
}

bool loadInFile(const char* acPath, unsigned short uiMode) {
    ClDataFile file;
    const eREAD_RESULT eResult = readDataFile(acPath, file);
    reportReadResult(eResult, file, acPath);
    if (eResult != eRR_OK) return false;
    applyDataFile(file, uiMode);
    return true;
}
