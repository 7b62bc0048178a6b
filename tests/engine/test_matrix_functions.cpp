// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix functions of the prefix chain: the invariants of the decompositions on seeded random
// complex matrices (the values and errors of lines: tests/batch/matrix_functions*).
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

class ClCalculatorMatrixFunctions : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

/// One chain step, which must succeed.
static Matrix step(eTOKEN eFunction, const Matrix& m) {
    g_uiError_Number = eE_NONE;
    Matrix mResult = ClCalculator::matrixFunction(eFunction, m);
    EXPECT_EQ(g_uiError_Number, eE_NONE);
    return mResult;
}

// SVD, Evals, Schur, Inv, QR and OpNm hand on the back-end's results, whose invariants the Linalg
// tests check; U, V, Q and, only in QR's pivoting form, P receive the side results. Det is the
// product of the eigenvalues.
TEST_F(ClCalculatorMatrixFunctions, DecompositionsAreTheBackEnds) {
    for (const auto& shape : {std::make_pair(1, 1), std::make_pair(2, 2), std::make_pair(5, 3), std::make_pair(3, 5),
                              std::make_pair(20, 20)}) {
        const unsigned uiSeed = 200 + static_cast<unsigned>(shape.first * 31 + shape.second);
        SCOPED_TRACE(testing::Message() << shape.first << " x " << shape.second << ", seed " << uiSeed);
        const Matrix m = randomMatrix(shape.first, shape.second, uiSeed);
        Matrix mU, mV, mT, mQ, mR, mP;
        const Eigen::VectorXd vSingular = linalg::svd(m, linalg::eSVD::FULL, &mU, &mV);
        expectClose(step(eT_SVD, m), vSingular.cast<Complex>(), 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_U], mU, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_V], mV, 1e-13);
        ClCalculator::mp_mVariable[eT_A] = m;
        EXPECT_NEAR(valueOf("OpNm(2, A)")(0, 0).real(), vSingular(0), 16 * gc_dEPSILON * vSingular(0));
        linalg::householderQR(m, mQ, mR);
        for (const char* acLine : {"QR (A)", "QR (A, 0)"}) {
            SCOPED_TRACE(acLine);
            ClCalculator::mp_mVariable[eT_P] = mat({{7}});
            expectClose(valueOf(acLine), mR, 1e-13);
            expectClose(ClCalculator::mp_mVariable[eT_Q], mQ, 1e-13);
            EXPECT_EQ(ClCalculator::mp_mVariable[eT_P], mat({{7}}));
        }
        linalg::colPivQR(m, mQ, mR, mP);
        expectClose(valueOf("QR (A, 1)"), mR, 1e-13);
        expectClose(ClCalculator::mp_mVariable[eT_Q], mQ, 1e-13);
        EXPECT_EQ(ClCalculator::mp_mVariable[eT_P], mP);
        if (shape.first != shape.second) continue;
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

// RREF of full rank: the identity beside the rest solved for, and a second pass changes nothing.
// The roots of the characteristic polynomial are the eigenvalues, up to order.
TEST_F(ClCalculatorMatrixFunctions, ReducedRowEchelonAndCharacteristicPolynomial) {
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
        if (iN > 5) continue;   // the roots of a polynomial of degree 20 lose most of their digits
        const Matrix m = randomMatrix(iN, iN, uiSeed + 100);
        const Matrix mPolynomial = step(eT_CHARP, m);
        ASSERT_EQ(mPolynomial.cols(), iN + 1);
        EXPECT_EQ(mPolynomial(0, 0), Complex(1.0));
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

