// SPDX-License-Identifier: GPL-3.0-or-later
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

// The graph window takes its parameters from the line, entered as Enter does (after acBefore).
TEST_F(ClGraph, ParametersFromTheInputLine) {
    const struct { const char* acBefore; const char* acLine; double adParms[6]; bool bMessage; } aCASES[] = {
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
    ClCalculator::mp_mVariable[eT_A] = Matrix::Ones(1, 1);   // the slot after the plots'
    closeGraph();
    EXPECT_EQ(g_uiActive_Plots, 0);
    EXPECT_EQ(ClCalculator::mp_mVariable[0].size(), 0);
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_A].size(), 1);
}

TEST(ClGraphImage, ExtensionRule) {
    const struct { const char* acName; eIMAGE_FORMAT eFormat; } aCASES[] = {
        {"graph.ppm", eIF_PPM}, {"/tmp/a b.bmp", eIF_BMP}, {"graph.PPM", eIF_NONE}, {"graph.ppm.txt", eIF_NONE},
        {"a.ppm.ppm", eIF_NONE}, {"ppm", eIF_NONE}, {"a.bmp.ppm", eIF_PPM}};
    for (const auto& c : aCASES) EXPECT_EQ(imageFormatOf(c.acName), c.eFormat) << c.acName;
}

TEST(ClGraphImage, FilesByteExact) {
    for (int i = 0; i < gc_iIMAGE_BYTES; ++i) g_aucLarge_Graph_Image[i] = static_cast<unsigned char>(i / 1800 + i % 3);
    const std::string sPpm = encodeImage(eIF_PPM);
    ASSERT_EQ(sPpm.size(), 720015u);
    EXPECT_EQ(sPpm.substr(0, 15), "P6\n600\n400\n255\n");
    EXPECT_EQ(sPpm[15 + 1800 + 2], 3);
    const std::string sBmp = encodeImage(eIF_BMP);
    ASSERT_EQ(sBmp.size(), 720054u);
    // "BM", the file's size, 0, the pixels' offset; a header of 40 bytes: 600 x 400, one plane of
    // 24 bits, no compression, 0, 2835 pixels a metre each way, 0, 0. All numbers little-endian.
    EXPECT_EQ(sBmp.substr(0, 54), std::string("BM\xB6\xFC\x0A\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x58\x02\0\0\x90\x01\0\0\x01\0\x18\0"
                                              "\0\0\0\0\0\0\0\0\x13\x0B\0\0\x13\x0B\0\0\0\0\0\0\0\0\0\0", 54));
    // The bottom row comes first, each pixel blue, green, red.
    EXPECT_EQ(sBmp.substr(54, 3), std::string({static_cast<char>(399 % 256 + 2), static_cast<char>(399 % 256 + 1),
                                               static_cast<char>(399 % 256)}));
    EXPECT_EQ(static_cast<unsigned char>(sBmp.back()), 0);
}
