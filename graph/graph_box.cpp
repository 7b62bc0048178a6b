// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the graph: background, scales, frame, grid, the curves in six colours and the corner
// coordinates; the same steps on screen and in the export.
#include "engine_state.h"
#include "graph_state.h"

#include "graph_box.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

bool g_bGraph_Scales = false;
bool g_bGraph_Corners = false;

namespace {

const Fl_Color acGRAPH_COLOR[gc_iPLOT_COUNT] = {56, 88, 63, 216, 76, 223};
constexpr int gc_iFONT_SIZE = 14;      ///< the toolkit's normal size, which the texts start from
constexpr int gc_iSCALE_MARGIN = 24;   ///< left of and under the plot area, at factor 1
constexpr int gc_iPAD = 2;             ///< between a text and its line or edge
constexpr int gc_iLABEL_DROP = 10;     ///< the horizontal labels' baseline under the plot area
constexpr double gc_dFAR = 16384;   ///< beyond this a segment is clipped before it is drawn

int scaledPx(int iLength, double dScale) { return static_cast<int>(std::lround(iLength * dScale)); }

void drawScales(int iX, int iY, int iPlot_W, int iPlot_H, int iFont_Height, double dScale) {
    const std::vector<std::string> asVertical = scaleLabels(false, iPlot_H), asHorizontal = scaleLabels(true, iPlot_W);
    const double dStep_Y = iPlot_H / (gridLines(false, iPlot_H) + 1), dStep_X = iPlot_W / (gridLines(true, iPlot_W) + 1);
    const int iMargin = scaledPx(gc_iSCALE_MARGIN, dScale), iPad = scaledPx(gc_iPAD, dScale);
    for (std::size_t k = 1; k <= asVertical.size(); ++k) {   // right-aligned in the margin
        const char* acLabel = asVertical[k - 1].c_str();
        const int d = static_cast<int>(fl_width(acLabel) + iPad);
        fl_draw(acLabel, iX + (d <= iMargin ? iMargin - d : 0),
                iY + static_cast<int>(std::ceil(k * dStep_Y)) + iPad - (iFont_Height / 2) / 3);
    }
    for (std::size_t k = 1; k <= asHorizontal.size(); ++k) {   // centred under the grid lines
        const char* acLabel = asHorizontal[k - 1].c_str();
        fl_draw(acLabel, iX + static_cast<int>(std::ceil(k * dStep_X)) + iMargin - static_cast<int>(fl_width(acLabel)) / 2,
                iY + iPlot_H + scaledPx(gc_iLABEL_DROP, dScale));
    }
}

/// Clips the segment to the box [dLow, dHigh] on both axes (Liang-Barsky); false when nothing
/// of it is inside.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double dLow_X, double dHigh_X, double dLow_Y,
                 double dHigh_Y) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - dLow_X, dHigh_X - x0, y0 - dLow_Y, dHigh_Y - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 += t0 * dx;
    y0 += t0 * dy;
    return true;
}

/// Joins two points given as pixel offsets. Points far outside the area are brought back along
/// the segment, so the line still leaves toward them and no offset overflows.
void joinPoints(int iX, int iY, int iW, int iH, double x0, double y0, double x1, double y1) {
    const bool bNear = std::fabs(x0) < gc_dFAR && std::fabs(y0) < gc_dFAR && std::fabs(x1) < gc_dFAR &&
                       std::fabs(y1) < gc_dFAR;
    if (!bNear && !clipSegment(x0, y0, x1, y1, -2, iW + 2, -2, iH + 2)) return;
    fl_line(iX + static_cast<int>(x0), iY + static_cast<int>(y0), iX + static_cast<int>(x1), iY + static_cast<int>(y1));
}

