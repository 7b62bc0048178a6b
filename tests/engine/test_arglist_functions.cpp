// Diag, Norm, OpNm, QR, the constructors Id, Ones and El_Op, and the arguments of Rpt.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

namespace {

class ClCalculatorArgumentLists : public ::testing::Test {
protected:
    void SetUp() override {
        resetEngine();
        evaluate("A = [1,  - 2; 3, 4]");
    }
};

// Lines whose output is pinned by tests/batch/matrix_functions are left to it.
TEST_F(ClCalculatorArgumentLists, ValuesAndErrors) {
    Matrix mSuperdiagonal = Matrix::Zero(3, 3), mSubdiagonal = Matrix::Zero(3, 3);
    mSuperdiagonal(0, 1) = mSubdiagonal(1, 0) = 1.0;
    mSuperdiagonal(1, 2) = mSubdiagonal(2, 1) = 2.0;
    checkLines({
        {"Diag([1, 2, 3; 4, 5, 6])", eE_NONE, mat({{1}, {5}})},
        {"Diag([1, 2])", eE_NONE, mat({{1, 0}, {0, 2}})},
        {"Diag([1; 2])", eE_NONE, mat({{1, 0}, {0, 2}})},
        {"Diag(5, 2)", eE_NONE, mat({{0, 0, 5}, {0, 0, 0}, {0, 0, 0}})},
        {"Diag([1, 2], 1)", eE_NONE, mSuperdiagonal},
        {"Diag([1, 2],  - 1.7)", eE_NONE, mSubdiagonal},
        {"Diag([1, 2], 0.9)", eE_NONE, mat({{1, 0}, {0, 2}})},
        {"Diag([1, 2], 510)", eE_NONE},   // 512 x 512, the largest
        {"Diag([1, 2], 1E300)", eE_MATRIX_SIZE},
        {"Diag([1: 513])", eE_MATRIX_SIZE},
        {"Diag([1, 2], [1, 2])", eE_EXPRESSION},
        {"Diag([1, 2]; 3)", eE_EXPRESSION},
        {"Diag(A, 1)", eE_MISSING_PARENTHESES},
        {"Diag 1", eE_MISSING_PARENTHESES},
        {"Norm(2 + i, [3, 4])", eE_NONE, mat({{5}})},   // the imaginary part of p is ignored
        {"Norm(1.5, [1, 1])", eE_NONE, mat({{std::pow(2.0, 1.0 / 1.5)}})},
        {"Norm([1, 2], A)", eE_INCORRECT_SCALAR_EXPRESSION},
        {"Norm(2; A)", eE_INCORRECT_SCALAR_EXPRESSION},
        {"OpNm(2, [3, 0; 0,  - 5])", eE_NONE, mat({{5}})},
        {"OpNm(2, Exp [1000])", eE_INVALID_NUMBERS},
        {"OpNm(3, A; 1)", eE_INCORRECT_SCALAR_EXPRESSION},   // the bad p is reported before the missing ")"
        {"Norm(2, A; 1)", eE_MISSING_PARENTHESES},
        {"QR (A, [0, 1])", eE_SCALAR_OUT_OF_RANGE},
        {"QR (A; 1)", eE_EXPRESSION},
        {"QR (A, 1; 2)", eE_MISSING_PARENTHESES},
        {"Id([2, 3])", eE_NONE, mat({{1, 0, 0}, {0, 1, 0}})},
        {"Ones([1, 2, 3])", eE_NONE, mat({{1, 1, 1}})},   // a single row that is not a size gives its own size
        {"Ones(1: 3)", eE_NONE, mat({{1, 1, 1}})},
        {"Id(0.5)", eE_MATRIX_SIZE},
        {"Ones(512, 513)", eE_MATRIX_SIZE},
        {"Ones(1E300, 1E300)", eE_MATRIX_SIZE},
        {"Id(1; 2)", eE_BAD_PARAMETER_LIST},
        {"Id(1; [2])", eE_BAD_PARAMETER_LIST},   // a list inside the last element leaves the outer list's shape alone
        {"Ones([2], [3])", eE_BAD_PARAMETER_LIST},
        {"Id(2; Ones(1))", eE_BAD_PARAMETER_LIST},
        {"Ones(1, 2, [3])", eE_BAD_PARAMETER_LIST},
        {"Id(2, [3])", eE_NONE, mat({{1, 0, 0}, {0, 1, 0}})},
        {"El_Op(0, 2, 2, 2)", eE_NONE, mat({{1, 0}, {0, 1}})},
        {"El_Op(1, 2, 1, 2i)", eE_NONE, mat({{2.0 * gc_zI, 0}, {0, 1}})},
        {"El_Op(1, 2, 1, 99, 7)", eE_NONE, mat({{99, 0}, {0, 1}})},   // r is not an index
        {"El_Op(2, 2, 1, 1, 3)", eE_NONE, mat({{3, 0}, {0, 1}})},
        {"El_Op(0.5, 2.7, 1.9, 2)", eE_NONE, mat({{0, 1}, {1, 0}})},
        {"El_Op(1, 22, 1, 2)", eE_NONE},
        {"El_Op(1, 0, 1, 2)", eE_INVALID_COORDINATES},
        {"El_Op(0, 3, 1, 4)", eE_INVALID_COORDINATES},
        {"El_Op(0, 3, 0, 1)", eE_INVALID_COORDINATES},
        {"El_Op(3, 3, 1, 2)", eE_INVALID_COORDINATES},
        {"El_Op(0, 3, 1)", eE_INVALID_COORDINATES},
        {"El_Op(0, 3, 1, 2, 1, 1)", eE_INVALID_COORDINATES},
        {"El_Op(A)", eE_INVALID_COORDINATES},
        {"El_Op(0, 1E300, 1, 1)", eE_INVALID_COORDINATES},
        {"El_Op(1, 2,  - 1E300, 1)", eE_INVALID_COORDINATES},
        {"El_Op(0, 2, 1, [2])", eE_NONE, mat({{0, 1}, {1, 0}})},
        {"El_Op(0, 2; 1, [2])", eE_BAD_PARAMETER_LIST},
        {"El_Op([0, 2], [1, 2])", eE_BAD_PARAMETER_LIST},
        // The first error of a line wins.
        {"Diag(Inv [1, 2], 1E300)", eE_NON_SQUARE_MATRIX},
        {"Norm(Det [1, 2], A)", eE_NON_SQUARE_MATRIX},
        {"QR (A, Inv [1, 2; 2, 4])", eE_SINGULAR_MATRIX},
        {"Id(2, 3) + Ones(2)", eE_MATRIX_SIZE_MISMATCH},
    });
}

// QR hands on the back-end's factors (their invariants: Linalg): R as the value, Q and, only in
// the pivoting form, P as side results.
TEST_F(ClCalculatorArgumentLists, QRFactorisations) {
    const struct { Eigen::Index iRows, iColumns; } aSHAPES[] = {{1, 1}, {5, 3}, {3, 5}, {20, 20}};
    for (const auto& shape : aSHAPES) {
        const unsigned uiSeed = 500 + static_cast<unsigned>(shape.iRows * 31 + shape.iColumns);
        SCOPED_TRACE(testing::Message() << shape.iRows << " x " << shape.iColumns << ", seed " << uiSeed);
        const Matrix m = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        Matrix mQ, mR, mP;
        linalg::householderQR(m, mQ, mR);
        for (const char* acLine : {"QR (A)", "QR (A, 0)"}) {
            SCOPED_TRACE(acLine);
            ClCalculator::mp_mVariable[eT_A] = m;
            ClCalculator::mp_mVariable[eT_P] = mat({{7}});
            expectClose(valueOf(acLine), mR, 1e-13);
            expectClose(ClCalculator::mp_mVariable[eT_Q], mQ, 1e-13);
            EXPECT_EQ(ClCalculator::mp_mVariable[eT_P], mat({{7}}));
        }
        linalg::colPivQR(m, mQ, mR, mP);
        expectClose(valueOf("QR (A, 1)"), mR, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_Q], mQ, 1e-13);
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_P], mP);
    }
}

