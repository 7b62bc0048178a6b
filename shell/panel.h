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

#include <vector>

#include "graph_box.h"
#include "text_display.h"
#include "tokens.h"

class ClORBEXUI;

/// The main window: every key event passes through its mapping first, and a new size lays the
/// panel's face out again.
class ClWindow : public Fl_Double_Window {
public:
    ClWindow(int iW, int iH, const char* acTitle, ClORBEXUI& panel)
        : Fl_Double_Window(iW, iH, acTitle), mp_Panel(panel) {}
    int handle(int iEvent) override;
    void resize(int iX, int iY, int iW, int iH) override;
    /// Maps a key event onto the line; returns 1 when the key was the calculator's.
    static int mapKey(int iEvent);

private:
    ClORBEXUI& mp_Panel;
};

/// A token button: its token (the callback's user data points at it) and its key character.
class ClButton : public Fl_Button {
public:
    ClButton(int iX, int iY, int iW, int iH, const char* acLabel) : Fl_Button(iX, iY, iW, iH, acLabel) {}
    eTOKEN mp_eToken = eT_NULL;
    unsigned char mp_ucKey = 0;
};

extern ClButton* g_epbDictionary[gc_iTOKEN_COUNT];   ///< token -> its button in the current panel

/// The menu bar, whose menus open with the toolkit's normal size at the face's factor.
class ClMenuBar : public Fl_Menu_Bar {
public:
    ClMenuBar(int iX, int iY, int iW, int iH, const char* acLabel) : Fl_Menu_Bar(iX, iY, iW, iH, acLabel) {}
    int handle(int iEvent) override;
    double mp_dScale = 1;
};

class ClTable;

/// A widget of the face with its frame and font sizes as built: every factor lays it out from
/// these.
struct ClPlaced {
    Fl_Widget* pWidget;
    int aiFrame[4];
    /// Sets the widget's text size when the size is above 0 and returns the one before; null
    /// for widgets whose only text is their label.
    Fl_Fontsize (*pfnText_Size)(Fl_Widget*, Fl_Fontsize);
    Fl_Fontsize iLabel_Size, iText_Size;
};

class ClORBEXUI {
public:
    ClORBEXUI();                          ///< landscape
    explicit ClORBEXUI(bool bPortrait);   ///< portrait (the argument is ignored)
    ~ClORBEXUI();
    ClORBEXUI(const ClORBEXUI&) = delete;
    ClORBEXUI& operator=(const ClORBEXUI&) = delete;

    /// The window becomes dFactor times its size as built, and the face with it.
    void scaleTo(double dFactor);
    /// Lays every widget out at its frame as built times dFactor, the face centred across the
    /// window, and scales every font; the displays break their lines again at their new widths.
    void applyScale(double dFactor);
    /// Lays the face out for the window's new size: at the current factor when the window has
    /// the size that gives, else at the largest at which the face fits (at least 1).
    void fitWindow();
    /// Gives the widget a new frame as built, laid out at the current factor now and later.
    void placeAt(Fl_Widget* pWidget, const int* aiFrame);
    /// The widget's frame as built (null for a widget outside the face).
    const int* baseFrame(const Fl_Widget* pWidget) const;
    /// A length as built, at the current factor.
    int scaled(int iLength) const;

    ClWindow* mp_pWindow = nullptr;
    ClMenuBar* mp_pMenu_Bar = nullptr;
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
    double mp_dScale = 1;          ///< the face's factor: 1 as built
    int mp_aiBase_Size[2] = {};    ///< the window's width and height as built

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
    /// Takes the widget into the face at its frame as built.
    template <typename W>
    W* keep(W* pWidget, const int* aiFrame);
    template <typename W>
    W* make(const int* aiFrame, const char* acLabel = nullptr);
    /// The widget at its frame as built times the factor, from the face's left edge.
    void layOut(const ClPlaced& placed);
    std::vector<ClPlaced> mp_aPlaced;   ///< in building order: every group before its children
    int mp_iFace_X = 0;                 ///< the face's left edge in the window
};

/// Writes the menu table's items back to their initial states, as every panel build does; their
/// label sizes stay at the last factor.
Fl_Menu_Item* resetMenu();
/// The menu items' label sizes as built times dFactor.
void scaleMenu(double dFactor);
/// Copies the Settings items and the output format into the flags the calculator reads.
void readSettings();
