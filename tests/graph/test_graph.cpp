// Graph parameters from the input line, scale labels and image files, without a display.
#include <string>

#include <gtest/gtest.h>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "line_codes.h"

class ClGraph : public ::testing::Test {
protected:
    void SetUp() override {
        resetExecution(&mp_Input, &mp_Output);
        resetGraph();
    }
    ClStringPane mp_Input, mp_Output;
};

// The graph window takes its parameters from the line, entered as Enter does.
TEST_F(ClGraph, ParametersFromTheInputLine) {
    const struct {
        const char* acBefore;   // entered first, "" for none
        const char* acLine;
        double adParms[6];
        bool bMessage;
    } aCASES[] = {
        {"", "", {-3, 3, 1, -2, 2, 1}, false},
        {"", "[0, 7, 6,  - 2, 2, 3]", {0, 7, 6, -2, 2, 3}, false},
        {"", "[1, 1.00005, 1, 0, 1, 1]", {-3, 3, 1, -2, 2, 1}, true},
        {"", "[0, 1.23456, 2,  - 1, 1, 0]", {0, 1.2346, 2, -1, 1, 0}, false},
        {"", "[0, 1,  - 1, 0, 1, 1]", {-3, 3, 1, -2, 2, 1}, true},
        {"[0, 2, 1, 0, 2, 1]", "A A", {0, 2, 1, 0, 2, 1}, false},   // a line the lexer refuses keeps Ans
    };
    for (const auto& c : aCASES) {
        SetUp();
        SCOPED_TRACE(c.acLine);
        for (const char* acText : {c.acBefore, c.acLine}) {
            setLine(displayToCodes(acText));
            if (acText == c.acBefore && *acText) enterAction();
        }
        openGraph();
        EXPECT_EQ(g_eOutput, eGS_SHOWN);
        for (int k = 0; k < 6; ++k) EXPECT_NEAR(g_adPlot_Parms[k], c.adParms[k], 1e-12) << k;
        EXPECT_EQ(mp_Output.mp_sText.find("Graph parameters incorrect") != std::string::npos, c.bMessage);
        EXPECT_EQ(g_uiHistory_Next, (*c.acBefore ? 1 : 0) + (*c.acLine ? 1 : 0));
    }
}

// No more grid lines (and labels) than the box has pixels, however many the parameters ask.
TEST_F(ClGraph, ScaleLabelsPrintResidueAsZero) {
    const double adParms[6] = {-1, 1, 4, -1, 1, 4};
    std::copy(adParms, adParms + 6, g_adPlot_Parms);
    EXPECT_EQ(scaleLabels(true, 576), (std::vector<std::string>{"-0.6", "-0.2", "0.2 ", "0.6 "}));
    EXPECT_EQ(scaleLabels(false, 376), (std::vector<std::string>{"0.6 ", "0.2 ", "-0.2", "-0.6"}));
    EXPECT_EQ(scaleLabels(true, 3), (std::vector<std::string>{"-0.5", "0   ", "0.5 "}));
    g_adPlot_Parms[5] = 1e9;
    EXPECT_EQ(gridLines(false, 376), 376);
    EXPECT_EQ(gridLines(true, 576), 4);
    resetGraph();
    EXPECT_EQ(scaleLabels(true, 576), std::vector<std::string>{"0   "});
}

TEST_F(ClGraph, PlotsStoredOnlyWhileTheGraphWindowIsOpen) {
    setLine(displayToCodes("Plot([1: 3], [1, 2, 3])"));
    enterAction();
    EXPECT_EQ(g_uiActive_Plots, 0);
    openGraph();
    for (int i = 0; i < 7; ++i) {
        setLine(displayToCodes("Plot([1: 3], [1; 2; 3])"));
        enterAction();
    }
    EXPECT_EQ(g_uiActive_Plots, 6);
    EXPECT_NE(mp_Output.mp_sText.find("Graph limit exceeded"), std::string::npos);
    closeGraph();
    EXPECT_EQ(g_uiActive_Plots, 0);
    EXPECT_EQ(ClCalculator::mp_mVariable[0].size(), 0);
}

TEST(ClGraphImage, ExtensionRule) {
    const struct {
        const char* acName;
        eIMAGE_FORMAT eFormat;
    } aCASES[] = {{"graph.ppm", eIF_PPM}, {"/tmp/a b.bmp", eIF_BMP}, {"graph.PPM", eIF_NONE},
                  {"graph.ppm.txt", eIF_NONE}, {"a.ppm.ppm", eIF_NONE}, {"ppm", eIF_NONE}, {"a.bmp.ppm", eIF_PPM}};
    for (const auto& c : aCASES) EXPECT_EQ(imageFormatOf(c.acName), c.eFormat) << c.acName;
}

TEST(ClGraphImage, FilesByteExact) {
    for (int i = 0; i < gc_iIMAGE_BYTES; ++i) g_aucLarge_Graph_Image[i] = static_cast<unsigned char>(i / 1800);
    const std::string sPpm = encodeImage(eIF_PPM);
    ASSERT_EQ(sPpm.size(), 720015u);
    EXPECT_EQ(sPpm.substr(0, 15), "P6\n600\n400\n255\n");
    EXPECT_EQ(sPpm[15 + 1800], 1);
    const std::string sBmp = encodeImage(eIF_BMP);
    ASSERT_EQ(sBmp.size(), 720054u);
    EXPECT_EQ(sBmp.substr(0, 2), "BM");
    const auto le = [&sBmp](int iOffset, int iBytes) {
        unsigned uiValue = 0;
        for (int i = iBytes - 1; i >= 0; --i) uiValue = uiValue * 256 + static_cast<unsigned char>(sBmp[iOffset + i]);
        return uiValue;
    };
    const unsigned aaFIELDS[][3] = {{2, 4, 720054}, {6, 4, 0},  {10, 4, 54}, {14, 4, 40}, {18, 4, 600},
                                    {22, 4, 400},   {26, 2, 1}, {28, 2, 24}, {30, 4, 0},  {34, 4, 0},
                                    {38, 4, 2835},  {42, 4, 2835}, {46, 4, 0}, {50, 4, 0}};
    for (const auto& field : aaFIELDS) EXPECT_EQ(le(field[0], field[1]), field[2]) << "offset " << field[0];
    EXPECT_EQ(static_cast<unsigned char>(sBmp[54]), 399 % 256);   // the bottom row comes first
    EXPECT_EQ(static_cast<unsigned char>(sBmp.back()), 0);
}