TEST_F(ClCalculatorArgumentLists, SpectralNormIsTheLargestSingularValue) {
    const Matrix m = randomMatrix(5, 3, 601);
    ClCalculator::mp_mVariable[eT_A] = m;
    const double dLargest = valueOf("SVD (A)")(0, 0).real();
    EXPECT_NEAR(valueOf("OpNm(2, A)")(0, 0).real(), dLargest, 16 * gc_dEPSILON * dLargest);
}

// Rpt with a number of stored history lines: the recorded fields, the flags and the value.
TEST_F(ClCalculatorArgumentLists, RepeatArguments) {
    const struct {
        const char* acLine;
        unsigned short uiHistory;
        eERROR eError;
        unsigned short uiTimes;
        short iFrom, iTo;
        bool bRepeat;
        double dValue;
    } aCASES[] = {
        {"Rpt(2)", 5, eE_NONE, 2, 4, 1, true, 1},
        {"Rpt(2.7)", 5, eE_NONE, 2, 4, 1, true, 1},
        {"Rpt(1)", 0, eE_NONE, 1, -1, 1, true, 1},
        {"Rpt(0, 3)", 5, eE_NONE, 0, 3, 1, true, 1},
        {"Rpt(1,  - 1.5)", 5, eE_NONE, 1, -2, -2, true, 1},
        {"Rpt(1, 3,  - 1)", 5, eE_NONE, 1, 3, -1, true, 1},
        {"Rpt(1,  - 2,  - 3)", 5, eE_NONE, 1, -2, -3, true, 1},
        {"Rpt(2, 3, 2,  - 1)", 4, eE_NONE, 2, 3, 2, false, -1},
        {"Rpt(1, 1, 1, 0)", 2, eE_NONE, 1, 1, 1, true, 0},
        {"Rpt(1, 1, 1, 0, 1)", 2, eE_NONE, 1, 1, 1, false, 0},
        {"Rpt(1, 1, 1, 0.5, 1)", 2, eE_NONE, 1, 1, 1, true, 0.5},
        {"Rpt(1); ", 5, eE_NONE, 1, 4, 1, true, 1},
        {"Rpt(65537)", 5, eE_NONE, 1, 4, 1, true, 1},   // the count keeps its low 16 bits
        {"Rpt(1E300,  - 1E300)", 5, eE_NONE, 0, 0, 0, true, 1},   // multiples of 65536: no out-of-range conversion
        {"Rpt( - 1)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt([1, 2])", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 5)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 0.5)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 2, 3)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 2, 0.5)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1,  - 3,  - 2)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 1, 1, [1, 2])", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt(1, 1, 1, 1, [1, 2])", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
        {"Rpt 1", 5, eE_MISSING_RIGHT_PARENTHESIS, 0, 0, 0, false, 0},
        {"Rpt(1, 1, 1, 1, 1, 1)", 5, eE_MISSING_RIGHT_PARENTHESIS, 0, 0, 0, false, 0},
        {"Rpt(1) + 1", 5, eE_EXPRESSION, 0, 0, 0, false, 0},
        {"Rpt(1); 2", 5, eE_EXPRESSION, 0, 0, 0, false, 0},
        {"Rpt(Inv [1, 2],  - 1)", 5, eE_NON_SQUARE_MATRIX, 0, 0, 0, false, 0},
        {"Rpt( - 1, 0.5)", 5, eE_SCALAR_OUT_OF_RANGE, 0, 0, 0, false, 0},
    };
    for (const auto& test : aCASES) {
        SCOPED_TRACE(test.acLine);
        g_uiError_Number = eE_NONE;
        g_bFailTest = false;
        g_uiHistory_Next = test.uiHistory;
        evaluate(test.acLine);
        EXPECT_EQ(g_uiError_Number, test.eError);
        if (test.eError != eE_NONE) {
            EXPECT_FALSE(g_bRepeat);
            EXPECT_EQ(g_Current_State.mp_uiRepeat_Times, 0);
            continue;
        }
        EXPECT_EQ(g_bRepeat, test.bRepeat);
        EXPECT_EQ(g_bFailTest, !test.bRepeat);
        EXPECT_EQ(ClCalculator::mp_mParser_Output, mat({{test.dValue}}));
        EXPECT_EQ(g_Current_State.mp_uiRepeat_Times, test.uiTimes);
        EXPECT_EQ(g_Current_State.mp_iRepeat_From, test.iFrom);
        EXPECT_EQ(g_Current_State.mp_iRepeat_To, test.iTo);
    }
}

}  // namespace
