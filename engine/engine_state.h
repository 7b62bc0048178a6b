// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's shared globals and the single reset that restores them to program start.
#pragma once

#include "calculator.h"

constexpr int gc_iSTREAM_SIZE = 513;                 ///< tokens, the last always the null token
constexpr int gc_iOUTPUT_LINE_SIZE = 3750000;        ///< text of one displayed result

extern ClToken lg_aToken_Stream[gc_iSTREAM_SIZE];    ///< written by the lexer, read by the parser
extern unsigned short lg_uiToken_Stream_Length;
extern unsigned short lg_uiNext_Token;               ///< the parser's read position
extern bool lg_bIs_Arg_List;                         ///< the list just read can serve as arguments
extern bool lg_bIs_Arg_List_1;                       ///< the list just read is one element or a range

extern char g_acOutput_Line[gc_iOUTPUT_LINE_SIZE];   ///< text of the last displayed result
extern bool g_bZero_Out;                             ///< clean results and hide residues
/// The number format of results.
enum eVIEW_STATE : int { eVS_DECIMAL = 0, eVS_FLOAT = 1, eVS_RATIONAL = 2 };
/// The graph window: none, shown in the output display's place, or open behind the text.
enum eGRAPH_STATE : int { eGS_NONE = 0, eGS_SHOWN = 1, eGS_BEHIND = 2 };

extern eVIEW_STATE g_eView_State;
extern bool g_bRepeat;                               ///< a Rpt whose condition holds was evaluated
extern bool g_bFailTest;                             ///< a Rpt whose condition fails was evaluated
extern unsigned short g_uiHistory_Next;              ///< number of stored history lines
extern eGRAPH_STATE g_eOutput;                       ///< the graph window
extern unsigned short g_uiActive_Plots;              ///< plots stored in slots 0 to 5
extern bool g_bPlot;                                 ///< a Plot command was evaluated
extern double g_dLine_Work;                          ///< work of the heavy operations of this line
/// Asked before every heavy operation; true stops the line with eE_RPT_LIMIT_EXCEEDED. Set
/// while a repetition runs, so that Escape is heard inside a long line too.
extern bool (*g_pfnWork_Poll)();

inline bool isGraphOpen() { return g_eOutput != eGS_NONE; }

/// Restores every engine global to its start-up value, reseeds the never-seeded random
/// generator and registers the keys.
void resetEngine();

/// The parser's state at the start of every line: read position 0, no repeat request, and
/// the work budget of the line's heavy operations unspent.
void startLine();
