// SPDX-License-Identifier: GPL-3.0-or-later
// The main window object: first setup, the rebuild between landscape and portrait, the fitting
// of the displays to the format, and the panel as the matrix editor's view.
// Eigen's headers come before X11's, which define Success and None.
#include "dialogs.h"
#include "editor_flow.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "line_edit.h"

#include "callbacks.h"
#include "main_window.h"
#include "matrix_table.h"
#include "window_scale.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <FL/Fl.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

ClORBEXWindow g_Main_Window;
Fl_Text_Buffer* lg_pBuff_In = nullptr;
Fl_Text_Buffer* lg_pBuff_Out = nullptr;
bool g_bStop_Requested = false;

namespace {

const char gc_acTITLE[] = "ORBEX Calculator";
const char gc_acSIZE_NOTE[] =
    "Note: If this matrix is already defined, its\ndimensions are displayed. If so, changing\ndimensions or "
    "fill-in value and pressing\nEdit will clear all matrix entries to the\nfill-in value.";
bool lg_bShowing_Progress = false;   ///< a long repetition holds the menus and buttons, and counts in the title
double lg_dLast_Poll = 0;
constexpr double gc_dNOTICE_SECONDS = 2.0;

/// The title without its notice, unless a repetition counts in it meanwhile.
void restoreTitle(void*) {
    if (!lg_bShowing_Progress) g_Main_Window.mp_pPanel->mp_pWindow->label(gc_acTITLE);
}

void graphChanged(bool bShow_Graph) {
    ClGraphBox* pGraph = g_Main_Window.mp_pPanel->mp_pGraph_Box;
    if (bShow_Graph) pGraph->show();
    pGraph->redraw();
}

/// Between repeated lines: every few hundredths of a second the window handles its events
/// (Escape asks to stop; nothing else starts), and after half a second the title counts the
/// lines while the output so far is drawn.
bool pollRepeat(unsigned long ulLines, double dSeconds) {
    if (dSeconds < lg_dLast_Poll) lg_dLast_Poll = 0;   // a new repetition
    if (dSeconds - lg_dLast_Poll < 0.03) return g_bStop_Requested;
    lg_dLast_Poll = dSeconds;
    ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    if (!lg_bShowing_Progress) {   // from the first look at the events, nothing else may start
        panel.mp_pMenu_Bar->deactivate();
        panel.mp_pButton_Group->deactivate();
        lg_bShowing_Progress = true;
    }
    if (dSeconds >= 0.5) {
        static char acTitle[96];
        std::snprintf(acTitle, sizeof acTitle, "%s: %lu lines run, Escape stops", gc_acTITLE, ulLines);
        panel.mp_pWindow->label(acTitle);
    }
    // The output gathered since the last poll reaches the displays in one piece.
    for (ClTextDisplay* pDisplay : {panel.mp_pOutput_Display, panel.mp_pInput_Display}) {
        pDisplay->defer(true);
        pDisplay->flush();
    }
    Fl::check();
    return g_bStop_Requested;
}

void setActive(Fl_Menu_Item* pItem, bool bActive) {
    if (bActive) pItem->activate();
    else pItem->deactivate();
}

/// The menu items of the window formats, the File and Edit menus, the graph window and Execute,
/// and the input display, which wait while a matrix is edited.
void setEditItems(bool bActive) {
    for (Fl_Menu_Item* pItem : {ClORBEXUI::mp_miTwo_Windows, ClORBEXUI::mp_miOne_Window, ClORBEXUI::mp_miPortrait,
                                ClORBEXUI::mp_smFile, ClORBEXUI::mp_smEdit, ClORBEXUI::mp_miGraph,
                                ClORBEXUI::mp_miExecute})
        setActive(pItem, bActive);
    for (Fl_Menu_Item* pItem : {ClORBEXUI::mp_miCorners, ClORBEXUI::mp_miScales, ClORBEXUI::mp_miText})
        setActive(pItem, bActive && isGraphOpen());
    ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    if (bActive) panel.mp_pInput_Display->activate();
    else panel.mp_pInput_Display->deactivate();
    panel.mp_pWindow->redraw();
}

/// The matrix editor's steps on the current panel's widgets.
class ClPanelEditorView : public ClEditorView {
public:
    int rowsChosen() const override { return static_cast<int>(panel().mp_pRows->value()); }
    int columnsChosen() const override { return static_cast<int>(panel().mp_pColumns->value()); }
    void chooseSizes(int iRows, int iCols) override {
        panel().mp_pRows->value(iRows);
        panel().mp_pColumns->value(iCols);
    }
    void showSizeStep(const char* acTitle) override {
        ClORBEXUI& ui = panel();
        setEditItems(false);
        ui.mp_pInput_Display->hide();
        ui.mp_pOutput_Display->hide();
        ui.mp_pGraph_Box->hide();
        ui.mp_pNote_Display->label(acTitle);
        ui.mp_pSize_Group->activate();
        ui.mp_pSize_Group->show();
    }
    void showTableStep(const char* acTitle, int iRows, int iCols) override {
        ClORBEXUI& ui = panel();
        ui.mp_pTable->rows(iRows);
        ui.mp_pTable->cols(iCols);
        ui.mp_pTable_Title->label(acTitle);
        ui.mp_pSize_Group->hide();
        ui.mp_pSize_Group->deactivate();
        ui.mp_pInput_Display->hide();
        ui.mp_pTable_Group->activate();
        ui.mp_pTable_Group->show();
        ui.mp_pCell_Editor->hide();
    }
    void showCellEditor(int iRow, int iCol) override {
        ClORBEXUI& ui = panel();
        if (iRow == gc_iNO_CELL) {
            ui.mp_pCell_Editor->hide();
        } else {
            ui.mp_pTable->placeOverCell(ui.mp_pCell_Editor, iRow, iCol);
            ui.mp_pCell_Editor->show();
        }
        ui.mp_pTable->redraw();
    }
    void closeSteps() override {
        setEditItems(true);
        for (Fl_Group* pGroup : {panel().mp_pSize_Group, panel().mp_pTable_Group}) {
            pGroup->hide();
            pGroup->deactivate();
        }
        g_Main_Window.resizeInWindow();   // the input display and the right-hand view come back
    }
    ClTextPane* fillInPane() override { return panel().mp_pFill_In_Display; }
    ClTextPane* cellPane() override { return panel().mp_pCell_Editor; }

private:
    static ClORBEXUI& panel() { return *g_Main_Window.mp_pPanel; }
};
ClPanelEditorView lg_Editor_View;

/// Key events of the main window reach its mapping before any focused child sees them.
int dispatchKeys(int iEvent, Fl_Window* pWindow) {
    if (iEvent == FL_KEYDOWN && g_Main_Window.mp_pPanel && pWindow == g_Main_Window.mp_pPanel->mp_pWindow &&
        ClWindow::mapKey(iEvent))
        return 1;
    return Fl::handle_(iEvent, pWindow);
}

/// The screen as the X server describes it (the display opened first).
ClScreen readScreen() {
    fl_open_display();
    ClScreen screen{};
    if (const char* acDpi = XGetDefault(fl_display, "Xft", "dpi")) screen.dXft_Dpi = std::strtod(acDpi, nullptr);
    screen.iWidth_Px = DisplayWidth(fl_display, fl_screen);
    screen.iWidth_Mm = DisplayWidthMM(fl_display, fl_screen);
    int iX, iY;
    Fl::screen_work_area(iX, iY, screen.iWork_W, screen.iWork_H);
    return screen;
}

int toolkitChooser(const char* acTitle, bool bSave, std::string& sPath) {
    Fl_Native_File_Chooser chooser;
    chooser.title(acTitle);
    chooser.type(bSave ? Fl_Native_File_Chooser::BROWSE_SAVE_FILE : Fl_Native_File_Chooser::BROWSE_FILE);
    if (bSave) chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM);
    switch (chooser.show()) {
    case 0: sPath = chooser.filename(); return 1;
    case 1: return 0;
    default: return -1;
    }
}

