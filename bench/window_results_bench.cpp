// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window with large results in its displays, in each window format: Enter until a
// 512 x 512 complex matrix (in each number format, and in decimal at twice the size as built) or a
// 1 x 262144 complex row (in decimal, at both sizes) is drawn, then single key presses (typing,
// cursor moves, history browsing) until the window is drawn again; and repetitions of 10,000
// lines in the window, shown and silent.
// Eigen's headers come before X11's, which define Success and None.
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "main_window.h"

#include "window_common.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <FL/Fl.H>

#include <benchmark/benchmark.h>

namespace {

/// A variable holding a large result, and the key that types its name.
struct ClOperand {
    const char* acLabel;
    char cKey;
    eTOKEN eVariable;
    int iRows, iCols;
};
const ClOperand gc_aOPERANDS[2] = {{"512 x 512", 'A', eT_A, 512, 512}, {"1 x 262144", 'B', eT_B, 1, 262144}};
const char* const gc_aacFORMATS[3] = {"two windows", "one window", "portrait"};

/// A window format, a number format and the factor in percent.
struct ClView {
    int eFormat, eNumber, iPercent;
};

ClView viewOf(const benchmark::State& state, int iFormat_Arg) {
    return {static_cast<int>(state.range(iFormat_Arg)), static_cast<int>(state.range(iFormat_Arg + 1)),
            static_cast<int>(state.range(iFormat_Arg + 2))};
}

/// The results and how they are shown: operand, number format, factor in percent. The matrix in
/// each number format at the size as built and in decimal at twice that, the row in decimal.
const int gc_aaiRESULT_VIEWS[6][3] = {{0, 0, 100}, {0, 1, 100}, {0, 2, 100}, {0, 0, 200}, {1, 0, 100}, {1, 0, 200}};

/// Adds the arguments operand, window format, number format and factor of each result in each
/// window format, after a first argument 0 to iKinds_Of_Keys - 1 when that is not 0; the first
/// argument varies fastest, so that each result is entered once for all its kinds of keys.
void addResultViews(benchmark::internal::Benchmark* pBench, int iKinds_Of_Keys) {
    for (const auto& aiView : gc_aaiRESULT_VIEWS)
        for (int eFormat = 0; eFormat < 3; ++eFormat)
            for (int iKeys = 0; iKeys < std::max(iKinds_Of_Keys, 1); ++iKeys) {
                std::vector<int64_t> aiArgs = {aiView[0], eFormat, aiView[1], aiView[2]};
                if (iKinds_Of_Keys > 0) aiArgs.insert(aiArgs.begin(), iKeys);
                pBench->Args(aiArgs);
            }
}

/// The operand and view whose result the displays hold now; -1 when something else was shown
/// since.
int lg_iLoaded = -1;

int loadedKey(const ClOperand& operand, const ClView& view) {
    return ((static_cast<int>(&operand - gc_aOPERANDS) * 3 + view.eFormat) * 3 + view.eNumber) * 1000 + view.iPercent;
}

/// Uniform real and imaginary parts in [0, 1), as RndU gives them, from a fixed seed.
void setOperand(const ClOperand& operand) {
    Matrix& mVariable = ClCalculator::mp_mVariable[operand.eVariable];
    if (mVariable.rows() == operand.iRows && mVariable.cols() == operand.iCols) return;
    std::srand(1);
    mVariable = (Matrix::Random(operand.iRows, operand.iCols) + Matrix::Constant(operand.iRows, operand.iCols, std::complex<double>(1, 1))) / 2.0;
}

/// The displays primed afresh in the view, with an empty line.
void freshDisplays(const ClView& view) {
    switchFormat(view.eFormat, view.iPercent, view.eNumber);
    pressEscape();
    primeDisplays();
    flushAndSync();
    lg_iLoaded = -1;
}

/// Types the operand's name on fresh displays, then times Enter until the result is drawn.
/// Returns the seconds, or a negative number when no large result was shown.
double enterOperand(const ClOperand& operand, const ClView& view) {
    freshDisplays(view);
    typeKey(operand.cKey);
    flushAndSync();
    const BenchClock::time_point start = BenchClock::now();
    pressEnter();
    flushAndSync();
    const double dSeconds = secondsSince(start);
    if (g_pOutput_Display->textLength() < 1000000) return -1;
    lg_iLoaded = loadedKey(operand, view);
    return dSeconds;
}

bool loadResult(benchmark::State& state, const ClOperand& operand, const ClView& view) {
    if (lg_iLoaded == loadedKey(operand, view)) return true;
    setOperand(operand);
    if (enterOperand(operand, view) < 0) {
        state.SkipWithError("the result was not shown");
        return false;
    }
    return true;
}

void labelResult(benchmark::State& state, const ClOperand& operand, const ClView& view) {
    state.SetLabel(std::string(operand.acLabel) + ", " + gc_aacFORMATS[view.eFormat] + ", " +
                   gc_aacNUMBER_FORMATS[view.eNumber] + ", " + std::to_string(view.iPercent) + "%");
}

// Enter on the line naming the operand, until the result is drawn in the window; the displays
// start empty each time. Arguments: the operand (0 the matrix, 1 the row), the window format, the
// number format, the factor in percent.
void BM_LargeResultEnter(benchmark::State& state) {
    ensureWindow();
    const ClOperand& operand = gc_aOPERANDS[state.range(0)];
    const ClView view = viewOf(state, 1);
    labelResult(state, operand, view);
    setOperand(operand);
    for (auto _ : state) {
        const double dSeconds = enterOperand(operand, view);
        if (dSeconds < 0) {
            state.SkipWithError("the result was not shown");
            break;
        }
        state.SetIterationTime(dSeconds);
    }
    state.counters["output_MB"] = g_pOutput_Display->textLength() / 1e6;
    failOnDialog(state);
}
BENCHMARK(BM_LargeResultEnter)
    ->ArgNames({"operand", "format", "number", "scale"})
    ->Apply([](benchmark::internal::Benchmark* pBench) { addResultViews(pBench, 0); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

/// Times one key press until the window is drawn again.
double timedKey(int iKeysym, const char* acText) {
    const BenchClock::time_point start = BenchClock::now();
    pressKey(iKeysym, acText);
    flushAndSync();
    return secondsSince(start);
}

// One key press with the large result in the displays, until the window is drawn again.
// Arguments: the keys: 0 a digit typed (the BackSpace that takes it away again is the counter
// bksp_ms), 1 Left and Right by turns on the line "1 + 1", 2 Up and Down by turns (the history
// shows the operand's line and the empty line); the operand; the window format; the number
// format; the factor in percent.
void BM_KeyOverLargeResult(benchmark::State& state) {
    ensureWindow();
    const int iKeys = static_cast<int>(state.range(0));
    const ClOperand& operand = gc_aOPERANDS[state.range(1)];
    const ClView view = viewOf(state, 2);
    labelResult(state, operand, view);
    if (!loadResult(state, operand, view)) return;
    pressEscape();
    if (iKeys == 1) typeKeys("1+1");
    flushAndSync();
    double dOther_Seconds = 0;
    bool bFirst = true;
    for (auto _ : state) {
        double dSeconds = 0;
        switch (iKeys) {
        case 0:
            dSeconds = timedKey('1', "1");
            dOther_Seconds += timedKey(FL_BackSpace, "\b");
            break;
        case 1: dSeconds = timedKey(bFirst ? FL_Left : FL_Right, ""); break;
        default: dSeconds = timedKey(bFirst ? FL_Up : FL_Down, ""); break;
        }
        bFirst = !bFirst;
        state.SetIterationTime(dSeconds);
    }
    if (iKeys == 0)
        state.counters["bksp_ms"] = benchmark::Counter(1000 * dOther_Seconds / static_cast<double>(state.iterations()));
    if (!bFirst && iKeys == 2) timedKey(FL_Down, "");   // back to the empty line
    pressEscape();
    flushAndSync();
    if (g_Current_State.mp_uiLength != 0) state.SkipWithError("the line was not cleared");
    failOnDialog(state);
}
BENCHMARK(BM_KeyOverLargeResult)
    ->ArgNames({"keys", "operand", "format", "number", "scale"})
    ->Apply([](benchmark::internal::Benchmark* pBench) { addResultViews(pBench, 3); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// "u = 0", "u = u + 1", then Rpt(10000, 1) typed and entered in the window, until the window is
// drawn again: 10,000 lines shown, or none with the Rpt line's ";". The repetition lets the
// window handle its events every few hundredths of a second. Arguments: silent, window format
// (portrait writes to its displays as the one-window format does).
void BM_RepeatInWindow(benchmark::State& state) {
    ensureWindow();
    const bool bSilent = state.range(0) != 0;
    const int eFormat = static_cast<int>(state.range(1));
    state.SetLabel(std::string(bSilent ? "silent" : "shown") + ", " + gc_aacFORMATS[eFormat]);
    for (auto _ : state) {
        freshDisplays({eFormat, 0, 100});
        clearHistory();
        enterStoredLine("u=0");
        enterStoredLine("u=u+1");
        typeKeys(bSilent ? "X10000,1);" : "X10000,1)");   // the "(" comes with Rpt
        flushAndSync();
        state.SetIterationTime(timedKey(FL_Enter, "\r"));
        if (ClCalculator::mp_mVariable[eT_u](0, 0) != std::complex<double>(10001.0)) {
            state.SkipWithError("not 10,000 repetitions");
            break;
        }
    }
    state.counters["output_MB"] = g_pOutput_Display->textLength() / 1e6;
    freshDisplays({0, 0, 100});
    failOnDialog(state);
}
BENCHMARK(BM_RepeatInWindow)
    ->ArgNames({"silent", "format"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
