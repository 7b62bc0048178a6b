// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation driver, statements, assignments, primaries and entry references.
#include <cmath>
#include <limits>

#include "parse_cursor.h"

namespace {

bool isMatrixToken(eTOKEN eToken) { return isVariableToken(eToken) || eToken == eT_ANS; }

/// Reads one index of an entry reference as a row of 1-based positions, each at most
/// iLimit; the empty matrix (with eE_INVALID_COORDINATES) when it is not such a vector.
Matrix readIndex(Eigen::Index iLimit) {
    Matrix mIndex = ClCalculator::expression();
    if (mIndex.rows() != 1) {
        if (mIndex.cols() != 1) return ClCalculator::raiseError(eE_INVALID_COORDINATES);
        mIndex.transposeInPlace();
    }
    for (Eigen::Index i = 0; i < mIndex.cols(); ++i) {
        const Complex z = mIndex(0, i);
        if (z.imag() != 0.0 || z.real() != std::floor(z.real()) || z.real() < 1.0 ||
            z.real() > static_cast<double>(iLimit))
            return ClCalculator::raiseError(eE_INVALID_COORDINATES);
    }
    return mIndex;
}

/// Whether every index of a reference lies within m.
bool indicesFit(const Clmatrixref& reference, const Matrix& m) {
    return reference.mp_mRows.real().maxCoeff() <= static_cast<double>(m.rows()) &&
           reference.mp_mColumns.real().maxCoeff() <= static_cast<double>(m.cols());
}

/// Invalid numbers: the value is shown, but Ans keeps its value.
bool showInvalid() {
    ClCalculator::matrixDisplay(ClCalculator::mp_mParser_Output);
    ClCalculator::raiseError(eE_INVALID_NUMBERS);
    lg_uiNext_Token = 0;
    return false;
}

/// The driver's last step: a finite value is cleaned, shown and becomes Ans, accepted or not.
/// A hidden value (bShow false) is not formatted unless an error is shown with it.
/// The value moves into Ans: a 512 x 512 result is not copied.
bool showResult(bool bAccepted, bool bShow) {
    Matrix& mOutput = ClCalculator::mp_mParser_Output;
    if (!(g_bZero_Out ? ClCalculator::cleanNumbers(mOutput) : isNumber(mOutput))) return showInvalid();
    g_acOutput_Line[0] = '\0';
    if (bShow || g_uiError_Number != eE_NONE) ClCalculator::matrixDisplay(mOutput);
    ClCalculator::mp_mLast_Output.swap(mOutput);
    ClCalculator::mp_bValue_In_Ans = true;
    return bAccepted;
}

}  // namespace

const Matrix& ClCalculator::lineValue() { return mp_bValue_In_Ans ? mp_mLast_Output : mp_mParser_Output; }

// tParser := statement, then the decision on its value.
// Returns true for an accepted, all-finite value; the error number tells the rest.
bool ClCalculator::tParser(bool bShow) {
    startLine();
    mp_bValue_In_Ans = false;
    if (nextToken() == eT_NULL) {   // an empty line shows nothing and keeps Ans
        lg_uiToken_Stream_Length = 0;
        mp_mParser_Output.resize(0, 0);
        return true;
    }
    mp_mParser_Output = statement();
    const bool bConsumed = lg_uiNext_Token >= lg_uiToken_Stream_Length;
    if (mp_mParser_Output.rows() == 0) {
        raiseError(eE_EXPRESSION);
    } else if (bConsumed || g_uiError_Number == eE_NONE) {
        if (mp_mParser_Output.size() <= gc_iMAX_ENTRIES)
            return g_uiError_Number == eE_INVALID_NUMBERS ? showInvalid() : showResult(true, bShow);
        mp_mParser_Output.resize(0, 0);
        raiseError(eE_MATRIX_SIZE);
    }
    lg_uiNext_Token = 0;   // failure
    return g_uiError_Number == eE_INVALID_NUMBERS ? showInvalid() : showResult(false, bShow);
}