int toolkitDialog(eDIALOG eKind, const char* acText, const char* acB0, const char* acB1, const char* acB2) {
    switch (eKind) {
    case eD_MESSAGE: fl_message("%s", acText); return 0;
    case eD_ALERT: fl_alert("%s", acText); return 0;
    default: return fl_choice("%s", acB0, acB1, acB2, acText);
    }
}

}  // namespace

ClORBEXWindow::~ClORBEXWindow() {
    delete mp_pPanel;
    for (Fl_Text_Buffer* pBuffer : {lg_pBuff_In, lg_pBuff_Out, mp_pNote_Buffer, mp_pTable_Buffer}) delete pBuffer;
}

void ClORBEXWindow::initializeWindow() {
    if (!g_pfnDialog) g_pfnDialog = toolkitDialog;
    if (!g_pfnChoose_File) g_pfnChoose_File = toolkitChooser;
    Fl::event_dispatch(dispatchKeys);
    lg_pBuff_In = new Fl_Text_Buffer(0, 1024);
    lg_pBuff_Out = new Fl_Text_Buffer(0, 1024);
    mp_pNote_Buffer = new Fl_Text_Buffer(0, 1024);
    mp_pTable_Buffer = new Fl_Text_Buffer(0, 1024);
    mp_pNote_Buffer->text(gc_acSIZE_NOTE);
    mp_pPanel = g_eWindow_Mode == eWM_PORTRAIT ? new ClORBEXUI(true) : new ClORBEXUI();
    const int* aiSize = mp_pPanel->mp_aiBase_Size;
    mp_pPanel->scaleTo(startScale(readScreen(), std::getenv("ORBEX_SCALE"), aiSize[0], aiSize[1]));
    setUpDisplays();
    resetCalculator();
}

