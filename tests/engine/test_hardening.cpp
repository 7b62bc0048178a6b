// Regression tests for the faults found by the line fuzzer and by review of the engine's bounds:
// every line must end in a value or an error, within the line's own bounds.
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

#ifdef ORBEX_LAPACK
#include <sys/mman.h>
#include <unistd.h>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>
#endif

namespace {

class ClCalculatorHardening : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// Lexes and evaluates a line of raw key codes; returns the error number.
    static unsigned short run(const std::string& codes) {
        setLine(codes);
        if (ClCalculator::tLexer()) ClCalculator::tParser();
        return g_uiError_Number;
    }
};

TEST_F(ClCalculatorHardening, DeepNestingDoesNotOverflowStack) {
    // 511 codes nest at most 255 levels; each must evaluate.
    const std::string aacLINES[] = {std::string(255, '(') + "7" + std::string(255, ')'),
                                    std::string(255, '[') + "7" + std::string(255, ']'),
                                    std::string(255, '(') + "7"};
    for (const std::string& line : aacLINES) {
        SCOPED_TRACE(line);
        ASSERT_EQ(run(line), eE_NONE);
        EXPECT_EQ(ClCalculator::mp_mParser_Output, mat({{7}}));
    }
}

TEST_F(ClCalculatorHardening, NestedGridsAreNotReadExponentially) {
    // Every "[" below is a one-element grid (its "]" comes after the ")"), and a grid reads its
    // elements twice: 200 levels once meant 2^200 readings.
    ASSERT_EQ(run("(" + std::string(200, '[') + "1)"), eE_NONE);
    EXPECT_EQ(ClCalculator::mp_mParser_Output, mat({{1}}));
}

TEST_F(ClCalculatorHardening, FullFactorsPastTheEntryLimitAreRefused) {
    // A 1 x 262144 row once asked SVD for a 262144 x 262144 V and QR for as large a P.
    struct {
        const char* acLine;
        eERROR eError;
    } const aCASES[] = {
        {"SVD (Ones(1, 513))", eE_MATRIX_SIZE},   {"SVD (Ones(513, 1))", eE_MATRIX_SIZE},
        {"QR (Ones(513, 1))", eE_MATRIX_SIZE},    {"QR (Ones(1, 513), 1)", eE_MATRIX_SIZE},
        {"QR (Ones(1, 513))", eE_NONE},           {"SVD (Ones(512, 2))", eE_NONE},
        {"QR (Ones(512, 2), 1)", eE_NONE},
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        resetEngine();
        evaluate(testCase.acLine);
        EXPECT_EQ(g_uiError_Number, testCase.eError);
        for (const Matrix& mVariable : ClCalculator::mp_mVariable) EXPECT_LE(mVariable.size(), gc_iMAX_ENTRIES);
    }
}

TEST_F(ClCalculatorHardening, ResultsPastTheEntryLimitAreRefusedBeforeAllocation) {
    // Each of these once asked for a 262144 x 262144 matrix, about a terabyte.
    const char* const aacLINES[] = {
        "Ones(262144, 1) * Ones(1, 262144)",
        "Ones(1, 262144) Solve Ones(1, 262144)",
        "A(Ones(1, 262144), Ones(1, 262144))",
        "A(Ones(1, 262144), Ones(1, 262144)) = 2",
    };
    for (const char* acLine : aacLINES) {
        SCOPED_TRACE(acLine);
        resetEngine();
        ClCalculator::mp_mVariable[eT_A] = mat({{5}});
        evaluate(acLine);
        EXPECT_EQ(g_uiError_Number, eE_MATRIX_SIZE);
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_A], mat({{5}}));
    }
}

TEST_F(ClCalculatorHardening, ReferenceReadsTheVariableAsItWasWhenReplacedByItsIndex) {
    // Evals in the index replaces U with a 1 x 1 matrix; the entry once came from past its end.
    ClCalculator::mp_mVariable[eT_U] = mat({{1, 2, 7}});
    EXPECT_EQ(valueOf("U(Sum Evals [1] + 2)"), mat({{7}}));
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_U].size(), 1);
}