// statement := assignment | expression
// A statement is an assignment when the stream holds the assignment sign anywhere.
Matrix ClCalculator::statement() {
    if (nextToken() == eT_ASSIGN) return assignment();
    bool bAssign = false;
    for (unsigned short ui = lg_uiNext_Token; ui < lg_uiToken_Stream_Length && !bAssign; ++ui)
        bAssign = tokenAt(ui) == eT_ASSIGN;
    if (!bAssign) return uncheckedExpression();   // the driver tests the value
    const eTOKEN eFirst = nextToken();
    if (isVariableToken(eFirst) && tokenAt(lg_uiNext_Token + 2) == eT_LBRACKET &&
        tokenAt(lg_uiNext_Token + 3) == eT_RBRACKET) {   // V = [] empties V
        mp_mVariable[eFirst].resize(0, 0);
        g_uiError_Number = eE_EMPTY_MATRIX;
        return Matrix();
    }
    return assignment();
}

// assignment := V " = " expression | V "(" indices ")" " = " expression
// Returns the empty matrix with eE_ASSIGNMENT (unless one is set) on failure; V is then unchanged.
Matrix ClCalculator::assignment() {
    const eTOKEN eVariable = nextToken();
    Matrix mResult;
    if (isVariableToken(eVariable)) {
        if (tokenAt(lg_uiNext_Token + 1) == eT_ASSIGN) {
            lg_uiNext_Token += 2;
            mResult = expression();
            if (mResult.rows() > 0) mp_mVariable[eVariable] = mResult;
        } else {
            const Clmatrixref reference = matrixref();
            if (reference.mp_mValues.rows() > 0 && nextToken() == eT_ASSIGN) {
                ++lg_uiNext_Token;
                const Matrix mValue = expression();
                const Eigen::Index iRows = reference.mp_mRows.cols(), iColumns = reference.mp_mColumns.cols();
                if (mValue.rows() == iRows && mValue.cols() == iColumns && mValue.rows() > 0) {
                    Matrix& mTarget = mp_mVariable[eVariable];
                    // The expression may have replaced the variable (Evals writes U, QR writes
                    // Q), so the indices are checked again against what it holds now.
                    if (!indicesFit(reference, mTarget)) return raiseError(eE_INVALID_COORDINATES);
                    for (Eigen::Index a = 0; a < iRows; ++a)
                        for (Eigen::Index b = 0; b < iColumns; ++b)
                            mTarget(static_cast<Eigen::Index>(reference.mp_mRows(0, a).real()) - 1,
                                    static_cast<Eigen::Index>(reference.mp_mColumns(0, b).real()) - 1) =
                                mValue(a, b);
                    mResult = mTarget;
                }
            }
        }
    }
    if (mResult.rows() == 0) return raiseError(eE_ASSIGNMENT);
    return mResult;
}

// matrixref := (V | Ans) "(" [index ["," index]] ")"
// Nothing is consumed and all parts are empty unless a "(" follows the matrix token.
Clmatrixref ClCalculator::matrixref() {
    Clmatrixref reference;
    if (!isMatrixToken(nextToken()) || tokenAt(lg_uiNext_Token + 1) != eT_LPAREN) return reference;
    // A copy: an index expression may replace the variable (Evals writes U, QR writes Q).
    const Matrix mSource = *lg_aToken_Stream[lg_uiNext_Token].mp_pmMatrix;
    lg_uiNext_Token += 2;
    if (nextToken() == eT_RPAREN) {   // V() is the size
        ++lg_uiNext_Token;
        reference.mp_mValues.resize(1, 2);
        reference.mp_mValues << Complex(static_cast<double>(mSource.rows())),
            Complex(static_cast<double>(mSource.cols()));
        return reference;
    }
    // A 1 x 1 matrix is both a row and a column vector; it is read as a row, so that a
    // single index gives columns: V([1, 1]) of a scalar V is a 1 x 2 row.
    const bool bRow = mSource.rows() == 1, bColumn = mSource.cols() == 1;
    Matrix mFirst = readIndex(bRow      ? mSource.cols()
                              : bColumn ? mSource.rows()
                                        : std::numeric_limits<Eigen::Index>::max());
    if (mFirst.rows() == 0) return reference;
    if (accept(eT_COMMA)) {
        for (Eigen::Index i = 0; i < mFirst.cols(); ++i)
            if (mFirst(0, i).real() > static_cast<double>(mSource.rows())) {
                raiseError(eE_INVALID_COORDINATES);
                return reference;
            }
        Matrix mSecond = readIndex(mSource.cols());
        if (mSecond.rows() == 0) return reference;
        reference.mp_mRows = std::move(mFirst);
        reference.mp_mColumns = std::move(mSecond);
    } else if (bRow) {
        reference.mp_mRows = Matrix::Ones(1, 1);
        reference.mp_mColumns = std::move(mFirst);
    } else if (bColumn) {
        reference.mp_mRows = std::move(mFirst);
        reference.mp_mColumns = Matrix::Ones(1, 1);
    } else {
        raiseError(eE_INVALID_COORDINATES);
        return reference;
    }
    const Eigen::Index iRows = reference.mp_mRows.cols(), iColumns = reference.mp_mColumns.cols();
    const bool bClosed = nextToken() == eT_RPAREN;
    // Indices repeat freely, so k x l may pass the entry limit: eE_MATRIX_SIZE.
    if (!bClosed || iRows * iColumns > gc_iMAX_ENTRIES) {
        reference.mp_mRows.resize(0, 0);
        reference.mp_mColumns.resize(0, 0);
        raiseError(bClosed ? eE_MATRIX_SIZE : eE_INVALID_COORDINATES);
        return reference;
    }
    ++lg_uiNext_Token;
    reference.mp_mValues.resize(iRows, iColumns);
    for (Eigen::Index a = 0; a < iRows; ++a)
        for (Eigen::Index b = 0; b < iColumns; ++b)
            reference.mp_mValues(a, b) =
                mSource(static_cast<Eigen::Index>(reference.mp_mRows(0, a).real()) - 1,
                        static_cast<Eigen::Index>(reference.mp_mColumns(0, b).real()) - 1);
    return reference;
}

