// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar's one item table, shared by both builds and written back to its initial states
// by each of them.
#include <cmath>
#include <cstring>
#include <iterator>

#include "callbacks.h"
#include "copy_as.h"
#include "engine_state.h"
#include "execution_state.h"
#include "panel.h"

namespace {

int lg_aiView_State[] = {0, 1, 2};    ///< user data of the output format items
eWINDOW_MODE lg_aeWindow_Mode[] = {eWM_TWO_WINDOWS, eWM_ONE_WINDOW, eWM_PORTRAIT};   ///< user data of the format items
eCOPY_FORM lg_aeCopy_Form[] = {eCF_TEXT, eCF_OCTAVE, eCF_NUMPY, eCF_LATEX};   ///< user data of the copy forms
constexpr void* tokenData(int iVariable) { return const_cast<eTOKEN*>(&eToken_Matrix[iVariable]); }

constexpr int gc_iTOP = 18, gc_iITEM = 16, gc_iHISTORY = 14;   ///< label sizes
constexpr int INACTIVE = FL_MENU_INACTIVE, TOGGLE = FL_MENU_TOGGLE, RADIO = FL_MENU_RADIO;
constexpr int ON = FL_MENU_VALUE, SUB = FL_SUBMENU;

#define ITEM(label, shortcut, callback, data, flags, size) \
    {label, shortcut, callback, data, flags, FL_NORMAL_LABEL, 0, size, 0}
#define END {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0}

const Fl_Menu_Item gc_aMENU[] = {
    ITEM("File", 0, nullptr, nullptr, SUB, gc_iTOP),
        ITEM("Open", 0, ClCallback::open_cb, nullptr, 0, gc_iITEM),
        ITEM("Save Input", 0, ClCallback::saveIn_cb, nullptr, 0, gc_iITEM),
        ITEM("Save Output", 0, ClCallback::saveOut_cb, nullptr, 0, gc_iITEM),
        ITEM("Save Variable", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("  A  ", FL_ALT + 'a', ClCallback::saveVariable_cb, tokenData(0), 0, gc_iITEM),
            ITEM("  B  ", FL_ALT + 'b', ClCallback::saveVariable_cb, tokenData(1), 0, gc_iITEM),
            ITEM("  C  ", FL_ALT + 'c', ClCallback::saveVariable_cb, tokenData(2), 0, gc_iITEM),
            ITEM("  P  ", FL_CTRL + 'p', ClCallback::saveVariable_cb, tokenData(3), 0, gc_iITEM),
            ITEM("  Q  ", FL_CTRL + 'q', ClCallback::saveVariable_cb, tokenData(4), 0, gc_iITEM),
            ITEM("  U  ", FL_ALT + 'u', ClCallback::saveVariable_cb, tokenData(5), 0, gc_iITEM),
            ITEM("  V  ", FL_ALT + 'v', ClCallback::saveVariable_cb, tokenData(6), 0, gc_iITEM),
            ITEM("  u  ", FL_ALT + 'x', ClCallback::saveVariable_cb, tokenData(7), 0, gc_iITEM),
            ITEM("  v  ", FL_ALT + 'y', ClCallback::saveVariable_cb, tokenData(8), 0, gc_iITEM),
            ITEM("  w  ", FL_ALT + 'w', ClCallback::saveVariable_cb, tokenData(9), 0, gc_iITEM),
            END,
        ITEM("Save Graph", 0, ClCallback::saveGraph_cb, nullptr, INACTIVE, gc_iITEM),
        ITEM("Quit", 0, ClCallback::exit_cb, nullptr, 0, gc_iITEM),
        END,
    ITEM("Edit", 0, nullptr, nullptr, SUB, gc_iTOP),
        ITEM("History", 0, nullptr, nullptr, SUB, gc_iHISTORY),
            ITEM("Insert  Item", 0, ClCallback::insert_cb, nullptr, 0, gc_iITEM),
            ITEM("Clear Item", 0, ClCallback::clear_cb, nullptr, 0, gc_iITEM),
            ITEM("Append", 0, ClCallback::appendHistory_cb, nullptr, 0, gc_iITEM),
            ITEM("Clear History", 0, ClCallback::clearAll_cb, nullptr, 0, gc_iITEM),
            ITEM("Clear All", 0, ClCallback::clearEverything_cb, nullptr, 0, gc_iITEM),
            END,
        ITEM("Matrix", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("  A  ", FL_ALT + FL_SHIFT + 'a', ClCallback::editSizes_cb, tokenData(0), 0, gc_iITEM),
            ITEM("  B  ", FL_CTRL + FL_ALT + 'b', ClCallback::editSizes_cb, tokenData(1), 0, gc_iITEM),
            ITEM("  C  ", FL_ALT + FL_SHIFT + 'c', ClCallback::editSizes_cb, tokenData(2), 0, gc_iITEM),
            ITEM("  P  ", FL_CTRL + FL_ALT + 'p', ClCallback::editSizes_cb, tokenData(3), 0, gc_iITEM),
            ITEM("  Q  ", FL_CTRL + FL_ALT + 'q', ClCallback::editSizes_cb, tokenData(4), 0, gc_iITEM),
            ITEM("  U  ", FL_CTRL + FL_ALT + 'u', ClCallback::editSizes_cb, tokenData(5), 0, gc_iITEM),
            ITEM("  V  ", FL_CTRL + FL_ALT + 'v', ClCallback::editSizes_cb, tokenData(6), 0, gc_iITEM),
            ITEM("  u  ", FL_CTRL + FL_ALT + 'x', ClCallback::editSizes_cb, tokenData(7), 0, gc_iITEM),
            ITEM("  v  ", FL_CTRL + FL_ALT + 'y', ClCallback::editSizes_cb, tokenData(8), 0, gc_iITEM),
            ITEM("  w  ", FL_CTRL + FL_ALT + 'w', ClCallback::editSizes_cb, tokenData(9), 0, gc_iITEM),
            END,
        ITEM("Copy Result As", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("Text", 0, ClCallback::copyAs_cb, &lg_aeCopy_Form[0], 0, gc_iITEM),
            ITEM("Octave/MATLAB", 0, ClCallback::copyAs_cb, &lg_aeCopy_Form[1], 0, gc_iITEM),
            ITEM("NumPy", 0, ClCallback::copyAs_cb, &lg_aeCopy_Form[2], 0, gc_iITEM),
            ITEM("LaTeX", 0, ClCallback::copyAs_cb, &lg_aeCopy_Form[3], 0, gc_iITEM),
            END,
        ITEM("Copy", FL_CTRL + 'c', ClCallback::copy_cb, nullptr, 0, gc_iITEM),
        END,
    ITEM("View", 0, nullptr, nullptr, SUB, gc_iTOP),
        ITEM("Output Format", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("Decimal", FL_CTRL + 'd', ClCallback::settings_cb, &lg_aiView_State[0], RADIO | ON, gc_iITEM),
            ITEM("Floating Point ", FL_ALT + 'f', ClCallback::settings_cb, &lg_aiView_State[1], RADIO, gc_iITEM),
            ITEM("Rational", FL_CTRL + 'r', ClCallback::settings_cb, &lg_aiView_State[2], RADIO, gc_iITEM),
            END,
        ITEM("Window Format", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("Two Windows", FL_CTRL + FL_ALT + 'd', ClCallback::mode_cb, &lg_aeWindow_Mode[0], RADIO | ON, gc_iITEM),
            ITEM("One Window", FL_CTRL + FL_ALT + 'f', ClCallback::mode_cb, &lg_aeWindow_Mode[1], RADIO, gc_iITEM),
            ITEM("Portrait Mode", FL_CTRL + FL_ALT + 'r', ClCallback::mode_cb, &lg_aeWindow_Mode[2], RADIO, gc_iITEM),
            END,
        ITEM("Graph", 0, nullptr, nullptr, SUB, gc_iITEM),
            ITEM("Graph Window", FL_CTRL + FL_ALT + 'g', ClCallback::graph_cb, nullptr, TOGGLE, gc_iITEM),
            ITEM("Clear Graph", FL_CTRL + FL_ALT + 'f', ClCallback::clearGraph_cb, nullptr, TOGGLE | INACTIVE, gc_iITEM),
            ITEM("Scales", FL_ALT + 'j', ClCallback::graphView_cb, nullptr, TOGGLE | INACTIVE, gc_iITEM),
            ITEM("Corners", FL_ALT + 'k', ClCallback::graphView_cb, nullptr, TOGGLE | INACTIVE, gc_iITEM),
            ITEM("Output Window", FL_CTRL + 't', ClCallback::text_cb, nullptr, TOGGLE | INACTIVE, gc_iITEM),
            END,
        END,
    ITEM("Settings", 0, nullptr, nullptr, SUB, gc_iTOP),
        ITEM("Zero Out", 0, ClCallback::settings_cb, nullptr, TOGGLE | ON, gc_iITEM),
        ITEM("Error Check", 0, ClCallback::settings_cb, nullptr, TOGGLE | ON, gc_iITEM),
        ITEM("Auto Parentheses", 0, ClCallback::settings_cb, nullptr, TOGGLE | ON, gc_iITEM),
        ITEM("Execute", 0, ClCallback::settings_cb, nullptr, TOGGLE | ON, gc_iITEM),
        END,
    ITEM("Help", 0, nullptr, nullptr, SUB, gc_iTOP),
        ITEM("Calculator Help", 0, ClCallback::helpHelp_cb, nullptr, 0, gc_iITEM),
        ITEM("Calculator User Guide", 0, ClCallback::helpGuide_cb, nullptr, 0, gc_iITEM),
        ITEM("About", 0, ClCallback::helpAbout_cb, nullptr, 0, gc_iITEM),
        END,
    END};
#undef ITEM
#undef END

Fl_Menu_Item lg_aMenu[sizeof gc_aMENU / sizeof gc_aMENU[0]];   ///< the table the menu bar shows
double lg_dMenu_Scale = 1;   ///< the factor of its label sizes

Fl_Menu_Item* item(const char* acPath) {
    for (Fl_Menu_Item& entry : lg_aMenu)
        if (entry.text && std::strcmp(entry.text, acPath) == 0) return &entry;
    return nullptr;
}

}  // namespace

Fl_Menu_Item* ClORBEXUI::mp_miSave_Graph = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miDecimal = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miTwo_Windows = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miOne_Window = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miPortrait = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miGraph = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miClear_Graph = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miScales = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miCorners = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miText = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miZero_Out = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miError_Item = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miParentheses = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_miExecute = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_smFile = nullptr;
Fl_Menu_Item* ClORBEXUI::mp_smEdit = nullptr;

void scaleMenu(double dFactor) {
    lg_dMenu_Scale = dFactor;
    for (std::size_t i = 0; i < std::size(lg_aMenu); ++i)
        lg_aMenu[i].labelsize_ = static_cast<Fl_Fontsize>(std::lround(gc_aMENU[i].labelsize_ * dFactor));
}

Fl_Menu_Item* resetMenu() {
    std::memcpy(static_cast<void*>(lg_aMenu), gc_aMENU, sizeof lg_aMenu);
    scaleMenu(lg_dMenu_Scale);
    ClORBEXUI::mp_miSave_Graph = item("Save Graph");
    ClORBEXUI::mp_miDecimal = item("Decimal");
    ClORBEXUI::mp_miTwo_Windows = item("Two Windows");
    ClORBEXUI::mp_miOne_Window = item("One Window");
    ClORBEXUI::mp_miPortrait = item("Portrait Mode");
    ClORBEXUI::mp_miGraph = item("Graph Window");
    ClORBEXUI::mp_miClear_Graph = item("Clear Graph");
    ClORBEXUI::mp_miScales = item("Scales");
    ClORBEXUI::mp_miCorners = item("Corners");
    ClORBEXUI::mp_miText = item("Output Window");
    ClORBEXUI::mp_miZero_Out = item("Zero Out");
    ClORBEXUI::mp_miError_Item = item("Error Check");
    ClORBEXUI::mp_miParentheses = item("Auto Parentheses");
    ClORBEXUI::mp_miExecute = item("Execute");
    ClORBEXUI::mp_smFile = item("File");
    ClORBEXUI::mp_smEdit = item("Edit");
    return lg_aMenu;
}

void readSettings() {
    g_bZero_Out = ClORBEXUI::mp_miZero_Out->value() != 0;
    g_bError_Check = ClORBEXUI::mp_miError_Item->value() != 0;
    g_bAuto_Parentheses = ClORBEXUI::mp_miParentheses->value() != 0;
    g_bExecute = ClORBEXUI::mp_miExecute->value() != 0;
    for (int i = 0; i < 3; ++i)
        if (ClORBEXUI::mp_miDecimal[i].value()) g_eView_State = static_cast<eVIEW_STATE>(i);
}
