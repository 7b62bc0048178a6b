// SPDX-License-Identifier: GPL-3.0-or-later
// Building the panel: the window, the menu bar, the two text displays and the 96 token
// buttons walked from the button table, in landscape or portrait frames.
// Eigen's headers come before X11's, which define Success and None.
#include "engine_state.h"
#include "execution_state.h"

#include "panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <type_traits>
#include <utility>

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>

#include "button_table.h"
#include "callbacks.h"
#include "editor_flow.h"
#include "line_edit.h"
#include "main_window.h"
#include "matrix_table.h"

ClButton* g_epbDictionary[gc_iTOKEN_COUNT] = {};

namespace {

struct ClFrames {
    int aiWindow[2], aiMenu[4], aiText_Group[4], aiOutput[4], aiInput[4], aiGraph_Group[4], aiGraph[4],
        aiLarge_Graph[4], aiButtons[4];
};
const ClFrames gc_LANDSCAPE = {{619, 434},         {0, 0, 312, 30},    {0, 0, 620, 211},   {310, 30, 300, 176},
                               {5, 30, 300, 176},  {0, 0, 620, 210},   {310, 0, 305, 210}, {0, 0, 620, 207},
                               {0, 32, 615, 396}};
const ClFrames gc_PORTRAIT = {{375, 610},        {0, 0, 375, 30},   {0, 0, 375, 250},  {5, 30, 365, 210},
                              {5, 30, 365, 215}, {5, 30, 365, 215}, {5, 30, 365, 215}, {5, 30, 365, 215},
                              {0, 35, 370, 565}};

constexpr int gc_iBUTTON_W = 54, gc_iBUTTON_H = 30;
/// FLTK colour indices of the classes: background, label.
const Fl_Color gc_aaCLASS_COLOURS[4][2] = {{7, 0}, {31, 0}, {0, 7}, {93, 0}};

Fl_Callback* callbackOf(eBUTTON_CALLBACK eCallback) {
    switch (eCallback) {
    case eCB_DIGIT: return ClCallback::digit_cb;
    case eCB_STATE: return ClCallback::state_cb;
    case eCB_ALT: return ClCallback::alt_cb;
    default: return ClCallback::token_cb;
    }
}

/// Upper-case letters are Shift plus the letter; the editing keys are named keys.
int shortcutOf(eTOKEN t, unsigned char ucKey) {
    switch (t) {
    case eT_BKSP: return FL_BackSpace;
    case eT_CLEAR: return FL_Escape;
    case eT_ENTER: return FL_Enter;
    case eT_PREV: return FL_Up;
    case eT_NEXT: return FL_Down;
    case eT_MOVE_LEFT: return FL_Left;
    case eT_MOVE_RIGHT: return FL_Right;
    default: return std::isupper(ucKey) ? FL_SHIFT + std::tolower(ucKey) : ucKey;
    }
}

/// The editor's right-click menu.
const Fl_Menu_Item gc_aPASTE_MENU[] = {{"Paste", FL_CTRL + 'v', nullptr, nullptr, 0, FL_NORMAL_LABEL, 0, 16, 0},
                                       {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0}};

/// A right click on the size step or on the table offers "Paste", at the face's factor; true when
/// it was there.
bool offerPaste(ClWindow* pWindow) {
    const ClORBEXUI& ui = *g_Main_Window.mp_pPanel;
    const Fl_Widget* pStep = lg_eActive_Input == eAI_EDITOR_SIZES   ? ui.mp_pSize_Group
                             : lg_eActive_Input == eAI_EDITOR_ENTRY ? ui.mp_pTable
                                                                    : nullptr;
    if (!pStep || !Fl::event_inside(pStep)) return false;
    Fl_Menu_Item aMenu[std::size(gc_aPASTE_MENU)];
    std::copy(std::begin(gc_aPASTE_MENU), std::end(gc_aPASTE_MENU), aMenu);
    aMenu[0].labelsize_ = static_cast<Fl_Fontsize>(ui.scaled(gc_aPASTE_MENU[0].labelsize_));
    if (aMenu->popup(Fl::event_x(), Fl::event_y())) ClCallback::editPaste_cb(pWindow, nullptr);
    return true;
}

template <typename W, typename = void>
constexpr bool gc_bHAS_TEXT_SIZE = false;
template <typename W>
constexpr bool gc_bHAS_TEXT_SIZE<W, std::void_t<decltype(std::declval<W&>().textsize())>> = true;

template <typename W>
Fl_Fontsize textSize(Fl_Widget* pWidget, Fl_Fontsize iSize) {
    W* p = static_cast<W*>(pWidget);
    const Fl_Fontsize iBefore = p->textsize();
    if (iSize > 0) p->textsize(iSize);
    return iBefore;
}

/// The toolkit's own sizes, which every window shares: scrollbars and tooltips.
void scaleToolkit(double dFactor) {
    static const int iSCROLLBAR = Fl::scrollbar_size(), iTOOLTIP = Fl_Tooltip::size();   // as the toolkit starts
    Fl::scrollbar_size(static_cast<int>(std::lround(iSCROLLBAR * dFactor)));
    Fl_Tooltip::size(static_cast<Fl_Fontsize>(std::lround(iTOOLTIP * dFactor)));
}

}  // namespace