/// The points of one plot, as pixel offsets, joined in order. A run of points in one pixel
/// column is joined as its first, lowest, highest and last point: the run's segments are all
/// vertical in that column, so they cover exactly the span those four give, and a plot of
/// 100,000 points asks the server for a few lines per column instead of one per point.
class ClPolyline {
public:
    ClPolyline(int iX, int iY, int iW, int iH) : mp_iX(iX), mp_iY(iY), mp_iW(iW), mp_iH(iH) {}
    void add(double dPx, double dPy) {
        if (mp_iCount > 0 && dPx == mp_dRun_X) {
            if (dPy < mp_dLow) mp_dLow = dPy;
            if (dPy > mp_dHigh) mp_dHigh = dPy;
            mp_dLast_Y = dPy;
            ++mp_iCount;
            return;
        }
        finishRun();
        if (mp_bHave_End) join(dPx, dPy);   // the step into the next column
        mp_dRun_X = dPx;
        mp_dFirst_Y = mp_dLow = mp_dHigh = mp_dLast_Y = dPy;
        mp_iCount = 1;
        mp_bHave_End = true;
        mp_dEnd_X = dPx;
        mp_dEnd_Y = dPy;
    }
    void finishRun() {
        if (mp_iCount < 2) return;
        // from the first point (the line's end now) to the lowest, the highest and the last
        if (mp_dLow != mp_dFirst_Y) join(mp_dRun_X, mp_dLow);
        if (mp_dHigh != mp_dEnd_Y) join(mp_dRun_X, mp_dHigh);
        if (mp_dLast_Y != mp_dEnd_Y) join(mp_dRun_X, mp_dLast_Y);
        mp_iCount = 1;
        mp_dFirst_Y = mp_dLow = mp_dHigh = mp_dLast_Y;
    }

private:
    void join(double dPx, double dPy) {
        joinPoints(mp_iX, mp_iY, mp_iW, mp_iH, mp_dEnd_X, mp_dEnd_Y, dPx, dPy);
        mp_dEnd_X = dPx;
        mp_dEnd_Y = dPy;
    }
    int mp_iX, mp_iY, mp_iW, mp_iH;
    int mp_iCount = 0;
    bool mp_bHave_End = false;
    double mp_dRun_X = 0, mp_dFirst_Y = 0, mp_dLow = 0, mp_dHigh = 0, mp_dLast_Y = 0, mp_dEnd_X = 0, mp_dEnd_Y = 0;
};

void drawPlots(int iX, int iY, int iW, int iH) {
    const double* P = g_adPlot_Parms;
    const double sx = iW / (P[1] - P[0]), sy = iH / (P[4] - P[3]);
    for (int k = 0; k < g_uiActive_Plots; ++k) {
        fl_color(acGRAPH_COLOR[k]);
        const Matrix& mPlot = ClCalculator::mp_mVariable[k];
        ClPolyline line(iX, iY, iW, iH);
        for (Eigen::Index j = 0; j < mPlot.cols(); ++j) {
            const double x = mPlot(0, j).real(), y = mPlot(1, j).real();
            if (!ismyfinite(x) || !ismyfinite(y)) continue;   // bridged to the next usable point
            // Offsets truncate toward zero, as the picture's pixels are counted.
            const double dPx = std::trunc((x - P[0]) * sx), dPy = std::trunc((P[4] - y) * sy);
            if (!ismyfinite(dPx) || !ismyfinite(dPy)) continue;
            line.add(dPx, dPy);
        }
        line.finishRun();
    }
}

void drawCorners(int iX, int iY, int iW, int iH, bool bExport, double dScale) {
    const double* P = g_adPlot_Parms;
    char acLow[80], acHigh[80];
    if (bExport) {
        std::snprintf(acLow, sizeof acLow, "(%4.4G, %4.4G)", P[0], P[3]);
        std::snprintf(acHigh, sizeof acHigh, "(%4.4G, %4.4G)", P[1], P[4]);
    } else {
        for (auto corner : {std::make_pair(acLow, 0), std::make_pair(acHigh, 1)}) {   // without blanks
            std::snprintf(corner.first, sizeof acLow, "(%4.4G,%4.4G)", P[corner.second], P[3 + corner.second]);
            clearChars(corner.first, ' ');
        }
    }
    const int iDescent = fl_descent(), iHeight = fl_height(), iPad = scaledPx(gc_iPAD, dScale);
    fl_draw(acLow, iX + iPad, iY + iH - iDescent);
    fl_draw(acHigh, static_cast<int>(iX + iW - fl_width(acHigh) - iPad), iY - iDescent + iHeight);
}

}  // namespace

