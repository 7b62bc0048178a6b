// The linear algebra facilities: their identities on seeded random complex matrices, the
// orders they promise, singular divisors and non-finite operands, on whichever back-end is built.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

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
};

namespace {

/// Shapes with both orientations, and sizes past the back-ends' switches to blocked and
/// divide-and-conquer methods.
const struct {
    Index iRows, iColumns;
} gc_aSHAPES[] = {{1, 1}, {2, 2}, {5, 3}, {3, 5}, {1, 4}, {40, 40}, {60, 35}, {35, 60}};

const Index gc_aiSQUARE_SIZES[] = {1, 2, 5, 40, 70};

std::string traceOf(Index iRows, Index iColumns, unsigned uiSeed) {
    return std::to_string(iRows) + " x " + std::to_string(iColumns) + ", seed " + std::to_string(uiSeed);
}

bool allNonFinite(const Matrix& m) { return !(m.array().real().isFinite() && m.array().imag().isFinite()).any(); }

}  // namespace

TEST_F(Linalg, ProductIsTheSumOfProducts) {
    for (const auto& shape : gc_aSHAPES) {
        const unsigned uiSeed = static_cast<unsigned>(shape.iRows * 100 + shape.iColumns);
        SCOPED_TRACE(traceOf(shape.iRows, shape.iColumns, uiSeed));
        const Matrix a = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        const Matrix b = randomMatrix(shape.iColumns, 7, uiSeed + 1);
        expectSmall(linalg::product(a, b) - a.lazyProduct(b), a.norm() * b.norm(), shape.iColumns);
    }
}

// The norm neither overflows nor loses tiny entries.
TEST_F(Linalg, NormAtEveryScale) {
    const Matrix m = randomMatrix(30, 20, 8);
    const double dNorm = std::sqrt(m.cwiseAbs2().sum());
    for (const double dScale : {1.0, 1e-200, 1e-150, 1e150, 1e200}) {
        SCOPED_TRACE(dScale);
        EXPECT_NEAR(linalg::norm(m * dScale) / dScale, dNorm, 1e-14 * dNorm);
    }
    EXPECT_EQ(linalg::norm(Matrix::Zero(3, 3)), 0.0);
}

// The update reaches a block of columns only, through its column stride.
TEST_F(Linalg, OuterProductUpdatesABlock) {
    const Matrix m = randomMatrix(7, 9, 5);
    const Eigen::VectorXcd x = randomMatrix(7, 1, 6);
    const Eigen::RowVectorXcd y = randomMatrix(1, 5, 7);
    Matrix mUpdated = m;
    linalg::subtractOuterProduct(mUpdated.rightCols(5), x, y);
    EXPECT_EQ(mUpdated.leftCols(4), m.leftCols(4));
    expectSmall(mUpdated.rightCols(5) - (m.rightCols(5) - x.lazyProduct(y)), m.norm() + x.norm() * y.norm(), 1);
}

TEST_F(Linalg, InverseAndDeterminant) {
    for (const Index n : gc_aiSQUARE_SIZES) {
        const unsigned uiSeed = static_cast<unsigned>(n);
        SCOPED_TRACE(traceOf(n, n, uiSeed));
        const Matrix a = randomMatrix(n, n, uiSeed), b = randomMatrix(n, n, uiSeed + 1);
        const Matrix mInverse = linalg::inverse(a);
        expectSmall(a * mInverse - Matrix::Identity(n, n), a.norm() * mInverse.norm(), n);
        // det(a b) = det(a) det(b); a row exchange flips the sign.
        const Complex zA = linalg::determinant(a), zB = linalg::determinant(b);
        EXPECT_LE(std::abs(linalg::determinant(a * b) - zA * zB), 1e-12 * static_cast<double>(n) * std::abs(zA * zB));
        if (n > 1) {
            Matrix mSwapped = a;
            mSwapped.row(0).swap(mSwapped.row(n - 1));
            EXPECT_LE(std::abs(linalg::determinant(mSwapped) + zA), 1e-12 * static_cast<double>(n) * std::abs(zA));
        }
    }
    EXPECT_EQ(linalg::inverse(mat({{2}})), mat({{0.5}}));
    EXPECT_EQ(linalg::determinant(mat({{1, 2, 3}, {0, 4, 5}, {0, 0, 6}})), Complex(24.0));
}

