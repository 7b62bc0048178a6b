// SPDX-License-Identifier: GPL-3.0-or-later
// ClCalculator construction, destruction, the placement checks and the error helper.
#include "calculator.h"

#include "engine_state.h"

void deriveCodeDictionary() {
    // Where several codes map to one token the highest code wins (eT_NULL owns 127).
    for (unsigned short& uiCode : g_eiDictionary) uiCode = 0;
    for (unsigned short uiCode = 0; uiCode < gc_iCODE_COUNT; ++uiCode)
        g_eiDictionary[g_aeDictionary[uiCode]] = uiCode;
}

ClCalculator::ClCalculator() { deriveCodeDictionary(); }

ClCalculator::~ClCalculator() {
    for (Matrix& mVariable : mp_mVariable) mVariable.resize(0, 0);
    mp_mParser_Output.resize(0, 0);
    mp_mLast_Output.resize(0, 0);
    mp_mLinear.resize(0, 0);
}

Matrix ClCalculator::raiseError(eERROR eError) {
    if (g_uiError_Number == eE_NONE) g_uiError_Number = eError;
    return Matrix();
}

namespace {
// A value or closer: literals, i, pi, the variables, "]" and ")". Nothing may follow it
// without an operator, since there is no implicit multiplication.
bool streamEndsValue(unsigned short n) {
    const eTOKEN ePrevious = lg_aToken_Stream[n - 1].mp_eToken;
    return (ePrevious >= eT_REAL_NUMBER && ePrevious <= eT_w) || ePrevious == eT_RBRACKET ||
           ePrevious == eT_RPAREN;
}

bool isPrefixOrAssign(eTOKEN eToken) { return eToken >= eT_DIAG && eToken <= eT_ASSIGN; }
}  // namespace

// The placement checks overwrite any error already set.
bool ClCalculator::valueCheck(unsigned short n) {
    if (n == 0 || !streamEndsValue(n)) return true;
    g_uiError_Number = eE_MISPLACED_VALUE;
    return false;
}

bool ClCalculator::unaryCheck(unsigned short n) {
    if (n == 0 || !streamEndsValue(n)) return true;
    g_uiError_Number = eE_MISPLACED_OPERATOR;
    return false;
}

bool ClCalculator::binaryCheck(unsigned short n) {
    if (n != 0) {
        const eTOKEN ePrevious = lg_aToken_Stream[n - 1].mp_eToken;
        if (!isPrefixOrAssign(ePrevious) && ePrevious < eT_LPAREN) return true;
    }
    g_uiError_Number = eE_MISPLACED_BINARY_OPERATOR;
    return false;
}

bool ClCalculator::closeCheck(unsigned short n) {
    if (n == 0) {
        g_uiError_Number = eE_MISSING_RIGHT_PARENTHESIS;
        return false;
    }
    if (!isPrefixOrAssign(lg_aToken_Stream[n - 1].mp_eToken)) return true;
    g_uiError_Number = eE_MISPLACED_RIGHT_PARENTHESIS;
    return false;
}
