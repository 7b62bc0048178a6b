// SPDX-License-Identifier: GPL-3.0-or-later
// The linear algebra facilities: LAPACK through LAPACKE and BLAS on OpenBLAS when built with
// ORBEX_LAPACK, Eigen's own decompositions otherwise. Products are Eigen's either way; with
// ORBEX_LAPACK Eigen hands them to OpenBLAS (EIGEN_USE_BLAS).
#include "linalg.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

#include <clocale>
#include <locale>

#include <malloc.h>

#ifdef ORBEX_LAPACK
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <cblas.h>
#include <lapacke.h>
#endif

void configureProcess() {
    // Printf-style formatting and string streams read numbers in the C locale only.
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    // Note: every line makes and drops matrices of up to 262144 entries (4 MB) and the
    // factorisations their work copies. Freed, they stay in the heap instead of going back to
    // the system, so that making them again costs no page faults; that saved a fifth of a
    // determinant's time at 512 x 512.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#ifdef ORBEX_LAPACK
    openblas_set_num_threads(1);   // one thread runs everything, even on a threaded OpenBLAS
#endif
}

namespace linalg {

namespace {

using Eigen::Index;

constexpr double gc_dNAN = std::numeric_limits<double>::quiet_NaN();
constexpr double gc_dSOLVE_CUT = 1e-16;    ///< singular values up to this x norm x max(rows, columns) count as 0
constexpr double gc_dSOLVE_ZERO = 1e-36;   ///< a largest singular value up to this solves to zero

/// The result of a factorisation refused for a non-finite operand.
Matrix nanMatrix(Index iRows, Index iColumns) { return Matrix::Constant(iRows, iColumns, Complex(gc_dNAN, gc_dNAN)); }

/// Least squares through the thin singular value decomposition: x = v s+ u* b, where s+
/// inverts the singular values above dTolerance and zeroes the others.
Matrix svdLeastSquares(const Matrix& a, const Matrix& b, double dTolerance) {
    Matrix mU, mV;
    const Eigen::VectorXd vSingular = svd(a, eSVD::THIN, &mU, &mV);
    if (vSingular.size() == 0 || vSingular(0) <= gc_dSOLVE_ZERO) return Matrix::Zero(a.cols(), b.cols());
    const Eigen::VectorXcd vInverse =
        (vSingular.array() > dTolerance).select(vSingular.array().inverse(), 0.0).cast<Complex>();
    return mV * (vInverse.asDiagonal() * (mU.adjoint() * b));
}

#ifdef ORBEX_LAPACK

lapack_int dim(Index i) { return static_cast<lapack_int>(i); }

/// Leading dimension of a column-major matrix; LAPACK wants at least 1 even for no rows.
lapack_int lead(const Matrix& m) { return static_cast<lapack_int>(std::max<Index>(1, m.rows())); }

/// A work copy of m followed by a spare column. OpenBLAS's bidiagonal reduction (behind zgesdd
/// and zgelsd) reads up to a column past the end of its matrix, which faulted when the matrix
/// ended at the end of a page.
Matrix bidiagonalWork(const Matrix& m) {
    Matrix mWork(m.rows(), m.cols() + 1);
    mWork.leftCols(m.cols()) = m;
    return mWork;
}

/// LU with partial pivoting of the square mLU in place; LAPACK's info, > 0 at an exact zero pivot.
lapack_int luFactor(Matrix& mLU, std::vector<lapack_int>& aiPivots) {
    aiPivots.resize(static_cast<std::size_t>(mLU.rows()));
    return LAPACKE_zgetrf(LAPACK_COL_MAJOR, dim(mLU.rows()), dim(mLU.cols()), mLU.data(), lead(mLU),
                          aiPivots.data());
}

/// r and the full unitary q (rows x rows) from LAPACK's compact QR in mQR and its reflector factors.
void expandQR(const Matrix& mQR, const Eigen::VectorXcd& vTau, Matrix& q, Matrix& r) {
    const Index iRows = mQR.rows(), iReflectors = vTau.size();
    r = mQR.triangularView<Eigen::Upper>();
    q.resize(iRows, iRows);
    q.leftCols(iReflectors) = mQR.leftCols(iReflectors);
    LAPACKE_zungqr(LAPACK_COL_MAJOR, dim(iRows), dim(iRows), dim(iReflectors), q.data(), lead(q), vTau.data());
}

// Note: zgelsd cuts singular values up to rcond times the largest, while the cut wanted is the
// absolute dTolerance. The first call takes the Frobenius norm for the largest, an upper bound,
// so it cuts no more than wanted; when it kept a value up to dTolerance, the solve is repeated
// once with the cut made exact from the largest value it returned.
Matrix lapackLeastSquares(const Matrix& a, const Matrix& b, double dTolerance) {
    const Index iRows = a.rows(), iColumns = a.cols();
    Eigen::VectorXd vSingular(std::min(iRows, iColumns));
    double dCut = gc_dSOLVE_CUT * static_cast<double>(std::max(iRows, iColumns));   // dTolerance / norm
    for (int iTry = 0;; ++iTry) {
        Matrix mWork = bidiagonalWork(a);
        Matrix mX = Matrix::Zero(std::max(iRows, iColumns), b.cols());
        mX.topRows(iRows) = b;
        lapack_int iRank = 0;
        LAPACKE_zgelsd(LAPACK_COL_MAJOR, dim(iRows), dim(iColumns), dim(b.cols()), mWork.data(), lead(mWork),
                       mX.data(), lead(mX), vSingular.data(), dCut, &iRank);
        if (vSingular(0) <= gc_dSOLVE_ZERO) return Matrix::Zero(iColumns, b.cols());
        if (iTry == 1 || iRank == (vSingular.array() > dTolerance).count()) return mX.topRows(iColumns);
        dCut = dTolerance / vSingular(0);
    }
}

#endif

}  // namespace

// Note: the plain sum of squares is exact to rounding whenever it did not overflow and is large
// enough that squares lost to underflow cannot matter; only otherwise is the scaled sum,
// twenty times slower, needed.
double norm(const Matrix& m) {
    const double dNorm = m.norm();
    return std::isfinite(dNorm) && dNorm > 1e-140 ? dNorm : m.stableNorm();
}

Matrix product(const Matrix& a, const Matrix& b) { return a * b; }

void subtractOuterProduct(Eigen::Ref<Matrix> m, const Eigen::VectorXcd& x, const Eigen::RowVectorXcd& y) {
#ifdef ORBEX_LAPACK
    // Note: OpenBLAS's update uses the processor's widest vectors, which this build does not
    // let Eigen use; at 512 x 512 it halves a reduced row echelon form's time.
    const Complex zMinus_One(-1.0, 0.0);
    cblas_zgeru(CblasColMajor, dim(m.rows()), dim(m.cols()), &zMinus_One, x.data(), 1, y.data(), 1, m.data(),
                static_cast<lapack_int>(std::max<Index>(1, m.outerStride())));
#else
    m.noalias() -= x * y;
#endif
}

Matrix inverse(const Matrix& m) {
    if (!isNumber(m)) return nanMatrix(m.rows(), m.cols());
#ifdef ORBEX_LAPACK
    Matrix mInverse = m;
    std::vector<lapack_int> aiPivots;
    // Note: LAPACK reports an exact zero pivot instead of dividing by it; the inverse is then
    // made infinite, as the division would have made it.
    if (luFactor(mInverse, aiPivots) > 0)
        return Matrix::Constant(m.rows(), m.cols(), Complex(std::numeric_limits<double>::infinity(), 0.0));
    LAPACKE_zgetri(LAPACK_COL_MAJOR, dim(m.rows()), mInverse.data(), lead(mInverse), aiPivots.data());
    return mInverse;
#else
    return m.partialPivLu().inverse();
#endif
}

Complex determinant(const Matrix& m) {
    if (!isNumber(m)) return Complex(gc_dNAN, gc_dNAN);
#ifdef ORBEX_LAPACK
    Matrix mLU = m;
    std::vector<lapack_int> aiPivots;
    luFactor(mLU, aiPivots);   // a zero pivot makes the product below 0
    Complex zDeterminant = 1.0;
    for (Index i = 0; i < mLU.rows(); ++i)
        zDeterminant *= aiPivots[static_cast<std::size_t>(i)] == i + 1 ? mLU(i, i) : -mLU(i, i);
    return zDeterminant;
#else
    return m.partialPivLu().determinant();
#endif
}

Eigen::VectorXcd eigenvalues(const Matrix& m, Matrix* pmVectors) {
    const Index n = m.rows();
    if (!isNumber(m)) {
        if (pmVectors != nullptr) *pmVectors = nanMatrix(n, n);
        return nanMatrix(n, 1);
    }
#ifdef ORBEX_LAPACK
    Matrix mWork = m, mVectors(pmVectors != nullptr ? n : 1, pmVectors != nullptr ? n : 1);
    Eigen::VectorXcd vValues(n);
    LAPACKE_zgeev(LAPACK_COL_MAJOR, 'N', pmVectors != nullptr ? 'V' : 'N', dim(n), mWork.data(), lead(mWork),
                  vValues.data(), nullptr, 1, mVectors.data(), lead(mVectors));
    // By increasing modulus; of equal moduli the one found first stays first.
    std::vector<Index> aiOrder(static_cast<std::size_t>(n));
    std::iota(aiOrder.begin(), aiOrder.end(), Index(0));
    std::stable_sort(aiOrder.begin(), aiOrder.end(),
                     [&](Index i, Index j) { return std::abs(vValues(i)) < std::abs(vValues(j)); });
    if (pmVectors != nullptr) *pmVectors = mVectors(Eigen::all, aiOrder);
    return vValues(aiOrder);
#else
    // The solver sorts by increasing modulus; of equal moduli the one found first stays first.
    Eigen::ComplexEigenSolver<Matrix> solver(m, pmVectors != nullptr);
    if (pmVectors != nullptr) *pmVectors = solver.eigenvectors();
    return solver.eigenvalues();
#endif
}

void schur(const Matrix& m, Matrix& t, Matrix& u) {
    if (!isNumber(m)) {
        t = u = nanMatrix(m.rows(), m.cols());
        return;
    }
#ifdef ORBEX_LAPACK
    const Index n = m.rows();
    Matrix mWork = m;
    Eigen::VectorXcd vValues(n);
    u.resize(n, n);
    lapack_int iSelected = 0;
    LAPACKE_zgees(LAPACK_COL_MAJOR, 'V', 'N', nullptr, dim(n), mWork.data(), lead(mWork), &iSelected,
                  vValues.data(), u.data(), lead(u));
    t = mWork.triangularView<Eigen::Upper>();
#else
    Eigen::ComplexSchur<Matrix> solver(m, true);
    t = solver.matrixT();
    u = solver.matrixU();
#endif
}

Eigen::VectorXd svd(const Matrix& m, eSVD eVectors, Matrix* pmU, Matrix* pmV) {
    const Index iRows = m.rows(), iColumns = m.cols(), k = std::min(iRows, iColumns);
    const bool bFull = eVectors == eSVD::FULL;
    if (!isNumber(m)) {
        if (eVectors != eSVD::VALUES) {
            if (pmU != nullptr) *pmU = nanMatrix(iRows, bFull ? iRows : k);
            if (pmV != nullptr) *pmV = nanMatrix(iColumns, bFull ? iColumns : k);
        }
        return Eigen::VectorXd::Constant(k, gc_dNAN);
    }
#ifdef ORBEX_LAPACK
    // Note: divide and conquer (zgesdd): several times faster than the QR iteration of zgesvd
    // on large matrices, and as accurate.
    const bool bVectors = eVectors != eSVD::VALUES;
    Matrix mWork = bidiagonalWork(m);
    Matrix mU(bVectors ? iRows : 1, bVectors ? (bFull ? iRows : k) : 1);
    Matrix mVt(bVectors ? (bFull ? iColumns : k) : 1, bVectors ? iColumns : 1);
    Eigen::VectorXd vSingular(k);
    LAPACKE_zgesdd(LAPACK_COL_MAJOR, bFull ? 'A' : bVectors ? 'S' : 'N', dim(iRows), dim(iColumns), mWork.data(),
                   lead(mWork), vSingular.data(), mU.data(), lead(mU), mVt.data(), lead(mVt));
    if (bVectors) {
        if (pmU != nullptr) *pmU = std::move(mU);
        if (pmV != nullptr) *pmV = mVt.adjoint();
    }
    return vSingular;
#else
    // Note: divide and conquer (BDCSVD): thirty times faster than the one-sided Jacobi method
    // on large matrices and as accurate; it falls back to Jacobi on small ones.
    const unsigned uiOptions = bFull                      ? Eigen::ComputeFullU | Eigen::ComputeFullV
                               : eVectors == eSVD::THIN ? Eigen::ComputeThinU | Eigen::ComputeThinV
                                                        : 0u;
    Eigen::BDCSVD<Matrix> solver(m, uiOptions);
    if (eVectors != eSVD::VALUES) {
        if (pmU != nullptr) *pmU = solver.matrixU();
        if (pmV != nullptr) *pmV = solver.matrixV();
    }
    return solver.singularValues();
#endif
}

Matrix leastSquares(const Matrix& a, const Matrix& b) {
    if (!isNumber(a) || !isNumber(b)) return nanMatrix(a.cols(), b.cols());
    const double dTolerance = gc_dSOLVE_CUT * norm(a) * static_cast<double>(std::max(a.rows(), a.cols()));
#ifdef ORBEX_LAPACK
    // Note: zgelsd never forms u and v, which halves the work for a few right-hand sides; its
    // cost grows with their number, and past an eighth of min(rows, columns) the decomposition
    // with u and v is the faster.
    if (b.cols() * 8 <= std::min(a.rows(), a.cols())) return lapackLeastSquares(a, b, dTolerance);
#endif
    return svdLeastSquares(a, b, dTolerance);
}

void householderQR(const Matrix& m, Matrix& q, Matrix& r) {
    if (!isNumber(m)) {
        q = nanMatrix(m.rows(), m.rows());
        r = nanMatrix(m.rows(), m.cols());
        return;
    }
#ifdef ORBEX_LAPACK
    Matrix mWork = m;
    Eigen::VectorXcd vTau(std::min(m.rows(), m.cols()));
    LAPACKE_zgeqrf(LAPACK_COL_MAJOR, dim(m.rows()), dim(m.cols()), mWork.data(), lead(mWork), vTau.data());
    expandQR(mWork, vTau, q, r);
#else
    Eigen::HouseholderQR<Matrix> qr(m);
    q = qr.householderQ();
    r = qr.matrixQR().triangularView<Eigen::Upper>();
#endif
}

void colPivQR(const Matrix& m, Matrix& q, Matrix& r, Matrix& p) {
    if (!isNumber(m)) {
        q = nanMatrix(m.rows(), m.rows());
        r = nanMatrix(m.rows(), m.cols());
        p = nanMatrix(m.cols(), m.cols());
        return;
    }
#ifdef ORBEX_LAPACK
    Matrix mWork = m;
    Eigen::VectorXcd vTau(std::min(m.rows(), m.cols()));
    std::vector<lapack_int> aiColumns(static_cast<std::size_t>(m.cols()), 0);   // 0: every column may move
    LAPACKE_zgeqp3(LAPACK_COL_MAJOR, dim(m.rows()), dim(m.cols()), mWork.data(), lead(mWork), aiColumns.data(),
                   vTau.data());
    expandQR(mWork, vTau, q, r);
    p = Matrix::Zero(m.cols(), m.cols());
    for (Index j = 0; j < m.cols(); ++j) p(aiColumns[static_cast<std::size_t>(j)] - 1, j) = 1.0;
#else
    Eigen::ColPivHouseholderQR<Matrix> qr(m);
    q = qr.householderQ();
    r = qr.matrixQR().triangularView<Eigen::Upper>();
    p = qr.colsPermutation().toDenseMatrix().cast<Complex>();
#endif
}

}  // namespace linalg