// An exact zero pivot leaves no inverse: every back-end must show it by non-finite entries,
// which the callers report as a singular matrix; a nearly singular matrix stays finite.
TEST_F(Linalg, SingularMatrices) {
    const Matrix aSINGULAR[] = {
        mat({{1, 2}, {2, 4}}),
        mat({{1, 2, 3}, {1, 2, 3}, {4, 5, 7}}),
        mat({{0, 1, 2}, {0, 3, 4}, {0, 5, 6}}),
        Matrix::Zero(3, 3),
    };
    for (const Matrix& m : aSINGULAR) {
        SCOPED_TRACE(::testing::PrintToString(m));
        EXPECT_FALSE(isNumber(linalg::inverse(m)));
        EXPECT_EQ(linalg::determinant(m), Complex(0.0));
    }
    EXPECT_TRUE(isNumber(linalg::inverse(mat({{1, 2}, {2, 4 + 1e-10}}))));
}

TEST_F(Linalg, EigenvaluesByIncreasingModulus) {
    for (const Index n : gc_aiSQUARE_SIZES) {
        const unsigned uiSeed = static_cast<unsigned>(n + 10);
        SCOPED_TRACE(traceOf(n, n, uiSeed));
        const Matrix m = randomMatrix(n, n, uiSeed);
        Matrix mVectors;
        const Eigen::VectorXcd vValues = linalg::eigenvalues(m, &mVectors);
        ASSERT_EQ(vValues.size(), n);
        ASSERT_EQ(mVectors.rows(), n);
        ASSERT_EQ(mVectors.cols(), n);
        expectSmall(m * mVectors - mVectors * vValues.asDiagonal(), m.norm(), n);
        for (Index k = 0; k < n; ++k) EXPECT_NEAR(mVectors.col(k).norm(), 1.0, 1e-13);
        for (Index k = 1; k < n; ++k) EXPECT_LE(std::abs(vValues(k - 1)), std::abs(vValues(k)));
        expectSmall(linalg::eigenvalues(m) - vValues, m.norm(), n);
    }
    // A diagonal matrix: its entries by modulus, each with its unit axis.
    Matrix mVectors;
    const Eigen::VectorXcd vValues = linalg::eigenvalues(mat({{3, 0, 0}, {0, -1, 0}, {0, 0, Complex(0, 2)}}), &mVectors);
    const Complex aEXPECTED[] = {-1.0, Complex(0, 2), 3.0};
    const Index aiAXIS[] = {1, 2, 0};
    for (Index k = 0; k < 3; ++k) {
        EXPECT_EQ(vValues(k), aEXPECTED[k]);
        EXPECT_DOUBLE_EQ(std::abs(mVectors(aiAXIS[k], k)), 1.0);
    }
}

TEST_F(Linalg, SchurForm) {
    for (const Index n : gc_aiSQUARE_SIZES) {
        const unsigned uiSeed = static_cast<unsigned>(n + 20);
        SCOPED_TRACE(traceOf(n, n, uiSeed));
        const Matrix m = randomMatrix(n, n, uiSeed);
        Matrix t, u;
        linalg::schur(m, t, u);
        expectUnitary(u);
        expectUpperTriangular(t);
        expectSmall(u * t * u.adjoint() - m, m.norm(), n);
    }
}

