// Matrix functions of the prefix chain: examples, failures, and the invariants of the
// decompositions on seeded random complex matrices.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

namespace {

class ClCalculatorMatrixFunctions : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

/// One chain step, which must succeed.
Matrix step(eTOKEN eFunction, const Matrix& m) {
    g_uiError_Number = eE_NONE;
    Matrix mResult = ClCalculator::matrixFunction(eFunction, m);
    EXPECT_EQ(g_uiError_Number, eE_NONE);
    return mResult;
}

// Lines whose output is pinned by tests/batch/matrix_functions are left to it.
TEST_F(ClCalculatorMatrixFunctions, ValuesAndErrors) {
    checkLines({
        {"Sum ([1, i])", eE_NONE, mat({{1.0 + gc_zI}})},
        {"Max ([1, 5; 7, 2])", eE_NONE, mat({{5}, {7}})},
        {"Min ([3 - 2i])", eE_NONE, mat({{3}})},
        {"Min ([4; 1 + 9i; 2])", eE_NONE, mat({{1}})},
        {"Tran ([1, i; 3, 4])", eE_NONE, mat({{1, 3}, {gc_zI, 4}})},   // no conjugate
        {"Det ([1, 0; 0, 1E - 15])", eE_NONE, mat({{1e-15}})},         // above 1e-16 x ||M|| x n: kept
        {"Det ([2, 1; 1, 2])", eE_NONE, mat({{3}})},
        {"Det ([1E160, 0; 0, 1])", eE_NONE, mat({{1e160}})},   // the norm in the threshold must not overflow
        {"RREF ([1E200, 0; 0, 1])", eE_NONE, mat({{1, 0}, {0, 1}})},
        {"Det ([1, 2, 3; 4, 5, 6])", eE_NON_SQUARE_MATRIX},
        {"CharP ([1, 2])", eE_NON_SQUARE_MATRIX},
        {"Evals ([1, 2])", eE_NON_SQUARE_MATRIX},
        {"Schur ([1; 2])", eE_NON_SQUARE_MATRIX},
        {"Evals ([3, 0, 0; 0,  - 1, 0; 0, 0, 2])", eE_NONE, mat({{-1}, {2}, {3}})},
        {"RREF ([2; 4])", eE_NONE, mat({{1}, {0}})},
        {"Roots Ones(1, 513)", eE_INVALID_POLYNOMIAL},
        // The chain applies from the operand outwards and stops at the first failure.
        {"Inv Det ([1, 2, 3])", eE_NON_SQUARE_MATRIX},
        {"Evals Exp ([1000])", eE_INVALID_NUMBERS},   // an overflow inside the chain
        {"SVD Exp ([1000])", eE_INVALID_NUMBERS},
    });
}

// A column whose remaining entries are at most 1e-16 x ||M|| x max(rows, columns) has no pivot.
TEST_F(ClCalculatorMatrixFunctions, ReducedRowEchelonTolerance) {
    g_bZero_Out = false;   // the clean-up would hide the entry left in place
    EXPECT_EQ(valueOf("RREF ([1, 1, 0; 0, 1E - 17, 1])"), mat({{1, 1, 0}, {0, 1e-17, 1}}));
    EXPECT_EQ(valueOf("RREF ([1, 1, 0; 0, 1E - 14, 1])"), mat({{1, 0, -1e14}, {0, 1, 1e14}}));
}

TEST_F(ClCalculatorMatrixFunctions, SideResultsOnlyOnSuccess) {
    evaluate("U = [7]");
    evaluate("V = [8]");
    for (const char* acLine : {"Evals ([1, 2])", "Schur ([1, 2])", "Det Evals ([1, 2])"}) {
        SCOPED_TRACE(acLine);
        evaluate(acLine);
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_U], mat({{7}}));
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_V], mat({{8}}));
    }
}

