// SPDX-License-Identifier: GPL-3.0-or-later
// ClCallback: every widget and menu callback of the calculator. Each decodes its user data,
// calls the display-free code and refreshes the window.
#pragma once

class Fl_Widget;

class ClCallback {
public:
    static void token_cb(Fl_Widget* pWidget, void* pData);   ///< user data: the token
    static void digit_cb(Fl_Widget* pWidget, void* pData);
    static void state_cb(Fl_Widget* pWidget, void* pData);
    static void alt_cb(Fl_Widget* pWidget, void* pData);
    static void mode_cb(Fl_Widget* pWidget, void* pData);    ///< user data: the window format
    static void exit_cb(Fl_Widget* pWidget, void* pData);
    static void window_cb(Fl_Widget* pWidget, void* pData);
    static void settings_cb(Fl_Widget* pWidget, void* pData);   ///< the Settings and output format items
    static void insert_cb(Fl_Widget* pWidget, void* pData);
    static void clear_cb(Fl_Widget* pWidget, void* pData);
    static void clearAll_cb(Fl_Widget* pWidget, void* pData);
    static void clearEverything_cb(Fl_Widget* pWidget, void* pData);
    static void graph_cb(Fl_Widget* pWidget, void* pData);        ///< "Graph Window": opens or closes it
    static void clearGraph_cb(Fl_Widget* pWidget, void* pData);
    static void graphView_cb(Fl_Widget* pWidget, void* pData);    ///< "Scales" and "Corners"
    static void text_cb(Fl_Widget* pWidget, void* pData);         ///< "Output Window": graph or text
    static void saveGraph_cb(Fl_Widget* pWidget, void* pData);
    static void open_cb(Fl_Widget* pWidget, void* pData);
    static void appendHistory_cb(Fl_Widget* pWidget, void* pData);
    static void saveIn_cb(Fl_Widget* pWidget, void* pData);
    static void saveVariable_cb(Fl_Widget* pWidget, void* pData);   ///< user data: the variable's token
    static void saveOut_cb(Fl_Widget* pWidget, void* pData);
    static void copy_cb(Fl_Widget* pWidget, void* pData);     ///< "Copy": the selection, or else the last result
    static void copyAs_cb(Fl_Widget* pWidget, void* pData);   ///< user data: the copy form
    static void helpHelp_cb(Fl_Widget* pWidget, void* pData);
    static void helpGuide_cb(Fl_Widget* pWidget, void* pData);
    static void helpAbout_cb(Fl_Widget* pWidget, void* pData);
    // The matrix editor.
    static void editSizes_cb(Fl_Widget* pWidget, void* pData);   ///< user data: the variable's token
    static void editCounter_cb(Fl_Widget* pWidget, void* pData);  ///< "Rows:" and "Columns: "
    static void editMatrixTable_cb(Fl_Widget* pWidget, void* pData);
    static void sizeCancel_cb(Fl_Widget* pWidget, void* pData);
    static void editDone_cb(Fl_Widget* pWidget, void* pData);
    static void editCancel_cb(Fl_Widget* pWidget, void* pData);
    static void editView_cb(Fl_Widget* pWidget, void* pData);
    /// Ctrl+V and "Paste" while a matrix is edited: asks for the clipboard, which arrives in
    /// the main window as FL_PASTE.
    static void editPaste_cb(Fl_Widget* pWidget, void* pData);
};

extern bool lg_bAlt_On;   ///< the alternate buttons are showing
