// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window under an X display (make bench-window runs it under Xvfb): from start to
// the first drawn frame, in process and as a process of its own, the rebuild of a format switch,
// and a key press on a full line of 511 codes until the input line is drawn again, at the size as
// built and at twice that. The other window benchmarks of this program are in
// window_results_bench.cpp, window_views_bench.cpp and window_xserver_bench.cpp.
// Eigen's headers come before X11's, which define Success and None.
#include "calculator.h"
#include "callbacks.h"
#include "execution_state.h"
#include "main_window.h"

#include "window_common.h"

#include <cstdio>

#include <FL/Fl.H>
#include <FL/x.H>

#include <benchmark/benchmark.h>

namespace {

/// Fills the line with 511 codes by keys: "-", then "1 +" 254 times, then "Det" and its
/// automatic "(". Returns the length reached.
unsigned fillLine() {
    pressEscape();   // Clear
    typeKey('-');
    for (int i = 0; i < 254; ++i) {
        typeKey('1');
        typeKey('+');
    }
    typeKey('D');
    waitUntilDrawn();
    return g_Current_State.mp_uiLength;
}

// The first panel of the process: built, shown and drawn. Only the first build pays for the
// fonts and the visual, so this runs once.
void BM_StartToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        if (g_Main_Window.mp_pPanel) {
            state.SkipWithError("the window was built before this benchmark ran");
            break;
        }
        const BenchClock::time_point start = BenchClock::now();
        g_Main_Window.initializeWindow();
        waitUntilDrawn();
        state.SetIterationTime(secondsSince(start));
    }
}
BENCHMARK(BM_StartToFirstFrame)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The real program from exec to its first drawn frame: a harness on its own display connection
// sees the main window mapped, then reads one pixel of the "Enter" button until it is drawn.
void BM_ProcessStartToFirstFrame(benchmark::State& state) {
    ClProgram program;
    if (!openHarness(state, program)) return;
    double dMap_Seconds = 0;
    for (auto _ : state) {
        const BenchClock::time_point start = BenchClock::now();
        startProgram(program);
        dMap_Seconds += secondsSince(start);
        const bool bDrawn = waitForFirstFrame(program, start);
        state.SetIterationTime(secondsSince(start));
        stopProgram(program);
        if (!bDrawn) {
            state.SkipWithError("the window was not drawn within 10 s");
            break;
        }
    }
    state.counters["map_ms"] = benchmark::Counter(1000 * dMap_Seconds / static_cast<double>(state.iterations()));
    closeHarness(program);
}
BENCHMARK(BM_ProcessStartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// A format switch through portrait: the panel rebuilt in the other orientation and drawn.
void BM_PortraitSwitchToFrame(benchmark::State& state) {
    ensureWindow();
    switchFormat(0);
    int eFormat = 0;
    for (auto _ : state) {
        eFormat = eFormat == 2 ? 0 : 2;
        switchFormat(eFormat);
    }
    switchFormat(0);
}
BENCHMARK(BM_PortraitSwitchToFrame)->Unit(benchmark::kMillisecond);

// One key press (Left, then Right, by turns) on a line of 511 codes, until the window has drawn
// the line again. Arguments: the window format, the factor in percent.
void BM_KeyPressFullLine(benchmark::State& state) {
    ensureWindow();
    switchFormat(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const unsigned uiLength = fillLine();
    if (uiLength != 511) {
        char acMessage[64];
        std::snprintf(acMessage, sizeof acMessage, "the line holds %u codes, not 511", uiLength);
        state.SkipWithError(acMessage);
        return;
    }
    bool bLeft = true;
    for (auto _ : state) {
        pressKey(bLeft ? FL_Left : FL_Right, "");
        Fl::flush();
        XSync(fl_display, False);
        bLeft = !bLeft;
    }
    pressEscape();
    switchFormat(0);
}
BENCHMARK(BM_KeyPressFullLine)
    ->ArgNames({"format", "scale"})
    ->ArgsProduct({{0, 1, 2}, {100, 200}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    configureProcess();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay) {
        std::fprintf(stderr, "orbex_window_bench: needs an X display (make bench-window runs it under xvfb-run)\n");
        return 1;
    }
    fl_open_display(pDisplay);
    Fl_Window::default_xclass("orbex");
    answerDialogs();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
