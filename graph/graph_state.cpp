// SPDX-License-Identifier: GPL-3.0-or-later
// Graph parameters and plots, the graph window's opening and closing, and the image files.
#include "graph_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"

double g_adPlot_Parms[6] = {-3, 3, 1, -2, 2, 1};
const double gc_adGRAPH_DEFAULT[6] = {-3, 3, 1, -2, 2, 1};
unsigned char g_aucLarge_Graph_Image[gc_iIMAGE_BYTES];

namespace {

void useDefaults() { std::memcpy(g_adPlot_Parms, gc_adGRAPH_DEFAULT, sizeof g_adPlot_Parms); }

/// A 1 x 6 row with each limit pair more than 0.0001 apart and no negative line count.
bool acceptsParameters(const Matrix& m) {
    if (m.rows() != 1 || m.cols() != 6) return false;
    const auto a = [&m](int k) { return m(0, k).real(); };
    return a(1) - 0.0001 > a(0) && a(2) >= 0 && a(4) - 0.0001 > a(3) && a(5) >= 0;
}

void put32(std::string& s, unsigned uiValue) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((uiValue >> (8 * i)) & 0xFF);
}

}  // namespace

void emptyPlots() {
    for (int i = 0; i < gc_iPLOT_COUNT; ++i) ClCalculator::mp_mVariable[i].resize(0, 0);
    g_uiActive_Plots = 0;
}

void resetGraph() {
    useDefaults();
    emptyPlots();
}

void openGraph() {
    emptyPlots();
    if (g_Current_State.mp_uiLength == 0) {
        useDefaults();
    } else {
        enterAction();
        Matrix& mAns = ClCalculator::mp_mLast_Output;   // a failed line leaves the previous Ans
        if (acceptsParameters(mAns)) {
            ClCalculator::cleanMatrix(mAns);
            // Rounds up to four decimals; values within 1e-8 above a multiple round down to it.
            for (int k = 0; k < 6; ++k) g_adPlot_Parms[k] = std::ceil(10000 * mAns(0, k).real() - 0.0001) / 10000;
        } else {
            writeBoth(gc_aacERROR_MESSAGE[eE_GRAPH_PARAMETERS]);
            useDefaults();
        }
    }
    g_eOutput = eGS_SHOWN;
}

void closeGraph() {
    emptyPlots();
    g_eOutput = eGS_NONE;
}

double gridLines(bool bHorizontal, int iPixels) {
    return std::min(g_adPlot_Parms[bHorizontal ? 2 : 5], static_cast<double>(iPixels));
}

std::vector<std::string> scaleLabels(bool bHorizontal, int iPixels) {
    const double* P = g_adPlot_Parms + (bHorizontal ? 0 : 3);   // low, high
    const double dLines = gridLines(bHorizontal, iPixels);
    const double dStep = (P[1] - P[0]) / (dLines + 1) * (bHorizontal ? 1 : -1);
    double v = bHorizontal ? P[0] : P[1];
    Matrix m(1, 2);
    std::vector<std::string> asLabels;
    for (int k = 1; k <= dLines; ++k) {
        m << v + dStep, (std::fabs(P[0]) + std::fabs(P[1])) / 2;
        ClCalculator::cleanMatrix(m);
        v = m(0, 0).real();
        char acLabel[64];
        std::snprintf(acLabel, sizeof acLabel, "%-4.4G", v);
        asLabels.push_back(acLabel);
    }
    return asLabels;
}

eIMAGE_FORMAT imageFormatOf(const char* acName) {
    const std::size_t uiLength = std::strlen(acName);
    for (const auto& format : {std::make_pair(".ppm", eIF_PPM), std::make_pair(".bmp", eIF_BMP)}) {
        const char* pcFound = std::strstr(acName, format.first);
        if (pcFound && pcFound + 4 == acName + uiLength) return format.second;
    }
    return eIF_NONE;
}

std::string encodeImage(eIMAGE_FORMAT eFormat) {
    const unsigned char* pucImage = g_aucLarge_Graph_Image;
    constexpr int iROW = gc_iIMAGE_W * 3;
    std::string sFile;
    sFile.reserve(gc_iIMAGE_BYTES + 54);
    if (eFormat == eIF_PPM) {
        sFile = "P6\n600\n400\n255\n";
        sFile.append(reinterpret_cast<const char*>(pucImage), gc_iIMAGE_BYTES);
        return sFile;
    }
    sFile = "BM";
    put32(sFile, gc_iIMAGE_BYTES + 54);
    put32(sFile, 0);    // two reserved words
    put32(sFile, 54);   // pixel data offset
    put32(sFile, 40);   // info header size
    put32(sFile, gc_iIMAGE_W);
    put32(sFile, gc_iIMAGE_H);   // positive: rows bottom-up
    put32(sFile, 1 | (24 << 16));   // one plane, 24 bits per pixel
    put32(sFile, 0);    // no compression
    put32(sFile, 0);    // image size
    put32(sFile, 2835);
    put32(sFile, 2835);
    put32(sFile, 0);
    put32(sFile, 0);
    for (int iRow = gc_iIMAGE_H - 1; iRow >= 0; --iRow)   // 1800 bytes a row: no padding
        for (int i = 0; i < iROW; i += 3) {
            const unsigned char* puc = pucImage + iRow * iROW + i;
            sFile += static_cast<char>(puc[2]);
            sFile += static_cast<char>(puc[1]);
            sFile += static_cast<char>(puc[0]);
        }
    return sFile;
}
