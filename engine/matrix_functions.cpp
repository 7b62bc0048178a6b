// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix functions of the prefix chain: row reductions, transpose, inverse, determinant,
// characteristic polynomial, eigenvalues, Schur and singular value decompositions, RREF, Roots.
#include <cmath>

#include "engine_state.h"
#include "linalg.h"

namespace {

using pfMatrixFunction = Matrix (*)(const Matrix&);

/// A single column counts as a row, so a vector reduces to one entry.
Matrix asRows(const Matrix& m) {
    if (m.cols() == 1) return m.transpose();
    return m;
}

// Sum gives complex row sums; Max and Min compare real parts only.
Matrix sumRows(const Matrix& m) { return asRows(m).rowwise().sum(); }
Matrix maxRows(const Matrix& m) { return asRows(m).real().rowwise().maxCoeff().cast<Complex>(); }
Matrix minRows(const Matrix& m) { return asRows(m).real().rowwise().minCoeff().cast<Complex>(); }

Matrix transpose(const Matrix& m) { return m.transpose(); }

// Note: a determinant below 1e-16 x ||M|| x n is taken for the rounding residue of a singular
// matrix and shown as exactly 0.
Matrix determinant(const Matrix& m) {
    const double dTolerance = linalg::norm(m) * 1e-16 * static_cast<double>(m.rows());
    Complex zDeterminant = linalg::determinant(m);
    if (std::abs(zDeterminant) < dTolerance) zDeterminant = 0.0;
    return Matrix::Constant(1, 1, zDeterminant);
}

Matrix characteristicPolynomial(const Matrix& m) { return ClCalculator::charPoly(m); }

/// Eigenvalues by increasing modulus; U receives the unit eigenvectors in matching columns.
Matrix eigenvalues(const Matrix& m) {
    Matrix mVectors;
    Matrix mValues = linalg::eigenvalues(m, &mVectors);
    ClCalculator::mp_mVariable[eT_U] = std::move(mVectors);
    return mValues;
}

/// M = U T U*: the result is T, U receives the unitary factor.
Matrix schurForm(const Matrix& m) {
    Matrix mT, mU;
    linalg::schur(m, mT, mU);
    ClCalculator::mp_mVariable[eT_U] = std::move(mU);
    return mT;
}

/// M = U S V*: the result is the column of singular values, U and V receive the full factors.
/// A side past 512 is eE_MATRIX_SIZE: its full factor would pass the entry limit.
Matrix singularValues(const Matrix& m) {
    if (std::max(m.rows(), m.cols()) > gc_iMAX_SQUARE_SIDE) return ClCalculator::raiseError(eE_MATRIX_SIZE);
    Matrix mU, mV;
    const Eigen::VectorXd vValues = linalg::svd(m, linalg::eSVD::FULL, &mU, &mV);
    ClCalculator::mp_mVariable[eT_U] = std::move(mU);
    ClCalculator::mp_mVariable[eT_V] = std::move(mV);
    return vValues.cast<Complex>();
}

/// Gauss-Jordan elimination with partial pivoting, column by column.
// Note: entries of modulus at most 1e-16 x ||M|| x max(rows, columns) never serve as pivots.
Matrix reducedRowEchelon(const Matrix& m) {
    Matrix mR = m;
    const Eigen::Index iRows = mR.rows(), iColumns = mR.cols();
    const double dTolerance = linalg::norm(m) * 1e-16 * static_cast<double>(std::max(iRows, iColumns));
    Eigen::Index iPivot_Row = 0;
    for (Eigen::Index iColumn = 0; iColumn < iColumns && iPivot_Row < iRows; ++iColumn) {
        // The largest modulus above the tolerance; of equal ones the lowest row.
        Eigen::Index iBest = -1;
        double dBest = dTolerance;
        for (Eigen::Index iRow = iPivot_Row; iRow < iRows; ++iRow) {
            const double dModulus = std::abs(mR(iRow, iColumn));
            if (dModulus > dBest) {
                iBest = iRow;
                dBest = dModulus;
            }
        }
        if (iBest < 0) continue;   // no pivot in this column
        const Complex zPivot = mR(iBest, iColumn);
        mR.row(iBest) /= zPivot;
        if (iBest > iPivot_Row) mR.row(iBest).swap(mR.row(iPivot_Row));
        // Every other row loses its multiple of the pivot row from this column on, as one
        // rank-one update (the pivot row's own factor is 0); the column is then exactly 0.
        const Eigen::Index iTail = iColumns - iColumn;
        const Eigen::RowVectorXcd vPivot_Row = mR.row(iPivot_Row).tail(iTail);
        Eigen::VectorXcd vFactors = mR.col(iColumn);
        vFactors(iPivot_Row) = 0.0;
        linalg::subtractOuterProduct(mR.rightCols(iTail), vFactors, vPivot_Row);
        mR.col(iColumn).setZero();
        mR(iPivot_Row, iColumn) = vPivot_Row(0);
        ++iPivot_Row;
    }
    return mR;
}

/// Roots of a0 x^n + ... + an as the eigenvalues of its companion matrix, by increasing modulus.
Matrix polynomialRoots(const Matrix& m) {
    if (m.rows() != 1 || m.cols() < 2 || m.cols() > 512 || !(std::abs(m(0, 0)) > 0.0))
        return ClCalculator::raiseError(eE_INVALID_POLYNOMIAL);
    Matrix mQuotients = m;   // the leading coefficient is tested before the clean-up
    ClCalculator::cleanMatrix(mQuotients);
    mQuotients *= -1.0 / mQuotients(0, 0);
    // Ones on the subdiagonal, the quotients in the last column, constant term's at the top.
    const Eigen::Index iDegree = m.cols() - 1;
    Matrix mCompanion = Matrix::Zero(iDegree, iDegree);
    mCompanion.diagonal(-1).setOnes();
    for (Eigen::Index k = 0; k < iDegree; ++k) mCompanion(k, iDegree - 1) = mQuotients(0, iDegree - k);
    return linalg::eigenvalues(mCompanion);
}

/// How a chain token applies to its operand.
struct ClMatrix_Function {
    eTOKEN mp_eToken;
    bool mp_bSquare;   ///< a non-square operand is eE_NON_SQUARE_MATRIX
    int mp_iWeight;    ///< cost per cubed size, an inverse's being 1
    pfMatrixFunction mp_pfFunction;
};

const ClMatrix_Function gc_aMATRIX_FUNCTIONS[] = {
    {eT_SUM, false, 0, sumRows},
    {eT_MAX, false, 0, maxRows},
    {eT_MIN, false, 0, minRows},
    {eT_TRAN, false, 0, transpose},
    {eT_INV, true, 1, ClCalculator::invert},
    {eT_DET, true, 1, determinant},
    {eT_CHARP, true, 16, characteristicPolynomial},
    {eT_EVALS, true, 16, eigenvalues},
    {eT_SCHUR, true, 16, schurForm},
    {eT_SVD, false, 8, singularValues},
    {eT_RREF, false, 1, reducedRowEchelon},
    {eT_ROOTS, false, 24, polynomialRoots},
};

// Note: a line may spend the work of 64 inverses of a 512 x 512 matrix, so that a chain of
// hundreds of decompositions or products ends in an error within seconds instead of running
// for minutes.
constexpr double gc_dLINE_WORK = 64.0 * 512.0 * 512.0 * 512.0;

/// The work of one function on m, in multiples of its cubed size.
double workOf(const ClMatrix_Function& function, const Matrix& m) {
    const double dCube = function.mp_eToken == eT_ROOTS ? cubeWork(m.cols(), m.cols(), m.cols())   // its companion matrix
                                                        : cubeWork(m.rows(), m.cols(), std::min(m.rows(), m.cols()));
    return function.mp_iWeight * dCube;
}

const ClMatrix_Function* findFunction(eTOKEN eToken) {
    for (const ClMatrix_Function& function : gc_aMATRIX_FUNCTIONS)
        if (function.mp_eToken == eToken) return &function;
    return nullptr;
}

}  // namespace