void ClORBEXWindow::resetCalculator() {
    resetExecution(mp_pPanel->mp_pInput_Display, mp_pPanel->mp_pOutput_Display);
    resetGraph();
    g_pfnGraph_Changed = graphChanged;
    g_pfnRepeat_Poll = pollRepeat;
    resetEditor(&lg_Editor_View);
}

void ClORBEXWindow::finishWork() {
    g_bStop_Requested = false;
    mp_pPanel->mp_pOutput_Display->defer(false);
    mp_pPanel->mp_pInput_Display->defer(false);
    if (lg_bShowing_Progress) {
        mp_pPanel->mp_pWindow->label(gc_acTITLE);
        mp_pPanel->mp_pMenu_Bar->activate();
        mp_pPanel->mp_pButton_Group->activate();
        lg_bShowing_Progress = false;
    }
    mp_pPanel->mp_pWindow->redraw();
}

void ClORBEXWindow::showNotice(const char* acNotice) {
    static char acTitle[96];
    std::snprintf(acTitle, sizeof acTitle, "%s: %s", gc_acTITLE, acNotice);
    mp_pPanel->mp_pWindow->label(acTitle);
    Fl::remove_timeout(restoreTitle);
    Fl::add_timeout(gc_dNOTICE_SECONDS, restoreTitle);
}

void ClORBEXWindow::changeFormat(eWINDOW_MODE eFormat) {
    if (isGraphOpen()) {   // no change while a graph window is open (a shortcut still gets here)
        ClORBEXUI::mp_miTwo_Windows[g_eWindow_Mode].setonly();
        return;
    }
    if (eFormat == g_eWindow_Mode) return;
    const bool bRebuild = eFormat == eWM_PORTRAIT || g_eWindow_Mode == eWM_PORTRAIT;
    g_eWindow_Mode = eFormat;
    if (!bRebuild) {
        resizeInWindow();
        return;
    }
    cleanUp(true);
    const int iX = mp_pPanel->mp_pWindow->x(), iY = mp_pPanel->mp_pWindow->y();
    const double dScale = mp_pPanel->mp_dScale;
    delete mp_pPanel;
    mp_pPanel = eFormat == eWM_PORTRAIT ? new ClORBEXUI(true) : new ClORBEXUI();
    // The factor goes on, as far as the other shape fits the screen.
    const ClScreen screen = readScreen();
    const int* aiSize = mp_pPanel->mp_aiBase_Size;
    mp_pPanel->scaleTo(fitScale(dScale, screen.iWork_W, screen.iWork_H, aiSize[0], aiSize[1]));
    mp_pPanel->mp_pWindow->position(iX, iY);
    lg_bAlt_On = false;   // the new panel shows the first buttons
    ClORBEXUI::mp_miTwo_Windows[eFormat].setonly();
    setUpDisplays();
    g_pInput_Display = mp_pPanel->mp_pInput_Display;
    g_pOutput_Display = mp_pPanel->mp_pOutput_Display;
    g_pActive_Display = g_pInput_Display;
    primeDisplays();
    if (eFormat == eWM_ONE_WINDOW) resizeInWindow();   // the input display widens over the output display
    finishWork();
}

