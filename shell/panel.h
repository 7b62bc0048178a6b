// SPDX-License-Identifier: GPL-3.0-or-later
// ClORBEXUI: the calculator's face, built in landscape or portrait from the button table and
// the menu table; building it registers every token button and key.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Simple_Counter.H>

#include "graph_box.h"
#include "text_display.h"
#include "tokens.h"

/// The main window: every key event passes through its mapping first.
class ClWindow : public Fl_Double_Window {
public:
    ClWindow(int iW, int iH, const char* acTitle) : Fl_Double_Window(iW, iH, acTitle) {}
    int handle(int iEvent) override;
    /// Maps a key event onto the line; returns 1 when the key was the calculator's.
    static int mapKey(int iEvent);
};

/// A token button: its token (the callback's user data points at it) and its key character.
class ClButton : public Fl_Button {
public:
    ClButton(int iX, int iY, int iW, int iH, const char* acLabel) : Fl_Button(iX, iY, iW, iH, acLabel) {}
    eTOKEN mp_eToken = eT_NULL;
    unsigned char mp_ucKey = 0;
};

extern ClButton* g_epbDictionary[gc_iTOKEN_COUNT];   ///< token -> its button in the current panel

class ClTable;

class ClORBEXUI {
public:
    ClORBEXUI();                          ///< landscape
    explicit ClORBEXUI(bool bPortrait);   ///< portrait (the argument is ignored)
    ~ClORBEXUI();

    ClWindow* mp_pWindow = nullptr;
    Fl_Menu_Bar* mp_pMenu_Bar = nullptr;
    Fl_Group* mp_pText_Group = nullptr;
    ClTextDisplay* mp_pOutput_Display = nullptr;
    ClTextDisplay* mp_pInput_Display = nullptr;
    // The matrix editor: its size step, then its table step.
    Fl_Group* mp_pSize_Group = nullptr;
    Fl_Simple_Counter* mp_pRows = nullptr;
    Fl_Simple_Counter* mp_pColumns = nullptr;
    ClTextDisplay* mp_pNote_Display = nullptr;
    ClTextDisplay* mp_pFill_In_Display = nullptr;
    Fl_Group* mp_pTable_Group = nullptr;
    ClTable* mp_pTable = nullptr;
    ClTextDisplay* mp_pCell_Editor = nullptr;   ///< a child of the table, laid over the cell being edited
    Fl_Button* mp_pTable_Title = nullptr;
    Fl_Group* mp_pGraph_Group = nullptr;
    ClGraphBox* mp_pGraph_Box = nullptr;
    ClGraphBox* mp_pLarge_Graph_Box = nullptr;   ///< built hidden; nothing shows it
    Fl_Group* mp_pButton_Group = nullptr;
    const bool mp_bPortrait;

    // The menu items other code reads and writes; they point into the one menu table.
    static Fl_Menu_Item* mp_miSave_Graph;
    static Fl_Menu_Item* mp_miDecimal;
    static Fl_Menu_Item* mp_miTwo_Windows;
    static Fl_Menu_Item* mp_miOne_Window;
    static Fl_Menu_Item* mp_miPortrait;
    static Fl_Menu_Item* mp_miGraph;
    static Fl_Menu_Item* mp_miClear_Graph;
    static Fl_Menu_Item* mp_miScales;
    static Fl_Menu_Item* mp_miCorners;
    static Fl_Menu_Item* mp_miText;
    static Fl_Menu_Item* mp_miZero_Out;
    static Fl_Menu_Item* mp_miError_Item;
    static Fl_Menu_Item* mp_miParentheses;
    static Fl_Menu_Item* mp_miExecute;
    static Fl_Menu_Item* mp_smFile;
    static Fl_Menu_Item* mp_smEdit;

private:
    void build();
    void buildButtons();
    void buildEditor(bool bPortrait);
};

/// Writes the menu table's items back to their initial states, as every panel build does.
Fl_Menu_Item* resetMenu();
/// Copies the Settings items and the output format into the flags the calculator reads.
void readSettings();
