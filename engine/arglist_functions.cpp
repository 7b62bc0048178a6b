// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix functions that read their own argument lists (Diag, Norm, OpNm, QR) and the
// arguments of the Rpt command.
#include <algorithm>
#include <cmath>
#include <limits>

#include "parse_cursor.h"
#include "linalg.h"

namespace {

constexpr double gc_dNOT_AN_ARGUMENT = std::numeric_limits<double>::quiet_NaN();

Matrix realScalar(double dValue) { return Matrix::Constant(1, 1, Complex(dValue, 0.0)); }

/// The real part of the next argument when it is a 1 x 1 value with a finite real part, NaN
/// otherwise, so that every range test on it fails.
double scalarArgument() {
    const Matrix m = ClCalculator::expression();
    if (!isScalar(m) || !std::isfinite(m(0, 0).real())) return gc_dNOT_AN_ARGUMENT;
    return m(0, 0).real();
}

/// The vector v (a row) on diagonal kk of a square zero matrix: above the main diagonal for
/// kk > 0, below it for kk < 0. eE_MATRIX_SIZE above 262144 entries.
Matrix diagonalMatrix(const Matrix& mVector, double dK) {
    const double dOffset = std::trunc(dK);
    const double dSize = static_cast<double>(mVector.cols()) + std::fabs(dOffset);
    // Note: the size is checked in floating point first, so a huge or non-finite k is refused
    // before anything is converted or allocated.
    if (!(dSize * dSize <= static_cast<double>(gc_iMAX_ENTRIES))) return ClCalculator::raiseError(eE_MATRIX_SIZE);
    const auto iSize = static_cast<Eigen::Index>(dSize);
    Matrix mResult = Matrix::Zero(iSize, iSize);
    mResult.diagonal(static_cast<Eigen::Index>(dOffset)) = mVector.transpose();
    return mResult;
}

/// Largest row sum of moduli: the operator infinity norm.
double maxRowSum(const Matrix& m) { return m.cwiseAbs().rowwise().sum().maxCoeff(); }

/// Largest column sum of moduli: the operator 1-norm.
double maxColumnSum(const Matrix& m) { return m.cwiseAbs().colwise().sum().maxCoeff(); }

/// (sum of |m|^p)^(1 / p) over all entries.
double entryNorm(const Matrix& m, double dP) {
    const double dSum = m.unaryExpr([dP](const Complex& z) { return std::pow(std::abs(z), dP); }).sum();
    return std::pow(dSum, 1.0 / dP);
}

/// The largest singular value.
double spectralNorm(const Matrix& m) { return linalg::svd(m, linalg::eSVD::VALUES)(0); }

/// An integral value kept to its low 16 bits, as the line's repeat fields store it.
unsigned short lowBits(double dValue) {
    // Note: fmod is exact, so any finite value wraps without an out-of-range conversion.
    double dWrapped = std::fmod(dValue, 65536.0);
    if (dWrapped < 0.0) dWrapped += 65536.0;
    return static_cast<unsigned short>(dWrapped);
}

}  // namespace

// diag := "Diag" "(" M ")" | "Diag" "(" v ", " k ")"
// A matrix gives its diagonal as a column, a vector (row or column) the diagonal matrix.
// Errors: 4 without "(" or the closing ")", 8 for an empty M, a k not 1 x 1 or another token
// after the vector, 19 for a result above 262144 entries.
Matrix ClCalculator::diagFunction() {
    if (!openList()) return raiseError(eE_MISSING_PARENTHESES);
    Matrix mArgument = expression();
    if (mArgument.rows() == 0) return raiseError(eE_EXPRESSION);
    if (mArgument.cols() == 1) mArgument.transposeInPlace();
    Matrix mResult;
    if (mArgument.rows() != 1) {
        mResult = mArgument.diagonal();
    } else if (nextToken() == eT_RPAREN) {
        mResult = diagonalMatrix(mArgument, 0.0);
    } else if (accept(eT_COMMA)) {
        const Matrix mK = expression();
        if (!isScalar(mK)) return raiseError(eE_EXPRESSION);
        mResult = diagonalMatrix(mArgument, mK(0, 0).real());
    } else {
        return raiseError(eE_EXPRESSION);
    }
    if (mResult.rows() == 0) return mResult;
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return mResult;
}

// norm := ("Norm" | "OpNm") "(" M ")" | ("Norm" | "OpNm") "(" p ", " M ")"
// Norm: the largest modulus, or the p-norm of all entries; OpNm: the largest row sum of
// moduli, or for p = 1 the largest column sum and for p = 2 the largest singular value.
// Errors: 4 without "(" or the closing ")", 8 for an empty argument, 7 for a p that is not a
// 1 x 1 value of at least 1 followed by ", ", or an OpNm p other than 1 and 2.
Matrix ClCalculator::normFunction(bool bOperator) {
    if (!openList()) return raiseError(eE_MISSING_PARENTHESES);
    const Matrix mFirst = expression();
    if (mFirst.rows() == 0) return raiseError(eE_EXPRESSION);
    if (accept(eT_RPAREN)) return realScalar(bOperator ? maxRowSum(mFirst) : mFirst.cwiseAbs().maxCoeff());
    if (!isScalar(mFirst) || !(mFirst(0, 0).real() >= 1.0) || !accept(eT_COMMA))
        return raiseError(eE_INCORRECT_SCALAR_EXPRESSION);
    const double dP = mFirst(0, 0).real();   // the imaginary part is ignored
    const Matrix mM = expression();
    if (mM.rows() == 0) return raiseError(eE_EXPRESSION);
    double dNorm;
    if (!bOperator) {
        dNorm = entryNorm(mM, dP);
    } else if (dP == 1.0) {
        dNorm = maxColumnSum(mM);
    } else if (dP == 2.0) {
        if (!spendWork(8 * cubeWork(mM.rows(), mM.cols(), std::min(mM.rows(), mM.cols())))) return Matrix();
        dNorm = spectralNorm(mM);
    } else {
        return raiseError(eE_INCORRECT_SCALAR_EXPRESSION);
    }
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return realScalar(dNorm);
}