void ClORBEXWindow::setUpDisplays() {
    ClTextDisplay* pInput = mp_pPanel->mp_pInput_Display;
    ClTextDisplay* pOutput = mp_pPanel->mp_pOutput_Display;
    pOutput->buffer(lg_pBuff_Out);
    pInput->buffer(lg_pBuff_In);
    mp_pPanel->mp_pNote_Display->buffer(mp_pNote_Buffer);
    // The fill-in field and the cell editor type the editor's one entry line.
    const int iEntry_Column = mp_pPanel->mp_bPortrait ? 88 : 72;
    for (ClTextDisplay* pEntry : {mp_pPanel->mp_pFill_In_Display, mp_pPanel->mp_pCell_Editor}) {
        pEntry->buffer(mp_pTable_Buffer);
        pEntry->wrap_mode(Fl_Text_Display::WRAP_AT_COLUMN, iEntry_Column);
        pEntry->scrollbar_align(FL_ALIGN_RIGHT);
        pEntry->scrollbar_width(0);
    }
    Fl::visual(FL_DOUBLE | FL_INDEX);
    mp_pPanel->mp_pWindow->show();
    // Wrapped at the display's edge: a column count would cut the wider digits of the
    // proportional font at the border.
    for (ClTextDisplay* pDisplay : {pOutput, pInput}) {
        pDisplay->scrollbar_align(FL_ALIGN_RIGHT);
        pDisplay->wrapAtEdge();
    }
    pInput->cursor_style(Fl_Text_Display::HEAVY_CURSOR);
    if (mp_pPanel->mp_bPortrait) pOutput->hide();   // under the input display; its text is kept
    // The frames as built: the widened one reaches the output display's right edge.
    std::copy(pInput->mp_aiFrame, pInput->mp_aiFrame + 4, mp_aiInput_Frame);
    std::copy(pInput->mp_aiFrame, pInput->mp_aiFrame + 4, mp_aiWide_Frame);
    mp_aiWide_Frame[2] = pOutput->mp_aiFrame[0] + pOutput->mp_aiFrame[2] - pInput->mp_aiFrame[0];
}

void ClORBEXWindow::resizeInWindow() {
    ClTextDisplay* pInput = mp_pPanel->mp_pInput_Display;
    ClTextDisplay* pOutput = mp_pPanel->mp_pOutput_Display;
    ClGraphBox* pGraph = mp_pPanel->mp_pGraph_Box;
    const bool bGraph_Shown = g_eOutput == eGS_SHOWN;
    // Widgets that overlap are never shown together: a display redrawing itself (a key, a
    // result) would paint over whatever lies on top of it. The hidden ones keep their text.
    if (g_eWindow_Mode != eWM_PORTRAIT) {
        const bool bWide = g_eWindow_Mode == eWM_ONE_WINDOW && !bGraph_Shown;
        mp_pPanel->placeAt(pInput, bWide ? mp_aiWide_Frame : mp_aiInput_Frame);   // its text broken again
        pOutput->setVisible(!bWide && !bGraph_Shown);
        pInput->show();
    } else {   // portrait: the input display lies over the output display
        pOutput->hide();
        pInput->setVisible(!bGraph_Shown);
    }
    if (bGraph_Shown) {
        pGraph->show();
        pGraph->redraw();
    } else {
        pGraph->hide();
    }
    pInput->show_insert_position();
    mp_pPanel->mp_pWindow->redraw();
}