template <typename W>
W* ClORBEXUI::keep(W* pWidget, const int* aiFrame) {
    Fl_Fontsize (*pfnText_Size)(Fl_Widget*, Fl_Fontsize) = nullptr;
    if constexpr (gc_bHAS_TEXT_SIZE<W>) pfnText_Size = textSize<W>;
    // A group leaves its children where the layout puts them, instead of stretching them.
    if constexpr (std::is_same_v<W, Fl_Group>) pWidget->resizable(nullptr);
    mp_aPlaced.push_back({pWidget, {aiFrame[0], aiFrame[1], aiFrame[2], aiFrame[3]}, pfnText_Size, 0, 0});
    return pWidget;
}

template <typename W>
W* ClORBEXUI::make(const int* aiFrame, const char* acLabel) {
    return keep(new W(aiFrame[0], aiFrame[1], aiFrame[2], aiFrame[3], acLabel), aiFrame);
}

ClORBEXUI::ClORBEXUI() : mp_bPortrait(false) { build(); }

ClORBEXUI::ClORBEXUI(bool) : mp_bPortrait(true) { build(); }

ClORBEXUI::~ClORBEXUI() {
    mp_pWindow->hide();
    Fl::delete_widget(mp_pWindow);   // a menu callback may still be running in it
}

void ClORBEXUI::build() {
    const ClFrames& frames = mp_bPortrait ? gc_PORTRAIT : gc_LANDSCAPE;
    std::copy(frames.aiWindow, frames.aiWindow + 2, mp_aiBase_Size);
    mp_pWindow = new ClWindow(frames.aiWindow[0], frames.aiWindow[1], "ORBEX Calculator", *this);
    mp_pWindow->callback(ClCallback::window_cb, this);
    mp_pMenu_Bar = make<ClMenuBar>(frames.aiMenu);
    mp_pMenu_Bar->labelsize(16);
    mp_pMenu_Bar->textsize(16);
    mp_pMenu_Bar->menu(resetMenu());
    readSettings();
    mp_pText_Group = make<Fl_Group>(frames.aiText_Group);
    mp_pOutput_Display = make<ClTextDisplay>(frames.aiOutput);
    mp_pInput_Display = make<ClTextDisplay>(frames.aiInput);
    for (ClTextDisplay* pDisplay : {mp_pOutput_Display, mp_pInput_Display}) {
        pDisplay->textsize(16);
        pDisplay->clear_visible_focus();   // a focused display would take the arrow keys
    }
    mp_pText_Group->end();
    buildEditor(mp_bPortrait);
    mp_pGraph_Group = make<Fl_Group>(frames.aiGraph_Group);
    mp_pGraph_Box = make<ClGraphBox>(frames.aiGraph);
    mp_pLarge_Graph_Box = make<ClGraphBox>(frames.aiLarge_Graph);
    mp_pGraph_Box->hide();
    mp_pLarge_Graph_Box->hide();
    mp_pGraph_Group->end();
    mp_pButton_Group = make<Fl_Group>(frames.aiButtons);
    buildButtons();
    mp_pButton_Group->end();
    mp_pWindow->end();
    for (ClPlaced& placed : mp_aPlaced) {   // the fonts as built
        placed.iLabel_Size = placed.pWidget->labelsize();
        if (placed.pfnText_Size) placed.iText_Size = placed.pfnText_Size(placed.pWidget, 0);
    }
}

int ClORBEXUI::scaled(int iLength) const { return static_cast<int>(std::lround(iLength * mp_dScale)); }

