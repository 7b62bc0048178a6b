// SPDX-License-Identifier: GPL-3.0-or-later
// The linear algebra facilities: their identities on seeded random complex matrices, the
// orders they promise, singular divisors and non-finite operands, on whichever back-end is built.
#include <cmath>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

#ifdef ORBEX_LAPACK
#include <sys/mman.h>
#include <unistd.h>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>
#endif

using Eigen::Index;

class Linalg : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// A residual is small when within a few rounding errors per entry of a row or column.
    static void expectSmall(const Matrix& mResidual, double dScale, Index n) {
        EXPECT_LE(mResidual.norm(), 16.0 * static_cast<double>(n) * gc_dEPSILON * dScale);
    }

    static void expectUnitary(const Matrix& m) {
        expectSmall(m.adjoint() * m - Matrix::Identity(m.cols(), m.cols()), 1.0, m.rows());
    }

    static void expectUpperTriangular(const Matrix& m) {
        EXPECT_EQ(m.triangularView<Eigen::StrictlyLower>().toDenseMatrix().norm(), 0.0);
    }

    static bool allNonFinite(const Matrix& m) {
        return !(m.array().real().isFinite() && m.array().imag().isFinite()).any();
    }
};

// Shapes with both orientations, and sizes past the back-ends' switches to blocked and
// divide-and-conquer methods.
TEST_F(Linalg, RectangularFactorisations) {
    const std::pair<Index, Index> aSHAPES[] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {1, 4}, {40, 40}, {60, 35}, {35, 60}};
    for (const auto& shape : aSHAPES) {
        const Index iRows = shape.first, iColumns = shape.second, k = std::min(iRows, iColumns);
        const Index n = std::max(iRows, iColumns);
        const unsigned uiSeed = static_cast<unsigned>(iRows * 100 + iColumns);
        SCOPED_TRACE(testing::Message() << iRows << " x " << iColumns << ", seed " << uiSeed);
        const Matrix m = randomMatrix(iRows, iColumns, uiSeed), b = randomMatrix(iColumns, 7, uiSeed + 1);
        expectSmall(linalg::product(m, b) - m.lazyProduct(b), m.norm() * b.norm(), iColumns);

        // M = U S V* with unitary U and V and the singular values in decreasing order.
        Matrix mU, mV;
        const Eigen::VectorXd vValues = linalg::svd(m, linalg::eSVD::FULL, &mU, &mV);
        ASSERT_EQ(vValues.size(), k);
        for (Index i = 1; i < k; ++i) EXPECT_LE(vValues(i), vValues(i - 1));
        EXPECT_GE(vValues(k - 1), 0.0);
        ASSERT_TRUE(mU.rows() == iRows && mU.cols() == iRows && mV.rows() == iColumns && mV.cols() == iColumns);
        expectUnitary(mU);
        expectUnitary(mV);
        Matrix mS = Matrix::Zero(iRows, iColumns);
        mS.diagonal() = vValues.cast<Complex>();
        expectSmall(mU * mS * mV.adjoint() - m, m.norm(), n);
        const Eigen::VectorXd vThin = linalg::svd(m, linalg::eSVD::THIN, &mU, &mV);
        ASSERT_TRUE(mU.cols() == k && mV.cols() == k);
        expectUnitary(mU);
        expectUnitary(mV);
        expectSmall(mU * vThin.cast<Complex>().asDiagonal() * mV.adjoint() - m, m.norm(), n);
        expectSmall((linalg::svd(m, linalg::eSVD::VALUES) - vValues).cast<Complex>(), m.norm(), n);

        // M = Q R, and with column pivoting M P = Q R for a permutation P.
        Matrix q, r, p;
        linalg::householderQR(m, q, r);
        ASSERT_TRUE(q.rows() == iRows && q.cols() == iRows && r.rows() == iRows && r.cols() == iColumns);
        expectUnitary(q);
        expectUpperTriangular(r);
        expectSmall(q * r - m, m.norm(), iRows);
        linalg::colPivQR(m, q, r, p);
        ASSERT_TRUE(p.rows() == iColumns && p.cols() == iColumns);
        EXPECT_TRUE((p.array() == Complex(0.0) || p.array() == Complex(1.0)).all());
        EXPECT_TRUE((p.colwise().sum().array() == Complex(1.0)).all());
        EXPECT_TRUE((p.rowwise().sum().array() == Complex(1.0)).all());
        expectUnitary(q);
        expectUpperTriangular(r);
        expectSmall(q * r - m * p, m.norm(), iRows);

        // The least-squares residual is orthogonal to the range of M, and x lies in the range of
        // M*; many right-hand sides at once give the same columns.
        const Matrix c = randomMatrix(iRows, 1, uiSeed + 2);
        const Matrix x = linalg::leastSquares(m, c);
        ASSERT_EQ(x.rows(), iColumns);
        expectSmall(m.adjoint() * (m * x - c), m.norm() * (m.norm() * x.norm() + c.norm()), n);
        expectSmall(x - mV * (mV.adjoint() * x), x.norm(), n);
        const Matrix mMany = linalg::leastSquares(m, c.replicate(1, 8));
        for (Index j = 0; j < 8; ++j) expectSmall(mMany.col(j) - x, m.norm() * x.norm(), n);
    }
}

