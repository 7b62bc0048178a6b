// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the engine's operations on fixed random 512 x 512 complex operands, evaluated
// through the grammar's own levels as a typed line would be (without the display), and of the
// text of such a result in each format against snprintf alone.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "blas_kernel.h"
#include "engine_state.h"

#ifdef ORBEX_LAPACK
extern "C" char* openblas_get_config();
#endif

namespace {

using Eigen::Index;

/// splitmix64, so that tools/compare-speed.py builds the same operands.
std::uint64_t nextRandom(std::uint64_t& uiState) {
    std::uint64_t z = (uiState += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

/// Real and imaginary parts uniform in [-1, 1), entry by entry in column order.
Matrix fixedMatrix(Index iRows, Index iColumns, std::uint64_t uiSeed) {
    Matrix m(iRows, iColumns);
    for (Index i = 0; i < m.size(); ++i) {
        const double dReal = static_cast<double>(nextRandom(uiSeed) >> 11) * 0x1p-52 - 1.0;
        m(i) = Complex(dReal, static_cast<double>(nextRandom(uiSeed) >> 11) * 0x1p-52 - 1.0);
    }
    return m;
}

// The seed of each operand is its position in the table. B is scaled so that its determinant
// and characteristic polynomial stay finite (A's determinant is about 1E+538); C holds 512
// coefficients, P 101; v X w is 512 x 512.
const struct {
    eTOKEN eVariable;
    Index iRows, iColumns;
    double dScale;
} gc_aOPERANDS[] = {
    {eT_A, 512, 512, 1.0}, {eT_B, 512, 512, 0.25}, {eT_u, 512, 1, 1.0},
    {eT_C, 1, 512, 1.0},   {eT_v, 16, 16, 1.0},    {eT_w, 32, 32, 1.0},
    {eT_P, 1, 101, 1.0},
};

const struct {
    const char* acName;
    std::vector<eTOKEN> aeLine;
} gc_aLINES[] = {
    {"product", {eT_A, eT_TIMES, eT_B}},
    {"right_division", {eT_A, eT_RDIV, eT_B}},
    {"left_division", {eT_A, eT_LDIV, eT_B}},
    {"solve_matrix", {eT_A, eT_SOLVE, eT_B}},
    {"solve_vector", {eT_A, eT_SOLVE, eT_u}},
    {"inverse", {eT_INV, eT_A}},
    {"determinant", {eT_DET, eT_B}},
    {"characteristic_polynomial", {eT_CHARP, eT_B}},
    {"eigenvalues", {eT_EVALS, eT_A}},
    {"schur", {eT_SCHUR, eT_A}},
    {"singular_values", {eT_SVD, eT_A}},
    {"reduced_row_echelon", {eT_RREF, eT_A}},
    {"roots", {eT_ROOTS, eT_C}},
    {"qr", {eT_QR, eT_LPAREN, eT_A, eT_RPAREN}},
    {"qr_pivoting", {eT_QR, eT_LPAREN, eT_A, eT_COMMA, eT_DIGIT_1, eT_RPAREN}},
    {"operator_norm_2", {eT_OPNM, eT_LPAREN, eT_DIGIT_2, eT_COMMA, eT_A, eT_RPAREN}},
    {"tensor_product", {eT_v, eT_TENSOR, eT_w}},
};

/// Gives every operand its fixed value. Each benchmark sets them again before it starts, since
/// one run before it may have changed them (the driver's repetitions count in u).
void setOperands() {
    std::uint64_t uiSeed = 0;
    for (const auto& operand : gc_aOPERANDS)
        ClCalculator::mp_mVariable[operand.eVariable] =
            fixedMatrix(operand.iRows, operand.iColumns, uiSeed++) * operand.dScale;
}

const char* const gc_aacFORMAT_NAME[] = {"decimal", "floating_point", "rational"};
const char* const gc_aacPRINTF[] = {"%G", "%15.9E", "%G"};   ///< rational: the decimal conversion

/// Lexes the line once; every iteration evaluates it from its first token.
void evaluateLine(benchmark::State& state, const std::vector<eTOKEN>& aeLine) {
    setOperands();
    g_Current_State = ClCalculator::mp_NULL_STATE;
    std::string text;
    for (std::size_t i = 0; i < aeLine.size(); ++i) {
        g_Current_State.mp_acInput[i] = static_cast<unsigned char>(g_eiDictionary[aeLine[i]]);
        text += gc_aacTOKEN_NAME[aeLine[i]];
    }
    g_Current_State.mp_uiLength = static_cast<unsigned short>(aeLine.size());
    state.SetLabel(text);
    g_uiError_Number = eE_NONE;
    if (!ClCalculator::tLexer()) state.SkipWithError("the line does not lex");
    for (auto _ : state) {   // every iteration is a line of its own, with its own work budget
        g_uiError_Number = eE_NONE;
        startLine();
        Matrix mValue = ClCalculator::expression();
        benchmark::DoNotOptimize(mValue.data());
    }
    if (g_uiError_Number != eE_NONE) state.SkipWithError(gc_aacERROR_MESSAGE[g_uiError_Number % eE_COUNT]);
}

/// The text of A in one format, Zero Out on.
void displayMatrix(benchmark::State& state, int iFormat) {
    setOperands();
    g_eView_State = static_cast<eVIEW_STATE>(iFormat);
    g_bZero_Out = true;
    state.SetLabel("text of A");
    for (auto _ : state) {
        ClCalculator::matrixDisplay(ClCalculator::mp_mVariable[eT_A]);
        benchmark::DoNotOptimize(g_acOutput_Line[0]);
    }
}

/// The real and imaginary parts of the entries the text of A holds, printed one after
/// another with snprintf alone. The text stops short of the output buffer's end, so it holds
/// fewer entries than A has.
void printNumbers(benchmark::State& state, int iFormat) {
    setOperands();
    const Matrix& m = ClCalculator::mp_mVariable[eT_A];
    g_eView_State = static_cast<eVIEW_STATE>(iFormat);
    g_bZero_Out = true;
    ClCalculator::matrixDisplay(m);
    const std::string text = g_acOutput_Line;   // entries are separated by ", " and " ;\n"
    const Index iEntries = std::count_if(text.begin(), text.end(), [](char c) { return c == ',' || c == ';'; }) + 1;
    state.SetLabel(std::to_string(iEntries) + " entries");
    std::vector<char> acNumbers(static_cast<std::size_t>(iEntries) * 64);
    for (auto _ : state) {
        char* pcEnd = acNumbers.data();
        for (Index k = 0; k < iEntries; ++k) {
            const Complex z = m(k / m.cols(), k % m.cols());
            pcEnd += std::snprintf(pcEnd, 32, gc_aacPRINTF[iFormat], z.real());
            pcEnd += std::snprintf(pcEnd, 32, gc_aacPRINTF[iFormat], z.imag());
        }
        benchmark::DoNotOptimize(acNumbers[0]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    useBestKernel(argv);
    configureProcess();
    resetEngine();
    setOperands();   // the driver's benchmarks keep what they find
    for (const auto& line : gc_aLINES)
        benchmark::RegisterBenchmark(line.acName, evaluateLine, line.aeLine)->Unit(benchmark::kMillisecond);
    for (int iFormat = 0; iFormat < 3; ++iFormat) {
        const std::string name = gc_aacFORMAT_NAME[iFormat];
        benchmark::RegisterBenchmark(("display_" + name).c_str(), displayMatrix, iFormat)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("snprintf_" + name).c_str(), printNumbers, iFormat)->Unit(benchmark::kMillisecond);
    }
#ifdef ORBEX_LAPACK
    benchmark::AddCustomContext("openblas", openblas_get_config());
#endif
    benchmark::AddCustomContext("kernels", kernelInUse());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
