// SPDX-License-Identifier: GPL-3.0-or-later
// Line fuzzer: arbitrary byte lines through the lexer, the evaluator and the three number
// formats, a few lines per input so that variables and Ans carry from one line to the next.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine_state.h"
#include "fuzz_common.h"

namespace {

constexpr std::size_t gc_uiMAX_INPUT = 2048;   ///< longer inputs are ignored: nothing new to find
constexpr int gc_iMAX_LINES = 8;               ///< lines per input, split at byte 10
constexpr unsigned char gc_ucLINE_BREAK = 10;
constexpr int gc_iDISPLAY_WAYS = 6;                  ///< three formats, Zero Out on and off
constexpr Eigen::Index gc_iALL_WAYS_MAX = 65536;     ///< larger results are shown one way per line
constexpr int gc_iLINE_TEXT_SIZE = 8192;             ///< the input display's rendering buffer

bool fitsLimit(const Matrix& m) { return m.size() <= gc_iMAX_ENTRIES; }

/// What every line must leave behind, whatever it held.
void checkState() {
    const ClState& line = g_Current_State;
    require(line.mp_uiLength < gc_iLINE_SIZE, "line longer than its record");
    require(line.mp_uiCursor == line.mp_uiLength, "cursor not at the end of the line");
    for (int i = line.mp_uiLength; i < gc_iLINE_SIZE; ++i)
        require(line.mp_acInput[i] == 0, "line record not cleared after its end");
    require(lg_uiToken_Stream_Length < gc_iSTREAM_SIZE, "token stream past its array");
    require(lg_aToken_Stream[lg_uiToken_Stream_Length].mp_eToken == eT_NULL, "stream without its null token");
    require(g_uiError_Number < eE_COUNT, "error number without a message");
    require(std::memchr(g_acOutput_Line, 0, gc_iOUTPUT_LINE_SIZE) != nullptr, "output text not terminated");
    char acLine_Text[gc_iLINE_TEXT_SIZE];   // the line as the input display renders it
    line.inputToChar(acLine_Text, 0, line.mp_uiLength);
    require(fitsLimit(ClCalculator::mp_mLast_Output), "Ans over the entry limit");
    for (const Matrix& mVariable : ClCalculator::mp_mVariable)
        require(fitsLimit(mVariable), "variable over the entry limit");
}

/// Shows a result in the three number formats, with Zero Out on and off. A large result is
/// shown in one of the six ways, in turn by line, so that a line stays within the timeout.
void displayAll(const Matrix& mResult, int iLine) {
    const bool bZero_Out = g_bZero_Out;
    const eVIEW_STATE eView = g_eView_State;
    for (int iWay = 0; iWay < gc_iDISPLAY_WAYS; ++iWay) {
        if (mResult.size() > gc_iALL_WAYS_MAX && iWay != iLine % gc_iDISPLAY_WAYS) continue;
        g_eView_State = static_cast<eVIEW_STATE>(iWay / 2);
        g_bZero_Out = iWay % 2 == 0;
        ClCalculator::matrixDisplay(mResult);
        require(std::strlen(g_acOutput_Line) < gc_iOUTPUT_LINE_SIZE, "output text overrun");
    }
    g_bZero_Out = bZero_Out;
    g_eView_State = eView;
    g_acOutput_Line[0] = '\0';
}

/// One line as the Enter action runs it, the earlier lines of the input being its history.
/// The settings change from line to line, as the menus let them.
void runLine(const std::uint8_t* pucCodes, std::size_t uiLength, int iLine) {
    if (uiLength > static_cast<std::size_t>(gc_iLINE_MAX_TYPED)) uiLength = gc_iLINE_MAX_TYPED;
    g_Current_State = ClCalculator::mp_NULL_STATE;
    std::memcpy(g_Current_State.mp_acInput, pucCodes, uiLength);
    g_Current_State.mp_uiLength = static_cast<unsigned short>(uiLength);
    g_uiHistory_Next = static_cast<unsigned short>(iLine);
    g_bZero_Out = iLine % 2 == 0;
    g_eView_State = static_cast<eVIEW_STATE>(iLine % 3);
    const bool bLexed = ClCalculator::tLexer();
    if (bLexed) ClCalculator::tParser();
    checkState();
    if (bLexed && ClCalculator::lineValue().rows() > 0) displayAll(ClCalculator::lineValue(), iLine);
    g_uiError_Number = eE_NONE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    if (uiSize > gc_uiMAX_INPUT) return 0;
    resetEngine();
    g_eOutput = eGS_SHOWN;   // the graph window is open, so Plot runs its checks
    std::size_t uiStart = 0;
    for (int iLine = 0; iLine < gc_iMAX_LINES && uiStart <= uiSize; ++iLine) {
        const void* pvBreak = std::memchr(pucData + uiStart, gc_ucLINE_BREAK, uiSize - uiStart);
        const std::size_t uiEnd =
            pvBreak != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(pvBreak) - pucData) : uiSize;
        runLine(pucData + uiStart, uiEnd - uiStart, iLine);
        uiStart = uiEnd + 1;
    }
    return 0;
}