// qr := "QR" "(" M ")" | "QR" "(" M ", " s ")"
// The result is R. Householder QR (no s, or s = 0) stores Q with M = Q R; with column pivoting
// (s = 1) Q and the permutation P with M P = Q R. Q and P are written once the factorisation
// is done, whatever fails after it. Errors: 4 without "(" or the closing ")", 8 for an empty M
// or no ", " after it, 11 for an s that is not 1 x 1 with real part 0 or 1, 19 when Q (rows x
// rows) or P (columns x columns) would pass the entry limit.
Matrix ClCalculator::qrFunction() {
    if (!openList()) return raiseError(eE_MISSING_PARENTHESES);
    const Matrix mM = expression();
    if (mM.rows() == 0) return raiseError(eE_EXPRESSION);
    const bool bSecond_Argument = !accept(eT_RPAREN);
    bool bPivoting = false;
    if (bSecond_Argument) {
        if (!accept(eT_COMMA)) return raiseError(eE_EXPRESSION);
        const Matrix mS = expression();
        if (!isScalar(mS) || (mS(0, 0).real() != 0.0 && mS(0, 0).real() != 1.0))
            return raiseError(eE_SCALAR_OUT_OF_RANGE);
        bPivoting = mS(0, 0).real() == 1.0;
    }
    if (mM.rows() > gc_iMAX_SQUARE_SIDE || (bPivoting && mM.cols() > gc_iMAX_SQUARE_SIDE))
        return raiseError(eE_MATRIX_SIZE);
    if (!spendWork(2 * cubeWork(mM.rows(), mM.cols(), std::min(mM.rows(), mM.cols())))) return Matrix();
    Matrix mQ, mR;
    if (bPivoting) {
        Matrix mP;
        linalg::colPivQR(mM, mQ, mR, mP);
        mp_mVariable[eT_P] = std::move(mP);
    } else {
        linalg::householderQR(mM, mQ, mR);
    }
    mp_mVariable[eT_Q] = std::move(mQ);
    if (bSecond_Argument && !accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return mR;
}

// rpt := "Rpt" "(" p [", " m [", " n [", " c [", " x]]]] ")" [";"], a whole statement.
// Records p repetitions of the history lines from m to n steps back in the current line and
// sets g_bRepeat when the condition c holds (c >= 0, or c > 0 when x is given). The value is c.
// Errors: 18 without "(" or ")", 11 for an argument not 1 x 1 or out of its range, 8 for
// anything after ")" but a final ";".
Matrix ClCalculator::rptFunction() {
    g_Current_State.mp_uiRepeat_Times = 0;
    g_Current_State.mp_iRepeat_From = 0;
    g_Current_State.mp_iRepeat_To = 0;
    g_bRepeat = false;
    if (!openList()) return raiseError(eE_MISSING_RIGHT_PARENTHESIS);
    const double dTimes = std::floor(scalarArgument());
    if (!(dTimes >= 0.0)) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    const double dHistory = static_cast<double>(g_uiHistory_Next);
    double dFrom = dHistory - 1.0, dTo = 1.0, dCondition = 1.0;
    bool bStrict = false;
    if (accept(eT_COMMA)) {   // first line back: 1 up to the last stored line, or negative
        const double dM = scalarArgument();
        if (!((dM >= 1.0 && dM < dHistory) || dM < 0.0)) return raiseError(eE_SCALAR_OUT_OF_RANGE);
        dFrom = std::floor(dM);
        dTo = dFrom >= 0.0 ? 1.0 : dFrom;
        if (accept(eT_COMMA)) {   // last line back: not before the first, never 0 to 1
            const double dN = scalarArgument();
            if (!(dN <= dFrom && (dN < 0.0 || dN >= 1.0))) return raiseError(eE_SCALAR_OUT_OF_RANGE);
            dTo = std::floor(dN);
            if (accept(eT_COMMA)) {
                dCondition = scalarArgument();
                if (std::isnan(dCondition)) return raiseError(eE_SCALAR_OUT_OF_RANGE);
                if (accept(eT_COMMA)) {   // a fifth argument only makes the condition strict
                    if (std::isnan(scalarArgument())) return raiseError(eE_SCALAR_OUT_OF_RANGE);
                    bStrict = true;
                }
            }
        }
    }
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_RIGHT_PARENTHESIS);
    if (g_uiError_Number != eE_NONE) return Matrix();
    accept(eT_SEMICOLON);
    if (nextToken() != eT_NULL) return raiseError(eE_EXPRESSION);
    g_Current_State.mp_uiRepeat_Times = lowBits(dTimes);
    g_Current_State.mp_iRepeat_From = static_cast<short>(lowBits(dFrom));
    g_Current_State.mp_iRepeat_To = static_cast<short>(lowBits(dTo));
    g_bRepeat = bStrict ? dCondition > 0.0 : dCondition >= 0.0;
    g_bFailTest = !g_bRepeat;
    return realScalar(dCondition);
}
