// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions of the engine's globals beside the one reset that restores program start.
#include "engine_state.h"

#include <cstdlib>

#include "button_table.h"

Matrix ClCalculator::mp_mVariable[16];
Matrix ClCalculator::mp_mLast_Output;
Matrix ClCalculator::mp_mParser_Output;
bool ClCalculator::mp_bValue_In_Ans = false;
Matrix ClCalculator::mp_mLinear;
const ClState ClCalculator::mp_NULL_STATE;
const ClToken ClCalculator::mp_NULL_TOKEN;

ClToken lg_aToken_Stream[gc_iSTREAM_SIZE];
unsigned short lg_uiToken_Stream_Length = 0;
unsigned short lg_uiNext_Token = 0;
bool lg_bIs_Arg_List = false;
bool lg_bIs_Arg_List_1 = false;

char g_acOutput_Line[gc_iOUTPUT_LINE_SIZE];
bool g_bZero_Out = true;
eVIEW_STATE g_eView_State = eVS_DECIMAL;
bool g_bRepeat = false;
bool g_bFailTest = false;
unsigned short g_uiHistory_Next = 0;
eGRAPH_STATE g_eOutput = eGS_NONE;
unsigned short g_uiActive_Plots = 0;
bool g_bPlot = false;
double g_dLine_Work = 0.0;
bool (*g_pfnWork_Poll)() = nullptr;

void resetEngine() {
    for (Matrix& mVariable : ClCalculator::mp_mVariable) mVariable.resize(0, 0);
    ClCalculator::mp_mLast_Output.resize(0, 0);
    ClCalculator::mp_mParser_Output.resize(0, 0);
    ClCalculator::mp_bValue_In_Ans = false;
    ClCalculator::mp_mLinear.resize(0, 0);
    for (ClToken& token : lg_aToken_Stream) token = ClCalculator::mp_NULL_TOKEN;
    lg_uiToken_Stream_Length = 0;
    lg_uiNext_Token = 0;
    lg_bIs_Arg_List = false;
    lg_bIs_Arg_List_1 = false;
    g_acOutput_Line[0] = '\0';
    g_bZero_Out = true;
    g_eView_State = eVS_DECIMAL;
    g_bRepeat = false;
    g_bFailTest = false;
    g_uiHistory_Next = 0;
    g_eOutput = eGS_NONE;
    g_uiActive_Plots = 0;
    g_bPlot = false;
    g_dLine_Work = 0.0;
    g_pfnWork_Poll = nullptr;
    g_uiError_Number = eE_NONE;
    g_Current_State = ClCalculator::mp_NULL_STATE;
    g_Current_State_Bkp = ClCalculator::mp_NULL_STATE;
    std::srand(1);   // the state rand() has when the program never seeds it
    registerKeys();
    deriveCodeDictionary();
}

void startLine() {
    lg_uiNext_Token = 0;
    g_bRepeat = false;
    g_dLine_Work = 0.0;
}