// variable := matrixref | matrix
Matrix ClCalculator::variable() {
    Clmatrixref reference = matrixref();
    if (reference.mp_mValues.rows() > 0) return std::move(reference.mp_mValues);
    return matrix();
}

// matrix := V | Ans, the whole value (empty for a variable never assigned).
Matrix ClCalculator::matrix() {
    if (!isMatrixToken(nextToken())) return Matrix();
    return *lg_aToken_Stream[lg_uiNext_Token++].mp_pmMatrix;
}

const Matrix* ClCalculator::wholeMatrix() {
    if (!isMatrixToken(nextToken()) || tokenAt(lg_uiNext_Token + 1) == eT_LPAREN) return nullptr;
    return lg_aToken_Stream[lg_uiNext_Token++].mp_pmMatrix;
}

// scalar := real literal | imaginary literal
Matrix ClCalculator::scalar() {
    const ClToken& token = lg_aToken_Stream[lg_uiNext_Token];
    if (token.mp_eToken != eT_REAL_NUMBER && token.mp_eToken != eT_IMAG_NUMBER) return Matrix();
    ++lg_uiNext_Token;
    Matrix mValue(1, 1);
    mValue(0, 0) = token.mp_eToken == eT_REAL_NUMBER ? Complex(token.mp_dValue, 0.0)
                                                      : Complex(0.0, token.mp_dValue);
    return mValue;
}

// primary := argument-list function | (Id | Ones | El_Op) rowlist | scalar | variable
//          | "(" expression ")" | mvlist
// Any other token gives the empty matrix without an error: the caller decides.
Matrix ClCalculator::primary() {
    Matrix mValue = exceptionalUnary();
    if (mValue.rows() > 0) return mValue;
    const eTOKEN eToken = nextToken();
    if (eToken == eT_ID || eToken == eT_ONES || eToken == eT_EL_OP) {
        ++lg_uiNext_Token;
        Matrix mList = rowlist();
        if (!lg_bIs_Arg_List) return raiseError(eE_BAD_PARAMETER_LIST);
        if (lg_bIs_Arg_List_1 && mList.rows() > 0 && !(mList.rows() == 1 && mList.cols() == 2)) {
            Matrix mSize(1, 2);
            if (mList.size() == 1)
                mSize << mList(0, 0), mList(0, 0);
            else
                mSize << Complex(static_cast<double>(mList.rows())), Complex(static_cast<double>(mList.cols()));
            mList = std::move(mSize);
        }
        return constructMatrix(eToken, mList);
    }
    if (eToken == eT_LBRACKET) return mvlist();
    mValue = scalar();
    if (mValue.rows() > 0) return mValue;
    mValue = variable();
    if (mValue.rows() > 0) return mValue;
    if (eToken != eT_LPAREN) return Matrix();
    ++lg_uiNext_Token;
    mValue = expression();
    if (mValue.rows() == 0) return raiseError(eE_EXPRESSION);
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return mValue;
}
