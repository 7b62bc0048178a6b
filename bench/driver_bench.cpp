// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of lines entered through the Enter action on string panes: a hidden product of the
// 512 x 512 operands, small lines by the length of the session, repetitions of 10,000 shown or
// silent lines, and how long Escape may wait in a repetition of heavy lines.
#include <algorithm>
#include <string>

#include <benchmark/benchmark.h>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"

namespace {

ClStringPane lg_Input, lg_Output;

/// A fresh driver that keeps the variables the engine benchmarks filled.
void startDriver() {
    Matrix amVariable[16];
    for (int i = 0; i < 16; ++i) amVariable[i] = ClCalculator::mp_mVariable[i];
    resetExecution(&lg_Input, &lg_Output);
    for (int i = 0; i < 16; ++i) ClCalculator::mp_mVariable[i] = std::move(amVariable[i]);
}

/// "A * B;": the product, stored in the history and Ans, without its text.
void hiddenProduct(benchmark::State& state) {
    startDriver();
    if (ClCalculator::mp_mVariable[eT_A].rows() != 512) state.SkipWithError("the operands are not set");
    state.SetLabel("A * B;");
    for (auto _ : state) {
        enterStoredLine("A*B;");
        benchmark::DoNotOptimize(ClCalculator::mp_mLast_Output.data());
    }
    if (ClCalculator::mp_mLast_Output.rows() != 512) state.SkipWithError("no product");
}

/// A whole line entered, its result hidden: the operation, the clean-up and Ans, as orbex-batch
/// runs it.
void line(benchmark::State& state, const char* acCodes) {
    startDriver();
    if (ClCalculator::mp_mVariable[eT_A].rows() != 512) state.SkipWithError("the operands are not set");
    state.SetLabel(acCodes);
    for (auto _ : state) {
        enterStoredLine(acCodes);
        benchmark::DoNotOptimize(ClCalculator::mp_mLast_Output.data());
    }
    if (g_uiError_Number != eE_NONE || ClCalculator::mp_mLast_Output.rows() == 0) state.SkipWithError("no result");
}

/// A session of small lines ("2+3", "A=[1,2;3,4]", "D(A)" in turn) as long as the argument; the
/// time is per line, and stays the same however long the session (the history is full after
/// 1024 lines, and the displays keep growing).
void session(benchmark::State& state) {
    const char* const aacLINES[] = {"2+3", "A=[1,2;3,4]", "D(A)"};
    const auto iLines = state.range(0);
    const Matrix mA = ClCalculator::mp_mVariable[eT_A];
    state.SetLabel("2+3, A=[1,2;3,4], D(A) in turn");
    for (auto _ : state) {
        state.PauseTiming();
        startDriver();
        state.ResumeTiming();
        for (int64_t i = 0; i < iLines; ++i) enterStoredLine(aacLINES[i % 3]);
    }
    state.counters["per_line"] = benchmark::Counter(static_cast<double>(iLines),
                                                    benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (ClCalculator::mp_mVariable[eT_A].rows() != 2) state.SkipWithError("the lines did not run");
    ClCalculator::mp_mVariable[eT_A] = mA;   // the operand the benchmarks after this one use
}

/// Rpt of a small line 10,000 times, each shown, or all silent with the Rpt line's ";".
void repetition(benchmark::State& state, const char* acRpt_Line) {
    startDriver();
    state.SetLabel(std::string("u = u + 1, then ") + acRpt_Line);
    for (auto _ : state) {
        state.PauseTiming();
        clearHistory();
        enterStoredLine("u=0");
        enterStoredLine("u=u+1");
        state.ResumeTiming();
        enterStoredLine(acRpt_Line);
    }
    if (ClCalculator::mp_mVariable[eT_u](0, 0) != Complex(10001.0)) state.SkipWithError("not 10,000 repetitions");
}

double lg_dLast_Poll = 0;      ///< seconds into the repetition of the last look at the events
double lg_dLongest_Wait = 0;   ///< the longest time between two looks

bool timePoll(unsigned long, double dSeconds) {
    lg_dLongest_Wait = std::max(lg_dLongest_Wait, dSeconds - lg_dLast_Poll);
    lg_dLast_Poll = dSeconds;
    return dSeconds > 1.5;   // Escape, pressed after a second and a half
}

/// A line of twelve Solves on the 512 x 512 operands, repeated: the time measured is the longest
/// wait between two looks at the window's events, the longest Escape may take to stop it.
void escapeWait(benchmark::State& state) {
    startDriver();
    if (ClCalculator::mp_mVariable[eT_A].rows() != 512) state.SkipWithError("the operands are not set");
    state.SetLabel("Rpt of B = A Solve A Solve ... (12 Solves)");
    for (auto _ : state) {
        clearHistory();
        g_bExecute = false;   // stored, not run
        enterStoredLine("B=AGAGAGAGAGAGAGAGAGAGAGAGA;");
        g_bExecute = true;
        lg_dLast_Poll = lg_dLongest_Wait = 0;
        g_pfnRepeat_Poll = timePoll;
        enterStoredLine("X(100,1)");
        g_pfnRepeat_Poll = nullptr;
        state.SetIterationTime(lg_dLongest_Wait);
    }
    if (lg_Output.mp_sText.find("Limit on Rpts exceeded") == std::string::npos) state.SkipWithError("not stopped");
}

const int gc_iREGISTERED = [] {
    benchmark::RegisterBenchmark("driver_hidden_product", hiddenProduct)->Unit(benchmark::kMillisecond);
    const std::pair<const char*, const char*> aLINES[] = {
        {"line_name_only", "A;"}, {"line_tensor_product", "v{w;"}, {"line_exp", "eA;"},       {"line_sin", "sA;"},
        {"line_determinant", "DB;"}, {"line_left_division", "A\\B;"}, {"line_roots_100", "zP;"}};
    for (const auto& entry : aLINES)
        benchmark::RegisterBenchmark(entry.first, line, entry.second)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("session_small_lines", session)->Arg(2000)->Arg(6000)->Arg(20000)->Arg(40000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeat_shown_10000", repetition, "X(10000,1)")->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeat_silent_10000", repetition, "X(10000,1);")->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("escape_wait_heavy_repetition", escapeWait)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
    return 0;
}();

}  // namespace
