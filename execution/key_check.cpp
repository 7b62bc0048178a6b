// SPDX-License-Identifier: GPL-3.0-or-later
// The key-press checks. They look only at the new token, the one before the cursor and a few
// flags; the lexer and the evaluator catch the rest when the line runs.
#include "key_check.h"

#include "execution_state.h"

namespace {

bool isSeparator(int t) { return t == eT_SEMICOLON || t == eT_COLON || t == eT_COMMA; }
bool isStarter(int t) { return t == eT_RPT || t == eT_PLOT; }   ///< may only begin a line

/// Values and the functions that make one on their own: no value may follow another.
bool isValueGroup(int t) {
    return isVariableToken(t) || t == eT_ANS || (t >= eT_ID && t <= eT_SVD) || t == eT_SQRT || t == eT_ROOTS;
}
bool isBinaryGroup(int t) { return (t >= eT_PLUS && t <= eT_ETIMES) || t == eT_POWER || t == eT_TENSOR; }

/// Tokens that close a value: no value and no number may come next.
bool tokenEndsValue(int p) {
    return p == eT_ANS || p == eT_RBRACKET || p == eT_RPAREN || isNumberToken(p) || p == eT_I ||
           p == eT_PI || isVariableToken(p);
}

/// Tokens after which a binary operator has no left operand.
bool wantsOperand(int p) {
    return (p >= eT_ID && p <= eT_ASSIGN) || p == eT_SQRT || p == eT_TENSOR || (p >= eT_PLUS && p <= eT_POWER) ||
           isSeparator(p) || p == eT_LBRACKET || p == eT_LPAREN;
}

eTOKEN tokenBeforeCursor() { return tokenOfCode(g_Current_State.mp_acInput[g_Current_State.mp_uiCursor - 1]); }

}  // namespace

bool tokenErrorCheck(eTOKEN t) {
    if (!g_bError_Check) return true;
    if (lg_eActive_Input != eAI_CALCULATOR && isStarter(t)) return false;
    if (g_Current_State.mp_uiCursor == 0) {
        const bool bRefused = t == eT_ASSIGN || t == eT_RBRACKET || t == eT_RPAREN || isSeparator(t) ||
                              isBinaryGroup(t) || t == eT_SOLVE || t == eT_NEXT;
        if (bRefused) return false;
        lg_bAssignTrue = false;
        return true;
    }
    const eTOKEN p = tokenBeforeCursor();
    if (isStarter(t)) return false;
    if (isValueGroup(t) && tokenEndsValue(p)) return false;
    if ((isNumberToken(p) || p == eT_I) &&
        (t == eT_LBRACKET || t == eT_LPAREN || (t >= eT_DIAG && t <= eT_ANS)))
        return false;
    if (isBinaryGroup(t) && wantsOperand(p)) return false;
    if (isSeparator(t) && isSeparator(p)) return false;
    if (p == eT_POINT) return (t >= eT_MINUS && t <= eT_EXPONENT) || t == eT_TENSOR;
    if (t == eT_ASSIGN) {
        if (lg_eActive_Input != eAI_CALCULATOR || lg_bAssignTrue) return false;
        if (p != eT_I && p != eT_PI && !isVariableToken(p) && p != eT_RPAREN) return false;
        lg_bAssignTrue = true;
        return true;
    }
    if (p == eT_ASSIGN && (t == eT_RPAREN || isSeparator(t) || t == eT_RBRACKET)) return false;
    return !(t == p && (t == eT_I || t == eT_PI));
}

bool digitErrorCheck(eTOKEN) {
    const eTOKEN p = tokenBeforeCursor();
    return !(p == eT_I || p == eT_PI || isVariableToken(p) || p == eT_RBRACKET || p == eT_RPAREN);
}
