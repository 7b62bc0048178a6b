// Line fuzzer: arbitrary byte lines through the lexer, the evaluator and the three number
// formats, a few lines per input so that variables and Ans carry from one line to the next.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine_state.h"

namespace {

constexpr std::size_t gc_uiMAX_INPUT = 2048;   ///< longer inputs are ignored: nothing new to find
constexpr int gc_iMAX_LINES = 8;               ///< lines per input, split at byte 10
constexpr unsigned char gc_ucLINE_BREAK = 10;

/// Stops the run with a message when the engine left its state inconsistent.
void require(bool bHolds, const char* acWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "engine state corrupt: %s\n", acWhat);
    std::abort();
}

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
    require(g_uiError_Number < gc_iERROR_COUNT, "error number without a message");
    require(std::memchr(g_acOutput_Line, 0, gc_iOUTPUT_LINE_SIZE) != nullptr, "output text not terminated");
    require(fitsLimit(ClCalculator::mp_mLast_Output), "Ans over the entry limit");
    for (const Matrix& mVariable : ClCalculator::mp_mVariable)
        require(fitsLimit(mVariable), "variable over the entry limit");
}

/// Shows a result in every number format, with Zero Out on and off.
void displayAll(const Matrix& mResult) {
    const bool bZero_Out = g_bZero_Out;
    const int eView = g_eView_State;
    for (int eFormat = 0; eFormat < 3; ++eFormat) {
        g_eView_State = eFormat;
        for (const bool bZero : {true, false}) {
            g_bZero_Out = bZero;
            ClCalculator::matrixDisplay(mResult);
            require(std::strlen(g_acOutput_Line) < gc_iOUTPUT_LINE_SIZE, "output text overrun");
        }
    }
    g_bZero_Out = bZero_Out;
    g_eView_State = eView;
    g_acOutput_Line[0] = '\0';
}

/// One line as the Enter action runs it: stored in history first, then lexed and evaluated.
void runLine(const std::uint8_t* pucCodes, std::size_t uiLength, unsigned short uiHistory) {
    if (uiLength > static_cast<std::size_t>(gc_iLINE_MAX_TYPED)) uiLength = gc_iLINE_MAX_TYPED;
    g_Current_State = ClCalculator::mp_NULL_STATE;
    std::memcpy(g_Current_State.mp_acInput, pucCodes, uiLength);
    g_Current_State.mp_uiLength = static_cast<unsigned short>(uiLength);
    g_uiHistory_Next = uiHistory;
    if (ClCalculator::tLexer()) ClCalculator::tParser();
    checkState();
    if (ClCalculator::mp_mParser_Output.rows() > 0) displayAll(ClCalculator::mp_mParser_Output);
    g_uiError_Number = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    if (uiSize > gc_uiMAX_INPUT) return 0;
    resetEngine();
    g_eOutput = 1;   // the graph window is open, so Plot runs its checks
    std::size_t uiStart = 0;
    for (int iLine = 0; iLine < gc_iMAX_LINES && uiStart <= uiSize; ++iLine) {
        const void* pvBreak = std::memchr(pucData + uiStart, gc_ucLINE_BREAK, uiSize - uiStart);
        const std::size_t uiEnd =
            pvBreak != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(pvBreak) - pucData) : uiSize;
        runLine(pucData + uiStart, uiEnd - uiStart, static_cast<unsigned short>(iLine));
        uiStart = uiEnd + 1;
    }
    return 0;
}
