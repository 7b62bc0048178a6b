// The callbacks: thin adapters from widgets and menu items to the line editing, the driver and
// the window formats.
#include "callbacks.h"

#include <cstdio>

#include <FL/Fl.H>

#include "dialogs.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_edit.h"
#include "main_window.h"

bool lg_bAlt_On = false;

namespace {

eTOKEN tokenOf(void* pData) { return pData ? *static_cast<eTOKEN*>(pData) : eT_NULL; }

/// A button that had focus would be pressed by the space bar; such a press does nothing.
bool isSpacePress() { return Fl::event() == FL_KEYBOARD && Fl::event_text()[0] == ' '; }

void redrawWindow() { g_Main_Window.mp_pPanel->mp_pWindow->redraw(); }

}  // namespace

void ClCallback::token_cb(Fl_Widget*, void* pData) {
    if (!isSpacePress()) pressToken(tokenOf(pData));
}

void ClCallback::digit_cb(Fl_Widget*, void* pData) {
    if (!isSpacePress()) pressDigit(tokenOf(pData));
}

void ClCallback::state_cb(Fl_Widget*, void* pData) {
    if (isSpacePress()) return;
    lineAction(tokenOf(pData));
    redrawWindow();
}

void ClCallback::alt_cb(Fl_Widget*, void*) {
    g_epbDictionary[eT_ALTERNATE]->value(lg_bAlt_On ? 0 : 1);
    for (eTOKEN t : lg_eALTS) {
        ClButton* pHide = g_epbDictionary[lg_bAlt_On ? t + 1 : t];
        ClButton* pShow = g_epbDictionary[lg_bAlt_On ? t : t + 1];
        pHide->deactivate();
        pHide->hide();
        pShow->activate();
        pShow->show();
    }
    lg_bAlt_On = !lg_bAlt_On;
}

void ClCallback::mode_cb(Fl_Widget*, void* pData) {
    const int eNew = *static_cast<int*>(pData);
    if (g_eOutput != 0) {   // no format change while a graph window is open
        ClORBEXUI::mp_miTwo_Windows[g_eWindow_Mode].setonly();
        return;
    }
    if (eNew == g_eWindow_Mode) return;
    if (eNew != 2 && g_eWindow_Mode != 2) {
        g_eWindow_Mode = eNew;
        g_Main_Window.resizeInWindow();
        return;
    }
    if (lg_bAlt_On) alt_cb(nullptr, nullptr);
    cleanUp(true);
    g_Main_Window.reinitializeWindow();
    if (eNew == 1) {
        g_eWindow_Mode = 1;
        g_Main_Window.resizeInWindow();
        ClORBEXUI::mp_miOne_Window->setonly();
    }
    redrawWindow();
}

void ClCallback::exit_cb(Fl_Widget*, void*) {
    if (Fl::first_window() != g_Main_Window.mp_pPanel->mp_pWindow) return;   // a help window is in front
    char acQuestion[64];
    std::snprintf(acQuestion, sizeof acQuestion, "Exit %s?", "ORBEX Calculator");
    if (showDialog(eD_CHOICE, acQuestion, "No", "Yes") != 1) return;
    while (Fl::first_window()) Fl::first_window()->hide();
}

void ClCallback::window_cb(Fl_Widget* pWidget, void* pData) {
    if (Fl::event() == FL_CLOSE) exit_cb(pWidget, pData);   // Escape is the Clear key, not a close
}

void ClCallback::settings_cb(Fl_Widget*, void*) { readSettings(); }

void ClCallback::insert_cb(Fl_Widget*, void*) {
    insertItem();
    redrawWindow();
}

void ClCallback::clear_cb(Fl_Widget*, void*) {
    clearItem();
    redrawWindow();
}

void ClCallback::clearAll_cb(Fl_Widget*, void*) {
    clearHistory();
    redrawWindow();
}

void ClCallback::clearEverything_cb(Fl_Widget* pWidget, void* pData) {
    clearAll_cb(pWidget, pData);
    for (Matrix& mVariable : ClCalculator::mp_mVariable) mVariable.resize(0, 0);
    g_uiActive_Plots = 0;
    ClCalculator::mp_mParser_Output.resize(0, 0);
    ClCalculator::mp_mLast_Output.resize(0, 0);
    ClCalculator::mp_mLinear.resize(0, 0);
}
