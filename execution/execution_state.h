// SPDX-License-Identifier: GPL-3.0-or-later
// The input and execution globals (line editing, settings, history) and their one reset.
#pragma once

#include "state.h"
#include "text_pane.h"

constexpr int gc_iHISTORY_SIZE = 1024;
constexpr int gc_iDISPLAY_LIMIT = 32 << 20;   ///< characters a display holds before its oldest blocks go
extern int g_iDisplay_Limit;                  ///< gc_iDISPLAY_LIMIT; tests lower it
extern const char gc_acIN_PROMPT[];      ///< "\nIn>"
extern const char gc_acOUT_PROMPT[];     ///< "\nOut>"
extern const char gc_acSPACER[];         ///< the eight newlines at the top of both displays
extern const char gc_acCURSOR[];         ///< "_"

extern ClTextPane* g_pInput_Display;     ///< the calculator's input display
extern ClTextPane* g_pOutput_Display;    ///< the output display
extern ClTextPane* g_pActive_Display;    ///< the display showing the line being edited
/// Whose line the keys edit: the calculator's, or the matrix editor's entry or sizes.
enum eACTIVE_INPUT : int { eAI_CALCULATOR = 0, eAI_EDITOR_ENTRY = 1, eAI_EDITOR_SIZES = 2 };
/// The window's format: input and output side by side, in one display, or portrait.
enum eWINDOW_MODE : int { eWM_TWO_WINDOWS = 0, eWM_ONE_WINDOW = 1, eWM_PORTRAIT = 2 };

extern eACTIVE_INPUT lg_eActive_Input;
extern bool lg_bAssignTrue;              ///< an "=" has been accepted into the line
extern eWINDOW_MODE g_eWindow_Mode;
/// Results are shown in the input display too: in one window and in portrait.
inline bool resultsInInput() { return g_eWindow_Mode != eWM_TWO_WINDOWS; }

// The Settings toggles, mirrored from their menu items (all start checked).
extern bool g_bError_Check;
extern bool g_bAuto_Parentheses;
extern bool g_bExecute;

extern ClState lg_State_History[gc_iHISTORY_SIZE];
extern unsigned short g_uiHistory_Index;  ///< entry shown while browsing; equals the count otherwise

// Hooks the window fills in after the reset; null without a window.
/// Redraws the graph box after a plot was stored or the plots were removed. bShow_Graph: a
/// repetition stored a plot with the graph shown, which then takes the output display's place.
extern void (*g_pfnGraph_Changed)(bool bShow_Graph);
/// Called after every repeated line with the lines run so far in this Enter action and the
/// seconds since its repetition began; returning true stops the whole repetition with
/// eE_RPT_LIMIT_EXCEEDED. The window lets its events through every few hundredths of a second
/// (Escape asks to stop) and, once about half a second has passed, shows the output so far and
/// the count.
extern bool (*g_pfnRepeat_Poll)(unsigned long ulLines, double dSeconds);
/// The matrix editor's Enter steps for an entry being edited (eAI_EDITOR_ENTRY).
extern void (*g_pfnEditor_Enter)();
extern bool g_bBusy;   ///< the Enter action is running: callbacks start no work meanwhile

/// Restores every input and execution global to its start-up value (the engine's included) and
/// attaches the two displays, which are emptied and primed with their spacer and prompt.
void resetExecution(ClTextPane* pInput, ClTextPane* pOutput);
/// Empties both displays and gives them their spacer, the input display its prompt and cursor
/// mark; the current line starts after the prompt.
void primeDisplays();
