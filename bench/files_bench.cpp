// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the data files: saving and opening a history file of 1024 lines with ten 64 x 64
// variables, and Save Variable and Open of a 512 x 512 complex variable, on real files.
#include <cstdio>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "atomic_write.h"
#include "data_file.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"

namespace {

ClStringPane lg_Input, lg_Output;

/// A fresh driver for the benchmark; the variables the other benchmarks use come back after it.
class ClFilesRun {
public:
    ClFilesRun() {
        for (int i = 0; i < 16; ++i) mp_amSaved[i] = ClCalculator::mp_mVariable[i];
        resetExecution(&lg_Input, &lg_Output);
    }
    ~ClFilesRun() {
        for (int i = 0; i < 16; ++i) ClCalculator::mp_mVariable[i] = std::move(mp_amSaved[i]);
        std::remove(mp_sPath.c_str());
    }
    const std::string mp_sPath = "/tmp/orbex-files-bench-" + std::to_string(::getpid()) + ".obx";

private:
    Matrix mp_amSaved[16];
};

/// 1024 stored lines of 25 codes and ten 64 x 64 complex variables.
void fillSession() {
    const bool bExecute = g_bExecute;
    g_bExecute = false;
    for (int i = 0; i < gc_iHISTORY_SIZE; ++i) enterStoredLine("A=[1,2;3,4]*" + std::to_string(100000 + i) + "+I(B)");
    g_bExecute = bExecute;
    for (int iSlot = eT_A; iSlot <= eT_w; ++iSlot) ClCalculator::mp_mVariable[iSlot] = Matrix::Random(64, 64);
}

void emptyVariables() {
    for (int iSlot = eT_A; iSlot <= eT_w; ++iSlot) ClCalculator::mp_mVariable[iSlot].resize(0, 0);
}

/// A history or variable file written as Save Input and Save Variable write it.
bool saveFile(const std::string& sPath, const std::string& sPayload, std::string& sError) {
    bool bOpened = false;
    return writeFileAtomically(sPath.c_str(), codedFile(sPayload), sError, bOpened);
}

void saveHistory(benchmark::State& state) {
    ClFilesRun run;
    fillSession();
    std::string sError;
    for (auto _ : state)
        if (!saveFile(run.mp_sPath, historyPayload(), sError)) state.SkipWithError(sError.c_str());
}

void openHistory(benchmark::State& state) {
    ClFilesRun run;
    fillSession();
    std::string sError;
    saveFile(run.mp_sPath, historyPayload(), sError);
    for (auto _ : state) {
        state.PauseTiming();
        emptyVariables();   // so that the file fills them
        state.ResumeTiming();
        loadInFile(run.mp_sPath.c_str(), 0);
    }
    if (g_uiHistory_Next != gc_iHISTORY_SIZE || ClCalculator::mp_mVariable[eT_w].rows() != 64)
        state.SkipWithError("the file was not loaded");
}

void saveVariable(benchmark::State& state) {
    ClFilesRun run;
    ClCalculator::mp_mVariable[eT_A] = Matrix::Random(512, 512);
    std::string sError;
    for (auto _ : state)
        if (!saveFile(run.mp_sPath, variablePayload(eT_A), sError)) state.SkipWithError(sError.c_str());
}

void openVariable(benchmark::State& state) {
    ClFilesRun run;
    ClCalculator::mp_mVariable[eT_A] = Matrix::Random(512, 512);
    std::string sError;
    saveFile(run.mp_sPath, variablePayload(eT_A), sError);
    ClCalculator::mp_mVariable[eT_A].resize(0, 0);
    for (auto _ : state) loadInFile(run.mp_sPath.c_str(), 0);
    if (ClCalculator::mp_mVariable[eT_A].rows() != 512) state.SkipWithError("the file was not loaded");
}

const int gc_iREGISTERED = [] {
    benchmark::RegisterBenchmark("files_save_history_1024", saveHistory)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("files_open_history_1024", openHistory)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("files_save_variable_512", saveVariable)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("files_open_variable_512", openVariable)->Unit(benchmark::kMillisecond);
    return 0;
}();

}  // namespace