void ClORBEXUI::scaleTo(double dFactor) {
    mp_dScale = dFactor;
    const int iW = scaled(mp_aiBase_Size[0]), iH = scaled(mp_aiBase_Size[1]);
    if (iW == mp_pWindow->w() && iH == mp_pWindow->h()) applyScale(dFactor);
    else mp_pWindow->size(iW, iH);   // the window's resize lays the face out
    // Only after size(), which fixes the size of a window without a resizable widget. The size
    // as built is the least, and the sizes between keep its shape.
    mp_pWindow->size_range(mp_aiBase_Size[0], mp_aiBase_Size[1], 0, 0, 0, 0, 1);
}

void ClORBEXUI::fitWindow() {
    const int iW = mp_pWindow->w(), iH = mp_pWindow->h();
    if (iW == scaled(mp_aiBase_Size[0]) && iH == scaled(mp_aiBase_Size[1])) return applyScale(mp_dScale);
    const double dRoom = std::min(static_cast<double>(iW) / mp_aiBase_Size[0], static_cast<double>(iH) / mp_aiBase_Size[1]);
    applyScale(std::max(1.0, dRoom));
}

void ClORBEXUI::applyScale(double dFactor) {
    mp_dScale = dFactor;
    mp_iFace_X = std::max(0, (mp_pWindow->w() - scaled(mp_aiBase_Size[0])) / 2);
    scaleToolkit(dFactor);
    scaleMenu(dFactor);
    // The displays' lines break before their scrollbars: the width comes before the new frame.
    for (ClTextDisplay* pDisplay : {mp_pOutput_Display, mp_pInput_Display}) pDisplay->scrollbar_width(Fl::scrollbar_size());
    for (const ClPlaced& placed : mp_aPlaced) {   // fonts first: a display breaks its lines in its new font
        placed.pWidget->labelsize(static_cast<Fl_Fontsize>(scaled(placed.iLabel_Size)));
        if (placed.pfnText_Size) placed.pfnText_Size(placed.pWidget, static_cast<Fl_Fontsize>(scaled(placed.iText_Size)));
        layOut(placed);
    }
    mp_pMenu_Bar->mp_dScale = mp_pGraph_Box->mp_dScale = mp_pLarge_Graph_Box->mp_dScale = dFactor;
    mp_pTable->scale(dFactor);
    if (mp_pCell_Editor->visible()) mp_pTable->placeOverCell(mp_pCell_Editor, g_iEdit_Row, g_iEdit_Col);
    mp_pWindow->redraw();
}

void ClORBEXUI::placeAt(Fl_Widget* pWidget, const int* aiFrame) {
    auto itPlaced = std::find_if(mp_aPlaced.begin(), mp_aPlaced.end(),
                                 [pWidget](const ClPlaced& placed) { return placed.pWidget == pWidget; });
    if (itPlaced == mp_aPlaced.end()) return;
    std::copy(aiFrame, aiFrame + 4, itPlaced->aiFrame);
    layOut(*itPlaced);
}

// Both edges are scaled, so widgets that meet as built still meet.
void ClORBEXUI::layOut(const ClPlaced& placed) {
    const int* aiFrame = placed.aiFrame;
    const int iX = mp_iFace_X + scaled(aiFrame[0]), iY = scaled(aiFrame[1]);
    placed.pWidget->resize(iX, iY, mp_iFace_X + scaled(aiFrame[0] + aiFrame[2]) - iX, scaled(aiFrame[1] + aiFrame[3]) - iY);
}

const int* ClORBEXUI::baseFrame(const Fl_Widget* pWidget) const {
    for (const ClPlaced& placed : mp_aPlaced)
        if (placed.pWidget == pWidget) return placed.aiFrame;
    return nullptr;
}