TEST_F(Linalg, SingularValueDecomposition) {
    for (const auto& shape : gc_aSHAPES) {
        const unsigned uiSeed = static_cast<unsigned>(shape.iRows * 100 + shape.iColumns + 30);
        SCOPED_TRACE(traceOf(shape.iRows, shape.iColumns, uiSeed));
        const Matrix m = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        const Index k = std::min(shape.iRows, shape.iColumns), n = std::max(shape.iRows, shape.iColumns);
        Matrix mU, mV;
        const Eigen::VectorXd vValues = linalg::svd(m, linalg::eSVD::FULL, &mU, &mV);
        ASSERT_EQ(vValues.size(), k);
        for (Index i = 1; i < k; ++i) EXPECT_LE(vValues(i), vValues(i - 1));
        EXPECT_GE(vValues(k - 1), 0.0);
        ASSERT_EQ(mU.rows(), shape.iRows);
        ASSERT_EQ(mU.cols(), shape.iRows);
        ASSERT_EQ(mV.rows(), shape.iColumns);
        ASSERT_EQ(mV.cols(), shape.iColumns);
        expectUnitary(mU);
        expectUnitary(mV);
        Matrix mS = Matrix::Zero(shape.iRows, shape.iColumns);
        mS.diagonal() = vValues.cast<Complex>();
        expectSmall(mU * mS * mV.adjoint() - m, m.norm(), n);

        Matrix mThin_U, mThin_V;
        const Eigen::VectorXd vThin = linalg::svd(m, linalg::eSVD::THIN, &mThin_U, &mThin_V);
        ASSERT_EQ(mThin_U.cols(), k);
        ASSERT_EQ(mThin_V.cols(), k);
        expectUnitary(mThin_U);
        expectUnitary(mThin_V);
        expectSmall(mThin_U * vThin.cast<Complex>().asDiagonal() * mThin_V.adjoint() - m, m.norm(), n);
        expectSmall((linalg::svd(m, linalg::eSVD::VALUES) - vValues).cast<Complex>(), m.norm(), n);
    }
}

TEST_F(Linalg, HouseholderQR) {
    for (const auto& shape : gc_aSHAPES) {
        const unsigned uiSeed = static_cast<unsigned>(shape.iRows * 100 + shape.iColumns + 40);
        SCOPED_TRACE(traceOf(shape.iRows, shape.iColumns, uiSeed));
        const Matrix m = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        Matrix q, r, p;
        linalg::householderQR(m, q, r);
        ASSERT_EQ(q.rows(), shape.iRows);
        ASSERT_EQ(q.cols(), shape.iRows);
        ASSERT_EQ(r.rows(), shape.iRows);
        ASSERT_EQ(r.cols(), shape.iColumns);
        expectUnitary(q);
        expectUpperTriangular(r);
        expectSmall(q * r - m, m.norm(), shape.iRows);

        linalg::colPivQR(m, q, r, p);
        ASSERT_EQ(p.rows(), shape.iColumns);
        ASSERT_EQ(p.cols(), shape.iColumns);
        // A permutation: entries 0 or 1, one 1 in each row and each column.
        EXPECT_TRUE((p.array() == Complex(0.0) || p.array() == Complex(1.0)).all());
        EXPECT_TRUE((p.colwise().sum().array() == Complex(1.0)).all());
        EXPECT_TRUE((p.rowwise().sum().array() == Complex(1.0)).all());
        expectUnitary(q);
        expectUpperTriangular(r);
        expectSmall(q * r - m * p, m.norm(), shape.iRows);
    }
}

