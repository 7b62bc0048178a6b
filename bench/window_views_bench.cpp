// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window's other views: the graph box with six plots of 100,000 points, drawn on
// screen and rendered into the export picture, and the matrix editor's table of 512 x 512.
// Eigen's headers come before X11's, which define Success and None.
#include "callbacks.h"
#include "editor_flow.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "main_window.h"
#include "matrix_table.h"

#include "window_common.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <FL/Fl.H>

#include "graph_box.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int gc_iPLOT_POINTS = 100000;

/// Six plots of 100,000 points across the default x range: sine waves (0), or points that
/// jump anywhere in the y range from one to the next (1), the worst case for the lines drawn.
void fillPlots(int iKind) {
    std::srand(1);
    for (int k = 0; k < gc_iPLOT_COUNT; ++k) {
        Matrix& mPlot = ClCalculator::mp_mVariable[k];
        mPlot.resize(2, gc_iPLOT_POINTS);
        for (int j = 0; j < gc_iPLOT_POINTS; ++j) {
            const double x = -3 + 6.0 * j / (gc_iPLOT_POINTS - 1);
            const double y = iKind == 0 ? 1.5 * std::sin((k + 1) * x + k) : 4.0 * std::rand() / RAND_MAX - 2;
            mPlot(0, j) = x;
            mPlot(1, j) = y;
        }
    }
    g_uiActive_Plots = gc_iPLOT_COUNT;
}

/// The graph window opened in the two-window format with the defaults, its plots filled.
bool openGraphWith(benchmark::State& state, int iKind) {
    ensureWindow();
    switchFormat(0);
    pressEscape();   // an empty line keeps the default parameters
    if (!isGraphOpen()) ClCallback::graph_cb(nullptr, nullptr);
    if (g_eOutput != eGS_SHOWN) {
        state.SkipWithError("the graph window did not open");
        return false;
    }
    fillPlots(iKind);
    waitUntilDrawn();
    return true;
}

void closeGraphWindow() {
    if (isGraphOpen()) ClCallback::graph_cb(nullptr, nullptr);
    flushAndSync();
}

const char* const gc_aacPLOT_KINDS[2] = {"sine waves", "random points"};

// The graph box redrawn with six plots until the server has drawn it. Arguments: the plots
// (0 sine waves, 1 random points), and 1 for the scales and corner coordinates shown.
void BM_GraphRedraw(benchmark::State& state) {
    const int iKind = static_cast<int>(state.range(0));
    if (!openGraphWith(state, iKind)) return;
    g_bGraph_Scales = g_bGraph_Corners = state.range(1) != 0;
    state.SetLabel(std::string("6 x 100000 points, ") + gc_aacPLOT_KINDS[iKind] + (g_bGraph_Scales ? ", scales" : ""));
    ClGraphBox* pGraph = g_Main_Window.mp_pPanel->mp_pGraph_Box;
    for (auto _ : state) {
        pGraph->redraw();
        flushAndSync();
    }
    closeGraphWindow();
    failOnDialog(state);
}
BENCHMARK(BM_GraphRedraw)
    ->ArgNames({"plots", "scales"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

// The 600 x 400 export picture of the same graph, rendered offscreen and read back.
void BM_GraphExport(benchmark::State& state) {
    const int iKind = static_cast<int>(state.range(0));
    if (!openGraphWith(state, iKind)) return;
    state.SetLabel(std::string("6 x 100000 points, ") + gc_aacPLOT_KINDS[iKind]);
    for (auto _ : state) {
        if (!renderGraphImage()) {
            state.SkipWithError("no offscreen picture");
            break;
        }
    }
    closeGraphWindow();
    failOnDialog(state);
}
BENCHMARK(BM_GraphExport)->ArgName("plots")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The matrix editor's table of a 512 x 512 complex A, redrawn until the server has drawn it.
// Argument: 0 at the top left, 1 scrolled to the middle, 2 scrolling one row down and back up
// by turns in the middle.
void BM_EditorTableRedraw(benchmark::State& state) {
    ensureWindow();
    switchFormat(0);
    pressEscape();
    std::srand(1);
    ClCalculator::mp_mVariable[eT_A] = (Matrix::Random(512, 512) + Matrix::Constant(512, 512, std::complex<double>(1, 1))) / 2.0;
    ClCallback::editSizes_cb(nullptr, const_cast<eTOKEN*>(&eToken_Matrix[0]));
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    ClTable& table = *g_Main_Window.mp_pPanel->mp_pTable;
    const int iPlace = static_cast<int>(state.range(0));
    if (iPlace != 0) {
        table.row_position(256);
        table.col_position(256);
    }
    waitUntilDrawn();
    if (lg_eActive_Input != eAI_EDITOR_ENTRY || table.rows() != 512 || g_mEdit_Values.cols() != 512) {
        state.SkipWithError("the editor's table did not open on 512 x 512");
        ClCallback::editCancel_cb(nullptr, nullptr);
        return;
    }
    int iTop, iBottom, iLeft, iRight;
    table.visible_cells(iTop, iBottom, iLeft, iRight);
    state.counters["cells"] = (iBottom - iTop + 1) * (iRight - iLeft + 1);
    if (!table.visible_r()) state.SkipWithError("the table is not shown");
    static const char* const aacPLACES[3] = {"top left", "middle", "scrolling a row"};
    state.SetLabel(std::string("512 x 512, ") + aacPLACES[iPlace]);
    bool bDown = true;
    for (auto _ : state) {
        if (iPlace == 2) {
            table.row_position(bDown ? 257 : 256);
            bDown = !bDown;
        }
        table.redraw();
        flushAndSync();
    }
    ClCallback::editCancel_cb(nullptr, nullptr);
    flushAndSync();
    if (lg_eActive_Input != eAI_CALCULATOR) state.SkipWithError("the editor did not close");
    failOnDialog(state);
}
BENCHMARK(BM_EditorTableRedraw)->ArgName("place")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
