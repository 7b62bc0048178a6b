// SPDX-License-Identifier: GPL-3.0-or-later
// The repetition of a range of history lines recorded by a Rpt line, nested Rpt lines included.
#include <chrono>
#include <cstring>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"

namespace {

using Clock = std::chrono::steady_clock;

int lg_iDepth = 0;                 ///< repetitions running, one inside the other
bool lg_bError_Shown = false;      ///< the repetition that just ended has shown its error
unsigned long lg_ulLines = 0;      ///< lines repeated since the outermost repetition began
Clock::time_point lg_Start;        ///< when it began

/// Asks the window whether to go on, before every repeated line.
bool stopRequested() {
    if (g_pfnRepeat_Poll == nullptr) return false;
    const double dSeconds = std::chrono::duration<double>(Clock::now() - lg_Start).count();
    return g_pfnRepeat_Poll(lg_ulLines, dSeconds);
}

/// The echo of a repeated line and its result.
void echoLine() {
    writeBoth(gc_acOUT_PROMPT);
    const std::string echo = echoText(g_Current_State);
    writeBoth(echo.c_str());
    writeOutput(" :\n");
    writeOutput(g_acOutput_Line);
    if (resultsInInput()) {
        g_pInput_Display->appendText(" \n");
        g_pInput_Display->appendText(g_acOutput_Line);
    }
}

/// Lexes and evaluates history entry i as the current line, the history count lowered to i + 1
/// meanwhile so that a Rpt there counts its steps back from its own line.
void evaluateEntry(int i, bool bShow) {
    const unsigned short uiCount = g_uiHistory_Next;
    g_Current_State = lg_State_History[i];
    g_uiHistory_Next = static_cast<unsigned short>(i + 1);
    if (ClCalculator::tLexer()) {
        ClCalculator::tParser(bShow);
    }
    g_uiHistory_Next = uiCount;
}

/// Whether the range iFrom to iTo steps back from entry iLine lies in the history: wholly before
/// the line, or reaching it or later lines only below iLimit.
bool rangeFits(int iLine, int iFrom, int iTo, int iLimit) {
    if (iLine - iFrom < 0) return false;
    return iTo > 0 ? iLine >= iFrom : iLine - iTo + 1 < iLimit;
}

/// One pass over the lines iFirst to iLast. Returns false when the repetition must end, with
/// the error number set.
bool runPass(int iFirst, int iLast, bool bSilent) {
    for (int i = iFirst; i <= iLast; ++i) {
        if (stopRequested()) {
            g_uiError_Number = eE_RPT_LIMIT_EXCEEDED;
            return false;
        }
        const bool bHidden = bSilent || endsSilent(lg_State_History[i]) ||
                             tokenOfCode(lg_State_History[i].mp_acInput[0]) == eT_RPT;
        evaluateEntry(i, !bHidden);
        ++lg_ulLines;
        if (g_uiError_Number != eE_NONE && g_uiError_Number != eE_EMPTY_MATRIX) {   // a failed line requests nothing
            g_bRepeat = g_bPlot = false;
            return false;
        }
        if (storePlot(true) && !g_bRepeat) continue;
        if (g_bRepeat) {
            lg_State_History[i] = g_Current_State;   // with the repeat fields it recorded
            // The inner range is bounded by this repetition's count, and its own inner ranges by
            // its line: a range reaching forward can never reach back to the line that runs it.
            const unsigned short uiCount = g_uiHistory_Next;
            g_uiHistory_Next = static_cast<unsigned short>(i + 1);
            executeLines(static_cast<unsigned short>(i), uiCount, bSilent);
            g_uiHistory_Next = uiCount;
            g_bRepeat = false;
            if (g_uiError_Number == eE_RPT_LIMIT_EXCEEDED) return false;   // a stop ends every repetition
            if (lg_bError_Shown) g_uiError_Number = eE_NONE;   // shown once, where it happened
            continue;
        }
        if (g_uiError_Number == eE_EMPTY_MATRIX) {   // an empty result is a success
            g_uiError_Number = eE_NONE;
            std::strcpy(g_acOutput_Line, gc_aacERROR_MESSAGE[eE_EMPTY_MATRIX]);
        }
        if (!bHidden) echoLine();
        boundDisplays();
        g_acOutput_Line[0] = '\0';
        g_pOutput_Display->showInsertPosition();
        g_pInput_Display->showInsertPosition();
    }
    return true;
}

}  // namespace

// Note: a Rpt line may reach back to the line that runs it, so nesting is bounded by
// gc_iRPT_DEPTH; the window's poll bounds the time.
void executeLines(unsigned short uiLine, unsigned short uiLimit, bool bSilent) {
    if (uiLine >= gc_iHISTORY_SIZE || g_uiError_Number != eE_NONE) return;
    const ClState& entry = lg_State_History[uiLine];
    const unsigned uiTimes = entry.mp_uiRepeat_Times;
    const int iFrom = entry.mp_iRepeat_From, iTo = entry.mp_iRepeat_To;
    if (uiTimes == 0) return;
    lg_bError_Shown = false;
    if (lg_iDepth >= gc_iRPT_DEPTH) {   // the enclosing repetition shows it
        g_uiError_Number = eE_RPT_LIMIT_EXCEEDED;
        return;
    }
    if (!rangeFits(uiLine, iFrom, iTo, uiLimit)) {
        g_uiError_Number = eE_SCALAR_OUT_OF_RANGE;
        return;
    }
    if (lg_iDepth == 0) {
        lg_ulLines = 0;
        lg_Start = Clock::now();
        g_pfnWork_Poll = stopRequested;   // Escape is heard inside a long line too
    }
    bSilent = bSilent || endsSilent(entry);
    const ClState saved_Line = g_Current_State;
    const unsigned short uiSaved_Count = g_uiHistory_Next;
    g_acOutput_Line[0] = '\0';   // the Rpt line's own value is not the first line's
    ++lg_iDepth;
    bool bGoing_On = true;
    for (unsigned u = 0; u < uiTimes && bGoing_On; ++u) bGoing_On = runPass(uiLine - iFrom, uiLine - iTo, bSilent);
    if (--lg_iDepth == 0) g_pfnWork_Poll = nullptr;
    if (g_uiError_Number == eE_NONE) {
        g_acOutput_Line[0] = '\0';
    } else if (!(g_uiError_Number == eE_RPT_LIMIT_EXCEEDED && lg_bError_Shown)) {
        writeBoth("\n");
        writeError();
        lg_bError_Shown = true;
    }
    g_Current_State = saved_Line;
    g_uiHistory_Next = uiSaved_Count;
}
