// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix constructors Id, Ones and El_Op, built from their argument rows.
#include <cmath>

#include "engine_state.h"

namespace {

constexpr double gc_dEL_OP_MAX_ENTRIES = 512.0;   ///< an elementary matrix is at most 22 x 22

/// The real part of argument k truncated toward zero, still a double: every range test is
/// made before anything becomes an integer, so no huge or non-finite value is converted.
double truncatedArgument(const Matrix& mArguments, Eigen::Index k) {
    return std::trunc(mArguments(0, k).real());
}

bool isIndex(double dIndex, double dSize) { return dIndex >= 1.0 && dIndex <= dSize; }

Eigen::Index toPosition(double dIndex) { return static_cast<Eigen::Index>(dIndex) - 1; }

/// El_Op(0, n, i, j): rows i and j of the n x n identity exchanged; El_Op(1, n, i, r): entry
/// (i, i) is r; El_Op(2, n, i, j, r): entry (i, j) is r. Every failure is eE_INVALID_COORDINATES.
Matrix elementaryMatrix(const Matrix& mArguments) {
    const Eigen::Index iCount = mArguments.rows() == 1 ? mArguments.cols() : 0;
    if (iCount != 4 && iCount != 5) return ClCalculator::raiseError(eE_INVALID_COORDINATES);
    const double dType = truncatedArgument(mArguments, 0), dSize = truncatedArgument(mArguments, 1);
    const double dI = truncatedArgument(mArguments, 2), dJ = truncatedArgument(mArguments, 3);
    const bool bValid_Type = dType == 0.0 || dType == 1.0 || (dType == 2.0 && iCount == 5);
    const bool bUses_J = dType != 1.0;   // row scaling takes r, not j, as its fourth argument
    if (!bValid_Type || !(dSize >= 1.0 && dSize * dSize <= gc_dEL_OP_MAX_ENTRIES) || !isIndex(dI, dSize) ||
        (bUses_J && !isIndex(dJ, dSize)))
        return ClCalculator::raiseError(eE_INVALID_COORDINATES);
    const auto iSize = static_cast<Eigen::Index>(dSize);
    const Eigen::Index iI = toPosition(dI);
    Matrix mResult = Matrix::Identity(iSize, iSize);
    if (dType == 1.0) {
        mResult(iI, iI) = mArguments(0, 3);
        return mResult;
    }
    const Eigen::Index iJ = toPosition(dJ);
    if (dType == 2.0) {
        mResult(iI, iJ) = mArguments(0, 4);
        return mResult;
    }
    mResult(iI, iI) = 0.0;   // i = j leaves the identity
    mResult(iJ, iJ) = 0.0;
    mResult(iI, iJ) = 1.0;
    mResult(iJ, iI) = 1.0;
    return mResult;
}

}  // namespace

// constructMatrix: Id or Ones of size [r, s] (a single argument arrives as its size row),
// El_Op from its four or five entries.
// Errors: 21 for fewer than two size entries, 5 for more, 19 for a size below 1 or a
// product above 262144; El_Op's are all 21.
Matrix ClCalculator::constructMatrix(eTOKEN eConstructor, const Matrix& mArguments) {
    if (eConstructor == eT_EL_OP) return elementaryMatrix(mArguments);
    if (mArguments.rows() != 1 || mArguments.cols() < 2) return raiseError(eE_INVALID_COORDINATES);
    if (mArguments.cols() > 2) return raiseError(eE_BAD_PARAMETER_LIST);
    const double dRows = truncatedArgument(mArguments, 0), dColumns = truncatedArgument(mArguments, 1);
    if (!(dRows >= 1.0 && dColumns >= 1.0 && dRows * dColumns <= static_cast<double>(gc_iMAX_ENTRIES)))
        return raiseError(eE_MATRIX_SIZE);
    const auto iRows = static_cast<Eigen::Index>(dRows), iColumns = static_cast<Eigen::Index>(dColumns);
    if (eConstructor == eT_ID) return Matrix::Identity(iRows, iColumns);
    return Matrix::Ones(iRows, iColumns);
}