TEST_F(Linalg, LeastSquares) {
    // The minimum-norm solution, whether or not a x = b can hold; a zero a gives zeros.
    expectSmall(linalg::leastSquares(mat({{1, 2}, {2, 4}}), mat({{1}, {2}})) - mat({{0.2}, {0.4}}), 1.0, 2);
    EXPECT_EQ(linalg::leastSquares(Matrix::Zero(2, 2), mat({{1}, {1}})), Matrix::Zero(2, 1));
    EXPECT_EQ(linalg::leastSquares(Matrix::Zero(1, 3), mat({{5}})), Matrix::Zero(3, 1));
    for (const auto& shape : gc_aSHAPES) {
        const unsigned uiSeed = static_cast<unsigned>(shape.iRows * 100 + shape.iColumns + 50);
        SCOPED_TRACE(traceOf(shape.iRows, shape.iColumns, uiSeed));
        const Matrix a = randomMatrix(shape.iRows, shape.iColumns, uiSeed);
        const Matrix b = randomMatrix(shape.iRows, 1, uiSeed + 1);
        const Matrix x = linalg::leastSquares(a, b);
        ASSERT_EQ(x.rows(), shape.iColumns);
        const Index n = std::max(shape.iRows, shape.iColumns);
        // The residual is orthogonal to the range of a, and x lies in the range of a*.
        expectSmall(a.adjoint() * (a * x - b), a.norm() * (a.norm() * x.norm() + b.norm()), n);
        Matrix mV;
        linalg::svd(a, linalg::eSVD::THIN, nullptr, &mV);
        expectSmall(x - mV * (mV.adjoint() * x), x.norm(), n);
        // Many right-hand sides at once give the same columns.
        const Matrix mMany = linalg::leastSquares(a, b.replicate(1, 8));
        for (Index j = 0; j < 8; ++j) expectSmall(mMany.col(j) - x, a.norm() * x.norm(), n);
    }
}

// A singular value just under the tolerance 1e-16 x norm x size counts as zero, even where
// the largest singular value is far below the norm.
TEST_F(Linalg, LeastSquaresCutsAtTheTolerance) {
    const Index n = 64;
    Matrix mU, mV, r;
    linalg::householderQR(randomMatrix(n, n, 60), mU, r);
    linalg::householderQR(randomMatrix(n, n, 61), mV, r);
    Eigen::VectorXd vValues = Eigen::VectorXd::Ones(n);
    vValues(n - 1) = 2e-14;   // norm about 8, tolerance about 5.1e-14
    const Matrix a = mU * vValues.cast<Complex>().asDiagonal() * mV.adjoint();
    const Matrix b = mU.col(n - 1) + mU.col(0);
    for (const Index iColumns : {Index(1), Index(16)}) {
        SCOPED_TRACE(iColumns);
        const Matrix x = linalg::leastSquares(a, b.replicate(1, iColumns));
        for (Index j = 0; j < iColumns; ++j) expectSmall(x.col(j) - mV.col(0), 1.0, n);
    }
}

// A non-finite operand is not factorised; the results keep their shapes and are NaN.
TEST_F(Linalg, NonFiniteOperands) {
    const double dINF = std::numeric_limits<double>::infinity();
    const Matrix aOPERANDS[] = {
        mat({{1, 2, 3}, {4, dINF, 6}, {7, 8, 9}}),
        mat({{1, 2, 3}, {4, Complex(0, std::nan("")), 6}, {7, 8, 9}}),
    };
    for (const Matrix& m : aOPERANDS) {
        SCOPED_TRACE(::testing::PrintToString(m));
        EXPECT_TRUE(allNonFinite(linalg::inverse(m)));
        EXPECT_TRUE(allNonFinite(mat({{linalg::determinant(m)}})));
        Matrix mVectors, t, u, mV, q, r, p;
        EXPECT_TRUE(allNonFinite(linalg::eigenvalues(m, &mVectors)));
        EXPECT_TRUE(allNonFinite(mVectors));
        linalg::schur(m, t, u);
        EXPECT_TRUE(allNonFinite(t) && allNonFinite(u));
        EXPECT_TRUE(allNonFinite(linalg::svd(m, linalg::eSVD::FULL, &u, &mV).cast<Complex>()));
        EXPECT_TRUE(allNonFinite(u) && allNonFinite(mV));
        EXPECT_EQ(u.rows(), 3);
        EXPECT_TRUE(allNonFinite(linalg::leastSquares(m, Matrix::Ones(3, 1))));
        EXPECT_TRUE(allNonFinite(linalg::leastSquares(Matrix::Ones(3, 3), m)));
        linalg::householderQR(m, q, r);
        EXPECT_TRUE(allNonFinite(q) && allNonFinite(r));
        linalg::colPivQR(m, q, r, p);
        EXPECT_TRUE(allNonFinite(q) && allNonFinite(r) && allNonFinite(p));
    }
}