// SVD, Evals, Schur and Inv hand on the back-end's results, whose invariants the Linalg tests
// check; U and V receive the side results. Det is the product of the eigenvalues.
TEST_F(ClCalculatorMatrixFunctions, DecompositionsAreTheBackEnds) {
    const struct { Eigen::Index iRows, iColumns; } aSHAPES[] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {20, 20}};
    for (const auto& shape : aSHAPES) {
        const unsigned uiSeed = 200 + static_cast<unsigned>(shape.iRows * 31 + shape.iColumns);
        SCOPED_TRACE(testing::Message() << shape.iRows << " x " << shape.iColumns << ", seed " << uiSeed);
        const Matrix m = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        Matrix mU, mV, mT;
        const Eigen::VectorXd vSingular = linalg::svd(m, linalg::eSVD::FULL, &mU, &mV);
        expectClose(step(eT_SVD, m), vSingular.cast<Complex>(), 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_U], mU, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_V], mV, 1e-13);
        if (shape.iRows != shape.iColumns) continue;
        const Eigen::VectorXcd vValues = linalg::eigenvalues(m, &mV);
        expectClose(step(eT_EVALS, m), vValues, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_U], mV, 1e-13);
        linalg::schur(m, mT, mU);
        expectClose(step(eT_SCHUR, m), mT, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_U], mU, 1e-13);
        expectClose(step(eT_INV, m), linalg::inverse(m), 1e-13);
        const Complex zDeterminant = step(eT_DET, m)(0, 0);
        EXPECT_LE(std::abs(zDeterminant - vValues.prod()), 1e-12 * std::abs(zDeterminant));
    }
}

// Full rank: the identity beside the rest solved for, and a second pass changes nothing.
TEST_F(ClCalculatorMatrixFunctions, ReducedRowEchelonOfRandomMatrices) {
    for (const Eigen::Index iN : {1, 2, 5, 20}) {
        const unsigned uiSeed = 300 + static_cast<unsigned>(iN);
        SCOPED_TRACE(testing::Message() << "n = " << iN << ", seed " << uiSeed);
        const double dScale = 16 * static_cast<double>(iN) * gc_dEPSILON;
        const Matrix mWide = randomMatrix(iN, iN + 2, uiSeed + 1);
        const Matrix mR = step(eT_RREF, mWide);
        const Matrix mLeft_Inverse = mWide.leftCols(iN).inverse();
        EXPECT_LE((mR - mLeft_Inverse * mWide).norm(), dScale * mWide.norm() * mLeft_Inverse.norm());
        EXPECT_LE((step(eT_RREF, mR) - mR).norm(), dScale * mR.norm());
        const Matrix mTall = step(eT_RREF, randomMatrix(iN + 2, iN, uiSeed + 2));
        EXPECT_LE((mTall.topRows(iN) - Matrix::Identity(iN, iN)).norm(), dScale * static_cast<double>(iN));
        EXPECT_EQ(mTall.bottomRows(2).norm(), 0.0);
    }
}

TEST_F(ClCalculatorMatrixFunctions, CharacteristicPolynomialAndRoots) {
    for (const Eigen::Index iN : {1, 2, 5}) {
        const unsigned uiSeed = 400 + static_cast<unsigned>(iN);
        SCOPED_TRACE(testing::Message() << "n = " << iN << ", seed " << uiSeed);
        const Matrix m = randomMatrix(iN, iN, uiSeed);
        const Matrix mPolynomial = step(eT_CHARP, m);
        ASSERT_EQ(mPolynomial.cols(), iN + 1);
        EXPECT_EQ(mPolynomial(0, 0), Complex(1.0));
        // The roots of the characteristic polynomial are the eigenvalues, up to order.
        const Matrix mRoots = step(eT_ROOTS, mPolynomial);
        Matrix mValues = step(eT_EVALS, m);
        ASSERT_EQ(mRoots.rows(), iN);
        for (Eigen::Index k = 0; k < iN; ++k) {
            Eigen::Index iNearest;
            (mValues.col(0).array() - mRoots(k, 0)).abs().minCoeff(&iNearest);
            EXPECT_LE(std::abs(mValues(iNearest, 0) - mRoots(k, 0)), 1e-10 * m.norm());
            mValues(iNearest, 0) = std::numeric_limits<double>::infinity();   // each eigenvalue once
        }
    }
}

TEST_F(ClCalculatorMatrixFunctions, LargestOperand) {
    EXPECT_EQ(valueOf("Sum Tran Ones(512, 512)"), Matrix::Constant(512, 1, 512.0));
    EXPECT_EQ(valueOf("Max Id(512)"), Matrix::Ones(512, 1));
}

}  // namespace
