// SPDX-License-Identifier: GPL-3.0-or-later
// ClORBEXWindow: the owner of the current panel and the two display buffers; the window
// formats and the switches between them.
#pragma once

// Eigen's headers come before X11's, which define Success and None.
#include "execution_state.h"

#include <FL/Fl_Text_Buffer.H>

#include "panel.h"

class ClORBEXWindow {
public:
    ~ClORBEXWindow();

    /// Builds the landscape panel, attaches the buffers and shows the window.
    void initializeWindow();
    /// The calculator as the program starts it: no values and no history, the settings and the
    /// graph at their defaults, the displays primed. The panel and its menu stay as they are.
    void resetCalculator();
    /// Switches to window format eFormat, the menu's radio items following; nothing changes while
    /// a graph window is open. Portrait and back build the other orientation: history and
    /// variables stay, the displays start afresh.
    void changeFormat(eWINDOW_MODE eFormat);
    /// Fits the input and output displays to the window format and graph state.
    void resizeInWindow();

    ClORBEXUI* mp_pPanel = nullptr;
    Fl_Text_Buffer* mp_pNote_Buffer = nullptr;    ///< the matrix editor's note
    Fl_Text_Buffer* mp_pTable_Buffer = nullptr;   ///< the matrix editor's entry line
    int mp_aiInput_Frame[4] = {};
    int mp_aiWide_Frame[4] = {};   ///< the input display widened over the output display

    /// Ends what a long repetition changed in the window: its title and the disabled controls.
    void finishWork();
    /// Shows a short notice after the title for two seconds.
    void showNotice(const char* acNotice);

private:
    void setUpDisplays();
};

extern ClORBEXWindow g_Main_Window;
extern Fl_Text_Buffer* lg_pBuff_In;
extern Fl_Text_Buffer* lg_pBuff_Out;
extern bool g_bStop_Requested;   ///< Escape (or a close) during a repetition asks it to stop
