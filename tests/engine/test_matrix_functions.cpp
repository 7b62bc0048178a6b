// Matrix functions of the prefix chain: examples, failures, and the invariants of the
// decompositions on seeded random complex matrices.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "matrix_cases.h"

namespace {

class ClCalculatorMatrixFunctions : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

/// One chain step, which must succeed.
Matrix step(eTOKEN eFunction, const Matrix& m) {
    g_uiError_Number = 0;
    Matrix mResult = ClCalculator::matrixFunction(eFunction, m);
    EXPECT_EQ(g_uiError_Number, 0);
    return mResult;
}

void expectUnitary(const Matrix& mU, double dTolerance) {
    EXPECT_LE((mU.adjoint() * mU - Matrix::Identity(mU.cols(), mU.cols())).norm(), dTolerance);
}

void expectUpperTriangular(const Matrix& m) {
    EXPECT_EQ(m.triangularView<Eigen::StrictlyLower>().toDenseMatrix().norm(), 0.0);
}

// Sizes of the random cases, and a seed for each.
const Eigen::Index gc_aiSIZES[] = {1, 2, 5, 20};

// Lines whose output is pinned by tests/batch/matrix_functions are left to it.
TEST_F(ClCalculatorMatrixFunctions, ValuesAndErrors) {
    checkLines({
        {"Sum ([1, i])", 0, mat({{1.0 + gc_zI}})},
        {"Max ([1, 5; 7, 2])", 0, mat({{5}, {7}})},
        {"Min ([3 - 2i])", 0, mat({{3}})},
        {"Min ([4; 1 + 9i; 2])", 0, mat({{1}})},
        {"Tran ([1, i; 3, 4])", 0, mat({{1, 3}, {gc_zI, 4}})},   // no conjugate
        {"Det ([1, 0; 0, 1E - 15])", 0, mat({{1e-15}})},         // above 1e-16 x ||M|| x n: kept
        {"Det ([2, 1; 1, 2])", 0, mat({{3}})},
        {"Det ([1E160, 0; 0, 1])", 0, mat({{1e160}})},   // the norm in the threshold must not overflow
        {"RREF ([1E200, 0; 0, 1])", 0, mat({{1, 0}, {0, 1}})},
        {"Det ([1, 2, 3; 4, 5, 6])", 9},
        {"CharP ([1, 2])", 9},
        {"Evals ([1, 2])", 9},
        {"Schur ([1; 2])", 9},
        {"Evals ([3, 0, 0; 0,  - 1, 0; 0, 0, 2])", 0, mat({{-1}, {2}, {3}})},
        {"RREF ([2; 4])", 0, mat({{1}, {0}})},
        {"Roots Ones(1, 513)", 22},
        // The chain applies from the operand outwards and stops at the first failure.
        {"Inv Det ([1, 2, 3])", 9},
        {"Evals Exp ([1000])", 12},   // an overflow inside the chain
        {"SVD Exp ([1000])", 12},
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

TEST_F(ClCalculatorMatrixFunctions, EigenvaluesAndSchurForm) {
    for (const Eigen::Index iN : gc_aiSIZES) {
        const unsigned uiSeed = 100 + static_cast<unsigned>(iN);
        SCOPED_TRACE(testing::Message() << "n = " << iN << ", seed " << uiSeed);
        const Matrix m = randomMatrix(iN, iN, uiSeed);
        const double dTolerance = 16 * static_cast<double>(iN) * gc_dEPSILON * m.norm();
        const Matrix mValues = step(eT_EVALS, m);
        const Matrix mVectors = ClCalculator::mp_mVariable[eT_U];
        ASSERT_EQ(mValues.rows(), iN);
        EXPECT_LE((m * mVectors - mVectors * mValues.col(0).asDiagonal()).norm(), dTolerance);
        for (Eigen::Index k = 0; k < iN; ++k) {
            EXPECT_NEAR(mVectors.col(k).norm(), 1.0, 4 * gc_dEPSILON * static_cast<double>(iN));
            if (k > 0) {
                EXPECT_LE(std::abs(mValues(k - 1, 0)), std::abs(mValues(k, 0)));
            }
        }
        const Matrix mT = step(eT_SCHUR, m);
        const Matrix mU = ClCalculator::mp_mVariable[eT_U];
        expectUpperTriangular(mT);
        expectUnitary(mU, dTolerance / m.norm());
        EXPECT_LE((mU * mT * mU.adjoint() - m).norm(), dTolerance);
        // The determinant is the product of the eigenvalues.
        const Complex zDeterminant = step(eT_DET, m)(0, 0);
        EXPECT_LE(std::abs(zDeterminant - mValues.prod()), 1e-12 * std::abs(zDeterminant));
    }
}

TEST_F(ClCalculatorMatrixFunctions, SingularValueDecomposition) {
    const struct { Eigen::Index iRows, iColumns; } aSHAPES[] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {20, 20}};
    for (const auto& shape : aSHAPES) {
        const unsigned uiSeed = 200 + static_cast<unsigned>(shape.iRows * 31 + shape.iColumns);
        SCOPED_TRACE(testing::Message() << shape.iRows << " x " << shape.iColumns << ", seed " << uiSeed);
        const Matrix m = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        const double dScale = 16 * static_cast<double>(std::max(shape.iRows, shape.iColumns)) * gc_dEPSILON;
        const Matrix mValues = step(eT_SVD, m);
        const Matrix mU = ClCalculator::mp_mVariable[eT_U], mV = ClCalculator::mp_mVariable[eT_V];
        ASSERT_EQ(mValues.rows(), std::min(shape.iRows, shape.iColumns));
        ASSERT_EQ(mU.rows(), shape.iRows);
        ASSERT_EQ(mV.rows(), shape.iColumns);
        expectUnitary(mU, dScale);
        expectUnitary(mV, dScale);
        Matrix mS = Matrix::Zero(shape.iRows, shape.iColumns);
        mS.diagonal() = mValues;
        EXPECT_LE((mU * mS * mV.adjoint() - m).norm(), dScale * m.norm());
        EXPECT_EQ(mValues.imag().norm(), 0.0);
        for (Eigen::Index k = 1; k < mValues.rows(); ++k) EXPECT_GE(mValues(k - 1, 0).real(), mValues(k, 0).real());
    }
}

TEST_F(ClCalculatorMatrixFunctions, InverseAndReducedRowEchelon) {
    for (const Eigen::Index iN : gc_aiSIZES) {
        const unsigned uiSeed = 300 + static_cast<unsigned>(iN);
        SCOPED_TRACE(testing::Message() << "n = " << iN << ", seed " << uiSeed);
        const Matrix m = randomMatrix(iN, iN, uiSeed);
        const Matrix mInverse = step(eT_INV, m);
        const Matrix mIdentity = Matrix::Identity(iN, iN);
        const double dScale = 16 * static_cast<double>(iN) * gc_dEPSILON;
        EXPECT_LE((mInverse * m - mIdentity).norm(), dScale * m.norm() * mInverse.norm());
        // Full rank: the identity beside the rest solved for, and a second pass changes nothing.
        const Matrix mWide = randomMatrix(iN, iN + 2, uiSeed + 1);
        const Matrix mR = step(eT_RREF, mWide);
        const Matrix mLeft_Inverse = mWide.leftCols(iN).inverse();
        EXPECT_LE((mR - mLeft_Inverse * mWide).norm(), dScale * mWide.norm() * mLeft_Inverse.norm());
        EXPECT_LE((step(eT_RREF, mR) - mR).norm(), dScale * mR.norm());
        const Matrix mTall = step(eT_RREF, randomMatrix(iN + 2, iN, uiSeed + 2));
        EXPECT_LE((mTall.topRows(iN) - mIdentity).norm(), dScale * static_cast<double>(iN));
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
