// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window in the panel: menu states, the graph/text toggle, the exported picture and
// Save Graph's file against orbex-batch's, on a shown window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "line_codes.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "window_fixture.h"

// The graph takes the output display's place, Text Window toggles them, and the menu items that
// need a graph (and the format that cannot have one) follow; no format changes meanwhile. The defaults draw one grid line
// across each middle; the plots have their colours at known rows.
TEST(ClGraphWindow, OpenedToggledAndDrawn) {
    ensureWindow();
    const ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    const auto expectShown = [&panel](eGRAPH_STATE eOutput, bool bGraph) {
        EXPECT_EQ(g_eOutput, eOutput);
        EXPECT_EQ(panel.mp_pGraph_Box->visible() != 0, bGraph);
        EXPECT_EQ(panel.mp_pOutput_Display->visible() != 0, !bGraph);
        EXPECT_EQ(ClORBEXUI::mp_miSave_Graph->active() && ClORBEXUI::mp_miScales->active(), eOutput != eGS_NONE);
        EXPECT_EQ(ClORBEXUI::mp_miPortrait->active() != 0, eOutput == eGS_NONE);
    };
    ClCallback::graph_cb(nullptr, nullptr);
    expectShown(eGS_SHOWN, true);
    ClORBEXUI::mp_miPortrait->setonly();   // as the menu (or its shortcut) sets it before the callback runs
    selectFormat(2);
    EXPECT_TRUE(g_eWindow_Mode == eWM_TWO_WINDOWS && ClORBEXUI::mp_miTwo_Windows->value() && !ClORBEXUI::mp_miPortrait->value());
    for (const char* acLine : {"Plot([ - 3, 3], [1, 1])", "Plot([ - 3, 3], [ - 1,  - 1])",
                               "Plot([ - 3,  - 2,  - 1], [0.5, 1 / 0, 0.5])",   // the infinite point is bridged
                               "Plot([ - 3, 1E14], [0.25, 0.25])"})             // toward an offset past 32 bits
        enterStoredLine(displayToCodes(acLine));
    ASSERT_EQ(g_uiActive_Plots, 4);
    ASSERT_TRUE(renderGraphImage());
    const struct { int iX, iY; unsigned char aucRGB[3]; } aCASES[] = {
        {300, 50, {192, 192, 192}}, {150, 200, {192, 192, 192}}, {150, 50, {255, 255, 255}}, {450, 100, {0, 0, 0}},
        {450, 300, {255, 0, 0}},    {75, 150, {0, 255, 0}},      {590, 175, {0, 0, 255}}};
    for (const auto& c : aCASES)
        EXPECT_EQ(std::memcmp(g_aucLarge_Graph_Image + 3 * (c.iY * 600 + c.iX), c.aucRGB, 3), 0) << c.iX << ", " << c.iY;
    ClCallback::text_cb(nullptr, nullptr);
    expectShown(eGS_BEHIND, false);
    ClCallback::text_cb(nullptr, nullptr);
    ClCallback::graph_cb(nullptr, nullptr);
    expectShown(eGS_NONE, false);
}

// orbex-batch draws a script's plots with the same code and settings as Save Graph, also when the
// window's graph box was just drawn at twice its size.
TEST(ClGraphWindow, BatchPictureIsTheWindowsPicture) {
    ensureWindow();
    char acFolder[] = "/tmp/orbex-batch-graph-XXXXXX";
    ASSERT_NE(mkdtemp(acFolder), nullptr);
    const std::string sFolder = acFolder;
    std::ofstream(sFolder + "/plots.in") << "u=[-3:3,0.1]\nf(u,s(u))\nf(u,u^2/4-1)\n";
    setLine("[-3,3,4,-1.5,1.5,3]");
    ClCallback::graph_cb(nullptr, nullptr);
    for (const char* acLine : {"u=[-3:3,0.1]", "f(u,s(u))", "f(u,u^2/4-1)"}) enterStoredLine(acLine);
    ClORBEXUI::mp_miScales->set();
    ClORBEXUI::mp_miCorners->set();
    ClCallback::graphView_cb(nullptr, nullptr);
    g_Main_Window.mp_pPanel->scaleTo(2);
    Fl::flush();
    g_Answers.sFile = sFolder + "/window.bmp";
    ClCallback::saveGraph_cb(nullptr, nullptr);
    ASSERT_EQ(std::system((std::string(ORBEX_BATCH) + " --graph=" + sFolder + "/batch.bmp '--graph-line=[-3,3,4,-1.5,1.5,3]'" +
                           " --scales --corners " + sFolder + "/plots.in > /dev/null").c_str()), 0);
    const std::string sWindow = readFile(sFolder + "/window.bmp");
    EXPECT_EQ(sWindow.size(), 720054u);
    EXPECT_TRUE(readFile(sFolder + "/batch.bmp") == sWindow);
    std::filesystem::remove_all(sFolder);
}