// det(A B) = det(A) det(B) and a row exchange flips the sign; A V = V D with unit eigenvectors and
// eigenvalues by increasing modulus; A = U T U* with U unitary and T upper triangular.
TEST_F(Linalg, SquareFactorisations) {
    for (const Index n : {1, 2, 5, 40, 70}) {
        const unsigned uiSeed = static_cast<unsigned>(n);
        SCOPED_TRACE(testing::Message() << n << " x " << n << ", seed " << uiSeed);
        const Matrix a = randomMatrix(n, n, uiSeed), b = randomMatrix(n, n, uiSeed + 1);
        const Matrix mInverse = linalg::inverse(a);
        expectSmall(a * mInverse - Matrix::Identity(n, n), a.norm() * mInverse.norm(), n);
        const Complex zA = linalg::determinant(a), zB = linalg::determinant(b);
        const double dN = static_cast<double>(n);
        EXPECT_LE(std::abs(linalg::determinant(a * b) - zA * zB), 1e-12 * dN * std::abs(zA * zB));
        Matrix mSwapped = a;
        mSwapped.row(0).swap(mSwapped.row(n - 1));
        if (n > 1) {
            EXPECT_LE(std::abs(linalg::determinant(mSwapped) + zA), 1e-12 * dN * std::abs(zA));
        }
        Matrix mVectors, t, u;
        const Eigen::VectorXcd vValues = linalg::eigenvalues(a, &mVectors);
        ASSERT_EQ(vValues.size(), n);
        ASSERT_TRUE(mVectors.rows() == n && mVectors.cols() == n);
        expectSmall(a * mVectors - mVectors * vValues.asDiagonal(), a.norm(), n);
        for (Index k = 0; k < n; ++k) EXPECT_NEAR(mVectors.col(k).norm(), 1.0, 1e-13);
        for (Index k = 1; k < n; ++k) EXPECT_LE(std::abs(vValues(k - 1)), std::abs(vValues(k)));
        expectSmall(linalg::eigenvalues(a) - vValues, a.norm(), n);
        linalg::schur(a, t, u);
        expectUnitary(u);
        expectUpperTriangular(t);
        expectSmall(u * t * u.adjoint() - a, a.norm(), n);
    }
    EXPECT_EQ(linalg::inverse(mat({{2}})), mat({{0.5}}));
    EXPECT_EQ(linalg::determinant(mat({{1, 2, 3}, {0, 4, 5}, {0, 0, 6}})), Complex(24.0));
    // A diagonal matrix: its entries by modulus, each with its unit axis.
    Matrix mVectors;
    const Matrix mDiagonal = mat({{3, 0, 0}, {0, -1, 0}, {0, 0, Complex(0, 2)}});
    const Eigen::VectorXcd vValues = linalg::eigenvalues(mDiagonal, &mVectors);
    EXPECT_EQ(Matrix(vValues), mat({{-1.0}, {Complex(0, 2)}, {3.0}}));
    expectClose(mVectors.cwiseAbs().cast<Complex>(), mat({{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}), 4 * gc_dEPSILON);
}

// The norm neither overflows nor loses tiny entries; the update reaches a block of columns only,
// through its column stride.
TEST_F(Linalg, NormAndOuterProduct) {
    const Matrix m = randomMatrix(30, 20, 8);
    const double dNorm = std::sqrt(m.cwiseAbs2().sum());
    for (const double dScale : {1.0, 1e-200, 1e-150, 1e150, 1e200})
        EXPECT_NEAR(linalg::norm(m * dScale) / dScale, dNorm, 1e-14 * dNorm) << dScale;
    EXPECT_EQ(linalg::norm(Matrix::Zero(3, 3)), 0.0);
    const Matrix mBlock = randomMatrix(7, 9, 5);
    const Eigen::VectorXcd x = randomMatrix(7, 1, 6);
    const Eigen::RowVectorXcd y = randomMatrix(1, 5, 7);
    Matrix mAfter = mBlock;
    linalg::subtractOuterProduct(mAfter.rightCols(5), x, y);
    EXPECT_EQ(mAfter.leftCols(4), mBlock.leftCols(4));
    expectSmall(mAfter.rightCols(5) - (mBlock.rightCols(5) - x.lazyProduct(y)), mBlock.norm() + x.norm() * y.norm(), 1);
}

// A non-finite operand is not factorised; the results keep their shapes and are NaN.
TEST_F(Linalg, NonFiniteOperands) {
    for (const Complex z : {Complex(std::numeric_limits<double>::infinity(), 0), Complex(0, std::nan(""))}) {
        const Matrix m = mat({{1, 2, 3}, {4, z, 6}, {7, 8, 9}});
        SCOPED_TRACE(::testing::PrintToString(m));
        Matrix mVectors, t, u, mV, q, r, p;
        EXPECT_TRUE(allNonFinite(linalg::inverse(m)) && allNonFinite(mat({{linalg::determinant(m)}})));
        EXPECT_TRUE(allNonFinite(linalg::eigenvalues(m, &mVectors)) && allNonFinite(mVectors));
        linalg::schur(m, t, u);
        EXPECT_TRUE(allNonFinite(t) && allNonFinite(u));
        EXPECT_TRUE(allNonFinite(linalg::svd(m, linalg::eSVD::FULL, &u, &mV).cast<Complex>()));
        EXPECT_TRUE(allNonFinite(u) && allNonFinite(mV) && u.rows() == 3);
        EXPECT_TRUE(allNonFinite(linalg::leastSquares(m, Matrix::Ones(3, 1))));
        EXPECT_TRUE(allNonFinite(linalg::leastSquares(Matrix::Ones(3, 3), m)));
        linalg::householderQR(m, q, r);
        EXPECT_TRUE(allNonFinite(q) && allNonFinite(r));
        linalg::colPivQR(m, q, r, p);
        EXPECT_TRUE(allNonFinite(q) && allNonFinite(r) && allNonFinite(p));
    }
}

#ifdef ORBEX_LAPACK
// OpenBLAS's bidiagonal reduction (zgebrd, behind zgesdd and zgelsd) reads up to a column past
// the end of its matrix, which faulted in the fuzzer; the engine's work copies carry a spare
// column. This holds the library to that bound: the matrix and its spare column end right
// before an unreadable page.
TEST_F(Linalg, BidiagonalReductionReadsNoFurtherThanTheSpareColumn) {
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
        Complex zNone;
        EXPECT_EQ(LAPACKE_zgesdd(LAPACK_COL_MAJOR, 'N', n, n, pzMatrix, n, vSingular.data(), &zNone, 1, &zNone, 1), 0);
        munmap(pvMap, uiMapped + uiPage);
    }
}
#endif