void drawGraph(int iX, int iY, int iW, int iH, bool bExport, double dScale) {
    // One font at every start, so the screen and the export never depend on what was drawn before.
    fl_font(FL_HELVETICA, scaledPx(gc_iFONT_SIZE, dScale));
    const int iSize = fl_size(), iFont_Height = fl_height();
    const int iSmall_Size = bExport ? iSize * 4 / 5 : iSize * 3 / 4;
    fl_push_clip(iX, iY, iW, iH);
    fl_color(FL_WHITE);
    fl_rectf(iX, iY, iW, iH);
    int iPlot_W = iW, iPlot_H = iH;
    if (g_bGraph_Scales) {
        const int iMargin = scaledPx(gc_iSCALE_MARGIN, dScale);
        fl_font(FL_HELVETICA, iSmall_Size);
        fl_color(FL_BLACK);
        iPlot_W = iW - iMargin;
        iPlot_H = iH - iMargin;
        drawScales(iX, iY, iPlot_W, iPlot_H, iFont_Height, dScale);
        fl_font(FL_HELVETICA, iSize);
        fl_pop_clip();
        iX += iMargin;
        fl_push_clip(iX, iY, iPlot_W, iPlot_H);
    }
    // Lines as wide as the factor; at 1 the server's thin lines, which the export is made of.
    const int iLine_Width = scaledPx(1, dScale);
    if (iLine_Width > 1) fl_line_style(FL_SOLID | FL_CAP_ROUND | FL_JOIN_ROUND, iLine_Width);
    fl_frame("AAAA", iX, iY, iPlot_W, iPlot_H);
    fl_color(49);
    const double dLines_Y = gridLines(false, iPlot_H), dLines_X = gridLines(true, iPlot_W);
    for (int k = 1; k <= dLines_Y; ++k) {
        const int c = static_cast<int>(std::ceil(k * iPlot_H / (dLines_Y + 1)));
        fl_line(iX, iY + c, iX + iPlot_W, iY + c);
    }
    for (int k = 1; k <= dLines_X; ++k) {
        const int c = static_cast<int>(std::ceil(k * iPlot_W / (dLines_X + 1)));
        fl_line(iX + c, iY, iX + c, iY + iPlot_H);
    }
    fl_color(FL_BLACK);
    drawPlots(iX, iY, iPlot_W, iPlot_H);
    if (g_bGraph_Corners) {
        fl_font(FL_HELVETICA, iSmall_Size);
        fl_color(FL_BLACK);
        drawCorners(iX, iY, iPlot_W, iPlot_H, bExport, dScale);
        fl_font(FL_HELVETICA, iSize);
    }
    if (iLine_Width > 1) fl_line_style(0);
    fl_pop_clip();
}

ClGraphBox::ClGraphBox(int iX, int iY, int iW, int iH, const char* acLabel) : Fl_Box(iX, iY, iW, iH, acLabel) {
    box(FL_BORDER_FRAME);
    color(49);
}

void ClGraphBox::draw() {
    drawGraph(x(), y(), w(), h(), false, mp_dScale);
    Fl_Box::draw();
}

int ClGraphBox::handle(int iEvent) {
    return iEvent == FL_KEYDOWN || iEvent == FL_KEYUP || iEvent == FL_SHORTCUT ? 0 : 1;
}

bool renderGraphImage() {
    const Fl_Offscreen picture = fl_create_offscreen(gc_iIMAGE_W, gc_iIMAGE_H);
    if (!picture) return false;
    fl_begin_offscreen(picture);
    drawGraph(0, 0, gc_iIMAGE_W, gc_iIMAGE_H, true, 1);
    fl_read_image(g_aucLarge_Graph_Image, 0, 0, gc_iIMAGE_W, gc_iIMAGE_H);
    fl_end_offscreen();
    fl_delete_offscreen(picture);
    return true;
}
