// SPDX-License-Identifier: GPL-3.0-or-later
// The displays' scrollback: past a limit the oldest whole blocks leave their top, as a
// terminal's scrollback does, so that a session of any length holds bounded memory.
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"

int g_iDisplay_Limit = gc_iDISPLAY_LIMIT;

namespace {

constexpr int gc_iSPACER_LENGTH = 8;

/// The start of the next block after iFrom: the next output prompt, or in the input display
/// the next input prompt if that comes first; -1 for none.
int nextBlock(ClTextPane& pane, int iFrom) {
    const int iOut = pane.findText(iFrom, gc_acOUT_PROMPT);
    if (&pane != g_pInput_Display) return iOut;
    const int iIn = pane.findText(iFrom, gc_acIN_PROMPT);
    return iOut < 0 || (iIn >= 0 && iIn < iOut) ? iIn : iOut;
}

/// Once the pane holds more than the limit, the blocks that start before its last three
/// quarters leave it, but the block being written always stays; what points into the pane
/// moves with its text.
void boundPane(ClTextPane& pane) {
    if (pane.textLength() <= g_iDisplay_Limit) return;
    const int iKeep_From = pane.textLength() - g_iDisplay_Limit / 4 * 3;
    int iCut = gc_iSPACER_LENGTH;   // the start of the first block that stays
    long long llBlocks = 0;
    for (int iNext = nextBlock(pane, iCut + 1); iNext >= 0 && iCut < iKeep_From; iNext = nextBlock(pane, iCut + 1)) {
        iCut = iNext;
        ++llBlocks;
    }
    if (iCut == gc_iSPACER_LENGTH) return;
    const int iRemoved = iCut - gc_iSPACER_LENGTH;
    pane.removeText(gc_iSPACER_LENGTH, iCut);
    pane.mp_llDropped_Blocks += llBlocks;
    pane.mp_iSaved_Position = pane.mp_iSaved_Position > iCut ? pane.mp_iSaved_Position - iRemoved : gc_iSPACER_LENGTH;
    unsigned& uiStart = g_Current_State.mp_uiDisplay_Start;
    if (&pane == g_pActive_Display && uiStart >= static_cast<unsigned>(iCut)) uiStart -= static_cast<unsigned>(iRemoved);
}

}  // namespace

void boundDisplays() {
    if (lg_eActive_Input != eAI_CALCULATOR) return;   // the matrix editor's entry lines point into its own display
    boundPane(*g_pOutput_Display);
    boundPane(*g_pInput_Display);
}