bool ClCalculator::isMatrixFunction(eTOKEN eToken) { return findFunction(eToken) != nullptr; }

// matrixFunction: one chain step on the whole matrix m (never empty, at most 262144 entries).
// Returns the empty matrix with the function's error on failure.
Matrix ClCalculator::matrixFunction(eTOKEN eFunction, const Matrix& m) {
    const ClMatrix_Function* pFunction = findFunction(eFunction);
    if (pFunction->mp_bSquare && m.rows() != m.cols()) return raiseError(eE_NON_SQUARE_MATRIX);
    if (!spendWork(workOf(*pFunction, m))) return Matrix();
    return pFunction->mp_pfFunction(m);
}

// Note: a singular matrix shows up as non-finite entries of the partial-pivoting LU inverse; a
// nearly singular one gives a large finite inverse and no error.
Matrix ClCalculator::invert(const Matrix& m) {
    Matrix mInverse = linalg::inverse(m);
    if (!isNumber(mInverse)) return raiseError(eE_SINGULAR_MATRIX);
    return mInverse;
}

bool ClCalculator::spendWork(double dWork) {
    g_dLine_Work += dWork;
    if (g_dLine_Work > gc_dLINE_WORK) raiseError(eE_OPERATOR_CALCULATION);
    else if (g_pfnWork_Poll != nullptr && g_pfnWork_Poll()) raiseError(eE_RPT_LIMIT_EXCEEDED);
    else return true;
    return false;
}

// charPoly: the coefficients of the product of (x - lambda_k) over the eigenvalues of the
// square matrix m, highest degree first, not rounded.
Matrix ClCalculator::charPoly(const Matrix& m) {
    const Eigen::VectorXcd vValues = linalg::eigenvalues(m);
    Matrix mPolynomial = Matrix::Ones(1, 1);
    mp_mLinear.resize(1, 2);
    for (Eigen::Index k = 0; k < vValues.size(); ++k) {
        mp_mLinear << 1.0, -vValues(k);
        mPolynomial = polyMultiply(mPolynomial, mp_mLinear);
    }
    return mPolynomial;
}
