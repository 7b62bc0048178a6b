// Speed of lines entered through the Enter action on string panes: a hidden product of the
// 512 x 512 operands, and repetitions of 10,000 shown or silent lines.
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

const int gc_iREGISTERED = [] {
    benchmark::RegisterBenchmark("driver_hidden_product", hiddenProduct)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeat_shown_10000", repetition, "X(10000,1)")->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeat_silent_10000", repetition, "X(10000,1);")->Unit(benchmark::kMillisecond);
    return 0;
}();

}  // namespace
