// SPDX-License-Identifier: GPL-3.0-or-later
// ClGraphBox: the graph drawn from the parameters and the plot list, on screen and into the
// 600 x 400 export picture by the same code.
#pragma once

#include <FL/Fl_Box.H>

extern bool g_bGraph_Scales;    ///< the "Scales" item is checked
extern bool g_bGraph_Corners;   ///< the "Corners" item is checked

class ClGraphBox : public Fl_Box {
public:
    ClGraphBox(int iX, int iY, int iW, int iH, const char* acLabel = nullptr);
    void draw() override;
    /// Keys go on to the main window; clicks on the graph do nothing.
    int handle(int iEvent) override;

    double mp_dScale = 1;   ///< the window's factor: fonts, margins and lines grow with it
};

/// Draws the graph into the area, its fonts, margins and lines dScale times their size; the
/// export (at 1) uses the larger label font and the padded corner texts.
void drawGraph(int iX, int iY, int iW, int iH, bool bExport, double dScale);
/// Renders the export picture into g_aucLarge_Graph_Image; false when no offscreen picture
/// could be made. Needs the display open.
bool renderGraphImage();
