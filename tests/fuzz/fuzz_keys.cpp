// SPDX-License-Identifier: GPL-3.0-or-later
// Key-sequence fuzzer: every byte is a key press or a command (the line actions, the History
// menu, Clear All, the settings and window formats) driven through the display-free driver
// on two string panes; after each the line, the history and the panes must agree, and at the
// end the state must save and open back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "fuzz_common.h"
#include "line_edit.h"
#include "round_trip.h"

namespace {

constexpr std::size_t gc_uiMAX_INPUT = 1024;        ///< key presses per input
constexpr unsigned long gc_ulMAX_REPEATED = 64;     ///< a longer repetition is stopped
constexpr int gc_iMAX_OUTPUT = 8 << 20;             ///< bytes before the displays are cleared
constexpr unsigned char gc_ucLINE_END = 10;         ///< ends a replayed stored line

ClStringPane lg_Input, lg_Output;
const std::uint8_t* lg_pucNext = nullptr;   ///< the input still to be read
const std::uint8_t* lg_pucEnd = nullptr;

bool stopLongRepetition(unsigned long ulLines, double) { return ulLines >= gc_ulMAX_REPEATED; }

/// The bytes up to the next line feed are entered as a stored line, as a history file replays
/// it: only the printable codes of tokens, which a file may hold.
void replayLine() {
    std::string sCodes;
    for (; lg_pucNext < lg_pucEnd && *lg_pucNext != gc_ucLINE_END; ++lg_pucNext)
        if (*lg_pucNext > ' ' && *lg_pucNext < 127 && tokenOfCode(*lg_pucNext) != eT_NULL)
            sCodes += static_cast<char>(*lg_pucNext);
    enterStoredLine(sCodes);
}

void toggle(bool& bSetting) { bSetting = !bSetting; }

/// Commands for the bytes from 128 on, the high bit set.
void (*const gc_apfnCOMMANDS[])() = {
    [] { lineAction(eT_PREV); },
    [] { lineAction(eT_NEXT); },
    [] { lineAction(eT_MOVE_LEFT); },
    [] { lineAction(eT_MOVE_RIGHT); },
    [] { lineAction(eT_BKSP); },
    [] { lineAction(eT_CLEAR); },
    [] { lineAction(eT_ENTER); },
    insertItem,
    clearItem,
    clearHistory,
    clearAll,
    [] { toggle(g_bExecute); },
    [] { toggle(g_bError_Check); },
    [] { toggle(g_bAuto_Parentheses); },
    [] { toggle(g_bZero_Out); },
    [] { g_eView_State = static_cast<eVIEW_STATE>((g_eView_State + 1) % 3); },
    [] { g_eWindow_Mode = static_cast<eWINDOW_MODE>((g_eWindow_Mode + 1) % 3); },
    [] { g_eOutput = static_cast<eGRAPH_STATE>((g_eOutput + 1) % 3); },   // the graph window closed, shown, behind
    replayLine,
};
constexpr std::size_t gc_uiCOMMANDS = sizeof gc_apfnCOMMANDS / sizeof gc_apfnCOMMANDS[0];

bool tailIsClear(const ClState& line) {
    for (int i = line.mp_uiLength; i < gc_iLINE_SIZE; ++i)
        if (line.mp_acInput[i] != 0) return false;
    return true;
}

void checkLine(const ClState& line, const char* acWhat) {
    require(line.mp_uiLength < gc_iLINE_SIZE && line.mp_uiCursor <= line.mp_uiLength, acWhat);
    require(tailIsClear(line), acWhat);
}

/// What every key press and command must leave behind.
void checkState() {
    checkLine(g_Current_State, "current line");
    require(g_uiHistory_Next <= gc_iHISTORY_SIZE && g_uiHistory_Index <= g_uiHistory_Next, "history count or index");
    for (int i = 0; i < gc_iHISTORY_SIZE; ++i)
        require((lg_State_History[i].mp_uiLength > 0) == (i < g_uiHistory_Next), "stored lines not the first entries");
    if (g_uiHistory_Next < gc_iHISTORY_SIZE) checkLine(lg_State_History[g_uiHistory_Next], "free history entry");
    if (g_uiHistory_Index < g_uiHistory_Next) checkLine(g_Current_State_Bkp, "line saved while browsing");
    require(g_uiError_Number == eE_NONE && g_acOutput_Line[0] == '\0' && !g_bBusy && !g_bRepeat && !g_bPlot, "a line's state left over");
    // The input display ends with the line's rendering and the cursor mark at the cursor.
    const ClState& line = g_Current_State;
    require(line.mp_uiDisplay_Start <= static_cast<unsigned>(lg_Input.textLength()), "line rendering past the input display");
    std::string rendering;
    for (unsigned short ui = 0; ui <= line.mp_uiLength; ++ui) {
        if (ui == line.mp_uiCursor) rendering += '_';
        if (ui < line.mp_uiLength) rendering += gc_aacTOKEN_NAME[tokenOfCode(line.mp_acInput[ui])];
    }
    require(lg_Input.mp_sText.compare(line.mp_uiDisplay_Start, std::string::npos, rendering) == 0,
            "input display not showing the line");
    require(lg_Output.mp_iSaved_Position == lg_Output.textLength() &&
                lg_Output.insertPosition() == lg_Output.mp_iSaved_Position,
            "output position not at the end of the output");
    require(lg_Input.mp_sText.compare(0, 8, gc_acSPACER) == 0 && lg_Output.mp_sText.compare(0, 8, gc_acSPACER) == 0,
            "a display without its spacer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    if (uiSize > gc_uiMAX_INPUT) return 0;
    resetExecution(&lg_Input, &lg_Output);
    g_pfnRepeat_Poll = stopLongRepetition;
    lg_pucNext = pucData;
    lg_pucEnd = pucData + uiSize;
    while (lg_pucNext < lg_pucEnd) {
        const unsigned char ucByte = *lg_pucNext++;
        if (ucByte < 128) typeKey(ucByte);   // the key of that code
        else gc_apfnCOMMANDS[(ucByte - 128) % gc_uiCOMMANDS]();
        checkState();
        if (lg_Output.textLength() + lg_Input.textLength() > gc_iMAX_OUTPUT) clearHistory();
    }
    require(savesAndOpensBack(), "the state does not save and open back");
    return 0;
}