void ClORBEXUI::buildButtons() {
    for (const ClButtonSpec& row : gc_aBUTTONS) {
        const char* acLabel = mp_bPortrait && row.mp_acPortrait_Label ? row.mp_acPortrait_Label : row.mp_acLabel;
        const int aiFrame[4] = {mp_bPortrait ? row.mp_iPortrait_X : row.mp_iX, mp_bPortrait ? row.mp_iPortrait_Y : row.mp_iY,
                                gc_iBUTTON_W, mp_bPortrait ? row.mp_iPortrait_H : gc_iBUTTON_H};
        ClButton* pButton = make<ClButton>(aiFrame, acLabel);
        pButton->box(FL_ROUNDED_BOX);
        pButton->down_box(FL_ROUNDED_BOX);   // pressed in the selection colour, same shape
        pButton->labelfont(0);
        pButton->labelsize(18);
        pButton->selection_color(49);
        pButton->when(FL_WHEN_RELEASE);
        pButton->color(gc_aaCLASS_COLOURS[row.mp_eClass][0]);
        pButton->labelcolor(gc_aaCLASS_COLOURS[row.mp_eClass][1]);
        pButton->clear_visible_focus();   // the keys stay the window's, whatever was clicked
        pButton->mp_eToken = row.mp_eToken;
        pButton->mp_ucKey = row.mp_ucKey;
        pButton->callback(callbackOf(row.mp_eCallback), &pButton->mp_eToken);
        pButton->shortcut(shortcutOf(row.mp_eToken, row.mp_ucKey));
        g_epbDictionary[row.mp_eToken] = pButton;
        g_aeDictionary[row.mp_ucKey] = row.mp_eToken;
        pButton->tooltip(mp_bPortrait && row.mp_acPortrait_Tooltip ? row.mp_acPortrait_Tooltip : row.mp_acTooltip);
        if (row.mp_bAlternate) {
            pButton->hide();
            pButton->deactivate();
        }
    }
    ClButton* pAlt = g_epbDictionary[eT_ALTERNATE];
    pAlt->selection_color(94);
    pAlt->down_box(FL_ROUND_DOWN_BOX);
}

void ClORBEXUI::buildEditor(bool bPortrait) {
    // Frames: landscape, then portrait.
    static const int aaaFRAMES[][2][4] = {
        {{310, 0, 306, 210}, {0, 30, 375, 220}},      // size group
        {{310, 0, 305, 206}, {5, 30, 365, 215}},      // size box
        {{420, 125, 70, 20}, {150, 160, 70, 20}},     // "Rows:"
        {{420, 155, 70, 20}, {150, 185, 70, 20}},     // "Columns: "
        {{490, 0, 75, 28}, {220, 35, 75, 28}},        // "Edit"
        {{350, 0, 75, 28}, {70, 35, 75, 28}},         // "Cancel"
        {{315, 50, 295, 65}, {10, 85, 360, 67}},      // note
        {{420, 175, 60, 20}, {150, 211, 60, 20}},     // "Fill In:"
        {{0, 0, 617, 211}, {0, 30, 375, 215}},        // table group
        {{525, 0, 70, 30}, {265, 30, 70, 30}},        // "Done"
        {{425, 0, 70, 30}, {145, 30, 70, 30}},        // "Cancel"
        {{5, 30, 607, 178}, {5, 60, 365, 185}},       // the table
        {{325, 0, 70, 30}, {35, 30, 70, 30}},         // title
    };
    const auto frame = [bPortrait](int i) { return aaaFRAMES[i][bPortrait ? 1 : 0]; };
    mp_pSize_Group = make<Fl_Group>(frame(0));
    make<Fl_Box>(frame(1));
    mp_pRows = make<Fl_Simple_Counter>(frame(2), "Rows:");
    mp_pColumns = make<Fl_Simple_Counter>(frame(3), "Columns: ");
    for (Fl_Simple_Counter* pCounter : {mp_pRows, mp_pColumns}) {
        pCounter->step(1);
        pCounter->value(1);
        pCounter->align(FL_ALIGN_LEFT);
        pCounter->callback(ClCallback::editCounter_cb);
        pCounter->clear_visible_focus();
    }
    make<Fl_Button>(frame(4), "Edit")->callback(ClCallback::editMatrixTable_cb);
    make<Fl_Button>(frame(5), "Cancel")->callback(ClCallback::sizeCancel_cb);
    mp_pNote_Display = make<ClTextDisplay>(frame(6));
    mp_pNote_Display->align(FL_ALIGN_TOP);
    mp_pNote_Display->textsize(10);        // the five lines of the note fit without scrolling
    mp_pNote_Display->scrollbar_width(0);
    mp_pNote_Display->color(FL_BACKGROUND_COLOR);
    mp_pNote_Display->box(FL_FLAT_BOX);
    mp_pFill_In_Display = make<ClTextDisplay>(frame(7), "Fill In:");
    mp_pFill_In_Display->align(FL_ALIGN_LEFT);
    mp_pSize_Group->end();
    mp_pSize_Group->hide();
    mp_pTable_Group = make<Fl_Group>(frame(8));
    make<Fl_Button>(frame(9), "Done")->callback(ClCallback::editDone_cb);
    make<Fl_Button>(frame(10), "Cancel")->callback(ClCallback::editCancel_cb);
    const int* aiTable = frame(11);
    mp_pTable = keep(new ClTable(aiTable[0], aiTable[1], aiTable[2], aiTable[3], nullptr, true), aiTable);
    const int aiCell[4] = {aiTable[0], aiTable[1], 80, 20};   // laid over the edited cell when shown
    mp_pCell_Editor = make<ClTextDisplay>(aiCell);
    mp_pCell_Editor->hide();
    mp_pCell_Editor->clear_visible_focus();   // the keys stay the window's
    mp_pTable->end();
    mp_pTable->callback(ClCallback::editView_cb);
    mp_pTable->when(FL_WHEN_NOT_CHANGED | mp_pTable->when());
    mp_pTable_Title = make<Fl_Button>(frame(12), "Matrix     ");
    mp_pTable_Group->end();
    mp_pTable_Group->hide();
    mp_pTable_Group->deactivate();
    for (Fl_Widget* pWidget : {static_cast<Fl_Widget*>(mp_pNote_Display), static_cast<Fl_Widget*>(mp_pFill_In_Display)})
        pWidget->clear_visible_focus();
}