TEST_F(ClCalculatorHardening, EntryAssignmentToAVariableReplacedByItsValueIsRefused) {
    // The value's Evals shrinks U to 1 x 1 after U(3, 3) was checked: the write once went past it.
    ClCalculator::mp_mVariable[eT_U] = Matrix::Ones(3, 3);
    evaluate("U(3, 3) = Sum Evals [1]");
    EXPECT_EQ(g_uiError_Number, eE_INVALID_COORDINATES);
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_U].size(), 1);
    resetEngine();
    ClCalculator::mp_mVariable[eT_U] = Matrix::Ones(3, 3);
    EXPECT_EQ(valueOf("U(1, 1) = Sum Evals [5]"), mat({{5}}));   // within the new U, written there
}

#ifdef ORBEX_LAPACK
// OpenBLAS's bidiagonal reduction (zgebrd, behind zgesdd and zgelsd) reads up to a column past
// the end of its matrix, which faulted in the fuzzer; the engine's work copies carry a spare
// column. This holds the library to that bound: the matrix and its spare column end right
// before an unreadable page.
TEST_F(ClCalculatorHardening, BidiagonalReductionReadsNoFurtherThanTheSpareColumn) {
    const std::size_t uiPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    for (const lapack_int n : {16, 64, 100, 511}) {
        SCOPED_TRACE(n);
        const std::size_t uiBytes = sizeof(Complex) * static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1);
        const std::size_t uiMapped = (uiBytes + uiPage - 1) / uiPage * uiPage;
        void* pvMap = mmap(nullptr, uiMapped + uiPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(pvMap, MAP_FAILED);
        ASSERT_EQ(mprotect(static_cast<char*>(pvMap) + uiMapped, uiPage, PROT_NONE), 0);
        Complex* pzMatrix = reinterpret_cast<Complex*>(static_cast<char*>(pvMap) + uiMapped - uiBytes);
        Eigen::Map<Matrix>(pzMatrix, n, n) = Matrix::Random(n, n);
        Eigen::VectorXd vSingular(n);
        Complex zUnused;
        EXPECT_EQ(LAPACKE_zgesdd(LAPACK_COL_MAJOR, 'N', n, n, pzMatrix, n, vSingular.data(), &zUnused, 1, &zUnused, 1),
                  0);
        munmap(pvMap, uiMapped + uiPage);
    }
}
#endif

}  // namespace

// A line of hundreds of decompositions on a 512 x 512 operand would run for minutes: past the
// work of 64 inverses the chain stops with "Operator calculation error".
TEST_F(ClCalculatorHardening, LongChainsOfMatrixFunctionsStopAtTheLineBudget) {
    const std::string zeros = "(0*O(512,512))";   // RREF of zeros finds no pivot: cheap to run
    EXPECT_EQ(run(std::string(64, 'R') + zeros), eE_NONE);
    EXPECT_EQ(run(std::string(65, 'R') + zeros), eE_OPERATOR_CALCULATION);
    g_uiError_Number = eE_NONE;
    EXPECT_EQ(run(std::string(64, 'R') + zeros), eE_NONE);   // the budget is per line
}

// Products, divisions, Solve, QR and the spectral norm draw on the same budget, counted before
// they run; a poll that asks to stop (Escape in a repetition) ends the line there.
TEST_F(ClCalculatorHardening, HeavyOperatorsDrawOnTheLineBudget) {
    const struct {
        const char* acCodes;
        double dWork;
    } aCASES[] = {
        {"O(3,4)*O(4,5)", 60},    {"O(3,4)*2", 0},      {"O(2,3)/d(3)", 27 + 18},
        {"d(3)\\O(3,2)", 27 + 18}, {"O(4,3)GO(4,2)", 4 * 36 + 24},
        {"|(O(4,3))", 2 * 36},    {"N(2,O(4,3))", 8 * 36},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.acCodes);
        EXPECT_EQ(run(c.acCodes), eE_NONE);
        EXPECT_EQ(g_dLine_Work, c.dWork);
    }
    g_pfnWork_Poll = [] { return true; };
    EXPECT_EQ(run("O(2)+1"), eE_NONE);
    EXPECT_EQ(run("O(2)*O(2)"), eE_RPT_LIMIT_EXCEEDED);
    g_pfnWork_Poll = nullptr;
}
