// The graph window in the panel: menu states, the graph/text toggle, the exported picture and
// Save Graph's file against orbex-batch's, on a shown window.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "line_codes.h"

#include "callbacks.h"
#include "window_fixture.h"

class ClGraphWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWindow();
    }
    static void enter(const char* acLine) { enterStoredLine(displayToCodes(acLine)); }
    static const unsigned char* pixel(int iX, int iY) { return g_aucLarge_Graph_Image + 3 * (iY * 600 + iX); }
    static std::string readFile(const std::string& sPath) {
        std::ifstream file(sPath, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(ClGraphWindow, OpeningAndTheOutputWindowToggle) {
    const ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    ClCallback::graph_cb(nullptr, nullptr);
    EXPECT_EQ(g_eOutput, eGS_SHOWN);
    EXPECT_TRUE(panel.mp_pGraph_Box->visible());
    EXPECT_FALSE(panel.mp_pOutput_Display->visible());
    EXPECT_FALSE(ClORBEXUI::mp_miPortrait->active());
    EXPECT_TRUE(ClORBEXUI::mp_miSave_Graph->active() && ClORBEXUI::mp_miScales->active());
    ClCallback::text_cb(nullptr, nullptr);
    EXPECT_EQ(g_eOutput, eGS_BEHIND);
    EXPECT_FALSE(panel.mp_pGraph_Box->visible());
    EXPECT_TRUE(panel.mp_pOutput_Display->visible());
    ClCallback::text_cb(nullptr, nullptr);
    ClCallback::graph_cb(nullptr, nullptr);
    EXPECT_EQ(g_eOutput, eGS_NONE);
    EXPECT_FALSE(panel.mp_pGraph_Box->visible());
    EXPECT_TRUE(panel.mp_pOutput_Display->visible());
    EXPECT_FALSE(ClORBEXUI::mp_miSave_Graph->active() || ClORBEXUI::mp_miScales->active());
    EXPECT_TRUE(ClORBEXUI::mp_miPortrait->active());
}

// The defaults draw one grid line across each middle; plots in their colours at known rows.
TEST_F(ClGraphWindow, ExportedPictureHasTheGridAndThePlots) {
    ClCallback::graph_cb(nullptr, nullptr);
    enter("Plot([ - 3, 3], [1, 1])");
    enter("Plot([ - 3, 3], [ - 1,  - 1])");
    enter("Plot([ - 3,  - 2,  - 1], [0.5, 1 / 0, 0.5])");   // the infinite point is bridged
    enter("Plot([ - 3, 1E14], [0.25, 0.25])");   // toward a point whose offset passes 32 bits
    ASSERT_EQ(g_uiActive_Plots, 4);
    ASSERT_TRUE(renderGraphImage());
    const struct {
        int iX, iY;
        unsigned char aucRGB[3];
    } aCASES[] = {{300, 50, {192, 192, 192}}, {150, 200, {192, 192, 192}}, {150, 50, {255, 255, 255}},
                  {450, 100, {0, 0, 0}},      {450, 300, {255, 0, 0}},     {75, 150, {0, 255, 0}},
                  {590, 175, {0, 0, 255}}};
    for (const auto& c : aCASES)
        EXPECT_EQ(std::vector<unsigned char>(pixel(c.iX, c.iY), pixel(c.iX, c.iY) + 3),
                  std::vector<unsigned char>(c.aucRGB, c.aucRGB + 3))
            << c.iX << ", " << c.iY;
}

// orbex-batch draws a script's plots with the same code and settings as Save Graph.
TEST_F(ClGraphWindow, BatchPictureIsTheWindowsPicture) {
    char acFolder[] = "/tmp/orbex-batch-graph-XXXXXX";
    ASSERT_NE(mkdtemp(acFolder), nullptr);
    const std::string sFolder = acFolder;
    const char* aacSCRIPT[] = {"u=[-3:3,0.1]", "f(u,s(u))", "f(u,u^2/4-1)"};
    std::ofstream(sFolder + "/plots.in") << aacSCRIPT[0] << "\n" << aacSCRIPT[1] << "\n" << aacSCRIPT[2] << "\n";
    setLine("[-3,3,4,-1.5,1.5,3]");
    ClCallback::graph_cb(nullptr, nullptr);
    for (const char* acLine : aacSCRIPT) enterStoredLine(acLine);
    ClORBEXUI::mp_miScales->set();
    ClORBEXUI::mp_miCorners->set();
    ClCallback::graphView_cb(nullptr, nullptr);
    g_Answers.sFile = sFolder + "/window.bmp";
    ClCallback::saveGraph_cb(nullptr, nullptr);
    const std::string sCommand = std::string(ORBEX_BATCH) + " --graph=" + sFolder + "/batch.bmp" +
                                 " '--graph-line=[-3,3,4,-1.5,1.5,3]' --scales --corners " + sFolder +
                                 "/plots.in > /dev/null";
    ASSERT_EQ(std::system(sCommand.c_str()), 0);
    const std::string sWindow = readFile(sFolder + "/window.bmp");
    EXPECT_EQ(sWindow.size(), 720054u);
    EXPECT_TRUE(readFile(sFolder + "/batch.bmp") == sWindow);
    for (const char* acName : {"/plots.in", "/window.bmp", "/batch.bmp"}) unlink((sFolder + acName).c_str());
    EXPECT_EQ(rmdir(acFolder), 0);
}
