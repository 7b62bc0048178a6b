// SPDX-License-Identifier: GPL-3.0-or-later
// The unary entry: argument-list functions and chains of prefix functions on one operand.
#include "parse_cursor.h"

namespace {

/// Prefix tokens collected into a chain: negation, Sqrt, Roots, and 16 to 56 except the
/// argument-list functions, which read their own arguments.
bool isChainToken(eTOKEN eToken) {
    switch (eToken) {
        case eT_MINUS: case eT_SQRT: case eT_ROOTS:
            return true;
        case eT_DIAG: case eT_ID: case eT_ONES: case eT_NORM: case eT_OPNM: case eT_NCR: case eT_MOD:
            return false;
        default:
            return eToken >= eT_DIAG && eToken <= eT_RREF;
    }
}

}  // namespace

// unary := exceptionalUnary | operand
Matrix ClCalculator::unary() {
    Matrix mValue = exceptionalUnary();
    if (mValue.rows() > 0) return mValue;
    return operand();
}

// exceptionalUnary := Diag | Norm | OpNm | QR | Rpt | Plot | nCr | Mod, each with its list.
// Any other token: nothing consumed, the empty matrix.
Matrix ClCalculator::exceptionalUnary() {
    switch (nextToken()) {
        case eT_DIAG: return diagFunction();
        case eT_NORM: return normFunction(false);
        case eT_OPNM: return normFunction(true);
        case eT_QR: return qrFunction();
        case eT_RPT: return rptFunction();
        case eT_PLOT: return plotFunction();
        case eT_NCR: return nCrFunction();
        case eT_MOD: return modFunction();
        default: return Matrix();
    }
}

// operand := {prefix} primary
// The chain applies from the operand outwards (Sin Ln A is Sin of Ln of A). A non-finite
// operand is eE_INVALID_NUMBERS and comes back unchanged; an empty one is eE_EMPTY_MATRIX.
Matrix ClCalculator::operand() {
    const unsigned short uiStart = lg_uiNext_Token;
    unsigned short uiEnd = uiStart;
    while (isChainToken(lg_aToken_Stream[uiEnd].mp_eToken)) ++uiEnd;
    lg_uiNext_Token = uiEnd;
    const eTOKEN eFirst = uiEnd > uiStart ? lg_aToken_Stream[uiEnd - 1].mp_eToken : eT_NULL;
    const bool bFirst_Cleans = eFirst != eT_NULL && cleansFirst(eFirst);
    // A variable named whole is read where it is kept when a function is applied to it: the
    // function's result is the only copy. (Evals, Schur and Svd write U and V only after they
    // have read their operand.)
    const Matrix* pmOperand = eFirst != eT_NULL ? wholeMatrix() : nullptr;
    Matrix mValue;
    if (pmOperand == nullptr) {
        mValue = primary();
        pmOperand = &mValue;
    }
    // A function that cleans its operand first looks at every entry for its threshold: the same
    // look serves as the finite test.
    bool bNumber = false;
    const double dTolerance = bFirst_Cleans ? cleanTolerance(*pmOperand, &bNumber) : 0.0;
    if (!bNumber && !isNumber(*pmOperand)) {
        raiseError(eE_INVALID_NUMBERS);
        return *pmOperand;
    }
    if (pmOperand->rows() == 0) return raiseError(eE_EMPTY_MATRIX);
    if (bFirst_Cleans && hasPartToClear(*pmOperand, dTolerance)) {
        if (pmOperand != &mValue) mValue = *pmOperand;   // the variable keeps its value
        pmOperand = &mValue;
        clearSmallParts(mValue, dTolerance);
    }
    for (unsigned short ui = uiEnd; ui > uiStart; --ui) {
        const Matrix& mStep = ui == uiEnd ? *pmOperand : mValue;
        if (mStep.size() > gc_iMAX_ENTRIES) return raiseError(eE_MATRIX_SIZE);
        const eTOKEN eFunction = lg_aToken_Stream[ui - 1].mp_eToken;
        if (isMatrixFunction(eFunction)) {
            mValue = matrixFunction(eFunction, mStep);
        } else {
            if (ui < uiEnd && cleansFirst(eFunction)) cleanMatrix(mValue);
            mValue = elementFunction(eFunction, mStep);
        }
        if (mValue.rows() == 0) return mValue;
    }
    return mValue;
}
