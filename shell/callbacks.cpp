// SPDX-License-Identifier: GPL-3.0-or-later
// The callbacks: thin adapters from widgets and menu items to the line editing, the driver, the
// files, the graph, the matrix editor and the window formats.
#include "callbacks.h"

#include <cstdio>

#include <FL/Fl.H>
#include <FL/Fl_Table.H>

#include "copy_as.h"
#include "dialogs.h"
#include "driver.h"
#include "editor_flow.h"
#include "engine_state.h"
#include "execution_state.h"
#include "file_commands.h"
#include "graph_state.h"
#include "help_windows.h"
#include "line_edit.h"
#include "main_window.h"
#include "output_export.h"

bool lg_bAlt_On = false;

namespace {

eTOKEN tokenOf(void* pData) { return pData ? *static_cast<eTOKEN*>(pData) : eT_NULL; }

/// A button that had focus would be pressed by the space bar; such a press does nothing.
bool isSpacePress() { return Fl::event() == FL_KEYBOARD && Fl::event_text()[0] == ' '; }

void redrawWindow() { g_Main_Window.finishWork(); }

/// A menu command of the driver or the files, then the window refreshed.
void runCommand(void (*pfnCommand)()) {
    pfnCommand();
    redrawWindow();
}

/// The Graph items that act on an open graph window, and the window formats, which do not
/// change while one is open.
void setGraphItems(bool bOpen) {
    for (Fl_Menu_Item* pItem : {ClORBEXUI::mp_miClear_Graph, ClORBEXUI::mp_miText, ClORBEXUI::mp_miCorners,
                                ClORBEXUI::mp_miScales, ClORBEXUI::mp_miSave_Graph}) {
        pItem->clear();
        if (bOpen) pItem->activate();
        else pItem->deactivate();
    }
    for (int i = 0; i < 3; ++i) {
        if (bOpen) ClORBEXUI::mp_miTwo_Windows[i].deactivate();
        else ClORBEXUI::mp_miTwo_Windows[i].activate();
    }
    g_bGraph_Scales = g_bGraph_Corners = false;
}

/// Puts text on the clipboard and the primary selection; when there is none, the title says so.
void copyText(const std::string& sText) {
    if (sText.empty()) g_Main_Window.showNotice("no result to copy");
    else Fl::copy(sText.data(), static_cast<int>(sText.size()), 2);
}

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

void ClCallback::mode_cb(Fl_Widget*, void* pData) { g_Main_Window.changeFormat(*static_cast<eWINDOW_MODE*>(pData)); }

void ClCallback::exit_cb(Fl_Widget*, void*) {
    if (Fl::first_window() != g_Main_Window.mp_pPanel->mp_pWindow) return;   // a help window is in front
    char acQuestion[64];
    std::snprintf(acQuestion, sizeof acQuestion, "Exit %s?", "ORBEX Calculator");
    if (showDialog(eD_CHOICE, acQuestion, "No", "Yes") != 1) return;
    while (Fl::first_window()) Fl::first_window()->hide();
}

void ClCallback::window_cb(Fl_Widget* pWidget, void* pData) {
    if (Fl::event() != FL_CLOSE) return;   // Escape is the Clear key, not a close
    if (g_bBusy) g_bStop_Requested = true;   // a close during a repetition stops it first
    else exit_cb(pWidget, pData);
}

void ClCallback::settings_cb(Fl_Widget*, void*) { readSettings(); }

void ClCallback::insert_cb(Fl_Widget*, void*) { runCommand(insertItem); }

void ClCallback::clear_cb(Fl_Widget*, void*) { runCommand(clearItem); }

void ClCallback::clearAll_cb(Fl_Widget*, void*) { runCommand(clearHistory); }

void ClCallback::clearEverything_cb(Fl_Widget*, void*) { runCommand(clearAll); }

void ClCallback::graph_cb(Fl_Widget*, void*) {
    if (!isGraphOpen()) openGraph();
    else closeGraph();
    setGraphItems(isGraphOpen());
    if (isGraphOpen()) ClORBEXUI::mp_miGraph->set();
    else ClORBEXUI::mp_miGraph->clear();
    g_Main_Window.resizeInWindow();
    redrawWindow();
}

void ClCallback::clearGraph_cb(Fl_Widget*, void*) {
    ClORBEXUI::mp_miClear_Graph->clear();   // a push item that the menu shows as a toggle
    if (!isGraphOpen()) return;
    emptyPlots();
    redrawWindow();
}

void ClCallback::graphView_cb(Fl_Widget*, void*) {
    g_bGraph_Scales = ClORBEXUI::mp_miScales->value() != 0;
    g_bGraph_Corners = ClORBEXUI::mp_miCorners->value() != 0;
    g_Main_Window.mp_pPanel->mp_pGraph_Box->redraw();
}

void ClCallback::text_cb(Fl_Widget*, void*) {
    if (!isGraphOpen()) return;
    g_eOutput = g_eOutput == eGS_SHOWN ? eGS_BEHIND : eGS_SHOWN;
    g_Main_Window.resizeInWindow();
}

void ClCallback::saveGraph_cb(Fl_Widget*, void*) { saveGraphCommand(renderGraphImage); }

void ClCallback::helpHelp_cb(Fl_Widget*, void*) { showHelpWindow(); }

void ClCallback::helpGuide_cb(Fl_Widget*, void*) { showGuideWindow(); }

void ClCallback::helpAbout_cb(Fl_Widget*, void*) { showAboutWindow(); }

void ClCallback::open_cb(Fl_Widget*, void*) { runCommand([] { openCommand(false); }); }

void ClCallback::appendHistory_cb(Fl_Widget*, void*) { runCommand([] { openCommand(true); }); }

void ClCallback::saveIn_cb(Fl_Widget*, void*) { saveInputCommand(); }

void ClCallback::saveVariable_cb(Fl_Widget*, void* pData) { saveVariableCommand(tokenOf(pData)); }

void ClCallback::saveOut_cb(Fl_Widget*, void*) {
    ClTextDisplay& output = *g_Main_Window.mp_pPanel->mp_pOutput_Display;
    saveOutputCommand(output.exactText(), output.mp_llDropped_Blocks);
}

void ClCallback::copy_cb(Fl_Widget*, void*) {
    const std::string sSelection = ClTextDisplay::selection();
    copyText(sSelection.empty() ? copyAs(ClCalculator::mp_mLast_Output, eCF_TEXT) : sSelection);
}

void ClCallback::copyAs_cb(Fl_Widget*, void* pData) {
    copyText(copyAs(ClCalculator::mp_mLast_Output, *static_cast<eCOPY_FORM*>(pData)));
}

void ClCallback::editSizes_cb(Fl_Widget*, void* pData) { openSizeStep(tokenOf(pData)); }

void ClCallback::editCounter_cb(Fl_Widget* pWidget, void*) {
    keepSizesInLimits(pWidget == g_Main_Window.mp_pPanel->mp_pRows);
}

void ClCallback::editMatrixTable_cb(Fl_Widget*, void*) { openTableStep(); }

void ClCallback::sizeCancel_cb(Fl_Widget*, void*) { closeEditor(); }

void ClCallback::editDone_cb(Fl_Widget*, void*) { finishEditing(); }

void ClCallback::editCancel_cb(Fl_Widget*, void*) { cancelEditing(); }

void ClCallback::editPaste_cb(Fl_Widget*, void*) {
    Fl::paste(*g_Main_Window.mp_pPanel->mp_pWindow, 1);
}

void ClCallback::editView_cb(Fl_Widget* pWidget, void*) {
    Fl_Table& table = *static_cast<Fl_Table*>(pWidget);
    switch (table.callback_context()) {
    case Fl_Table::CONTEXT_CELL:
        if (Fl::event() == FL_PUSH) clickCell(table.callback_row(), table.callback_col());
        break;
    case Fl_Table::CONTEXT_ROW_HEADER:
    case Fl_Table::CONTEXT_COL_HEADER:
    case Fl_Table::CONTEXT_TABLE: leaveCell(); break;
    default: break;
    }
}