// The toolkit leaves the room for a submenu's arrow and sizes the check marks by its normal size:
// while the menus are open it is the face's. A click opens them as the toolkit's own menu bar
// does; the chosen item's callback, which may build windows, runs at the normal size again.
int ClMenuBar::handle(int iEvent) {
    if (iEvent != FL_PUSH || !menu() || !menu()->text) return Fl_Menu_Bar::handle(iEvent);
    const Fl_Fontsize iNormal = FL_NORMAL_SIZE;
    FL_NORMAL_SIZE = static_cast<Fl_Fontsize>(std::lround(iNormal * mp_dScale));
    const Fl_Menu_Item* pChosen = menu()->pulldown(x(), y(), w(), h(), nullptr, this, nullptr, 1);
    FL_NORMAL_SIZE = iNormal;
    picked(pChosen);
    return 1;
}

int ClWindow::handle(int iEvent) {
    switch (iEvent) {
    case FL_PASTE: {   // only the editor asks for text: the calculator line never takes any
        const char* const acText = Fl::event_text();
        pasteIntoEditor(acText ? std::string_view(acText, static_cast<std::size_t>(Fl::event_length()))
                               : std::string_view());
        redraw();
        return 1;
    }
    case FL_PUSH:
        if (Fl::event_button() == FL_RIGHT_MOUSE && offerPaste(this)) return 1;
        break;
    default: break;
    }
    return mapKey(iEvent) ? 1 : Fl_Double_Window::handle(iEvent);
}

void ClWindow::resize(int iX, int iY, int iW, int iH) {
    const bool bResized = iW != w() || iH != h();
    Fl_Double_Window::resize(iX, iY, iW, iH);
    if (bResized) mp_Panel.fitWindow();
}

int ClWindow::mapKey(int iEvent) {
    if (iEvent != FL_KEYDOWN && iEvent != FL_SHORTCUT) return 0;
    if (g_bBusy) {   // while a repetition runs, Escape asks it to stop and no key starts work
        if (Fl::event_key() == FL_Escape) g_bStop_Requested = true;
        return 1;
    }
    if ((Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) == FL_CTRL && Fl::event_key() == 'v' &&
        lg_eActive_Input != eAI_CALCULATOR) {
        ClCallback::editPaste_cb(nullptr, nullptr);
        return 1;
    }
    if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return 0;   // menu shortcuts
    eTOKEN t = eT_NULL;
    switch (Fl::event_key()) {
    case FL_Left: t = eT_MOVE_LEFT; break;
    case FL_Up: t = eT_PREV; break;
    case FL_Right: t = eT_MOVE_RIGHT; break;
    case FL_Down: t = eT_NEXT; break;
    case FL_BackSpace: t = eT_BKSP; break;
    default: break;
    }
    if (t != eT_NULL) {
        ClCallback::state_cb(nullptr, &t);
        return 1;
    }
    const unsigned char ucKey = static_cast<unsigned char>(Fl::event_text()[0]);
    if (ucKey < 1 || ucKey > 126) return 0;
    switch (typeKey(ucKey)) {
    case eKA_STATE: g_Main_Window.finishWork(); break;
    case eKA_ALT: ClCallback::alt_cb(nullptr, nullptr); break;
    default: break;
    }
    return 1;
}
