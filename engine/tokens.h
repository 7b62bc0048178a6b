// SPDX-License-Identifier: GPL-3.0-or-later
// The token vocabulary: token values, display texts and the code/token dictionaries.
#pragma once

#include <cstdint>

/// Every button and mapped key stands for one token; a stored line holds one code per token.
/// The values are fixed: the placement checks rely on the contiguous ranges (2 to 15 values,
/// 16 to 57 prefix functions, 58 the assignment sign).
enum eTOKEN : std::int32_t {
    eT_NULL, eT_BLANK, eT_REAL_NUMBER, eT_IMAG_NUMBER, eT_I, eT_PI,
    eT_A, eT_U, eT_B, eT_V, eT_C, eT_u, eT_P, eT_v, eT_Q, eT_w,
    eT_DIAG, eT_SUM, eT_MAX, eT_MIN, eT_ID, eT_ONES, eT_NORM, eT_OPNM,
    eT_INV, eT_CHARP, eT_DET, eT_EVALS, eT_TRAN, eT_CONJ, eT_RNDU, eT_RNDN,
    eT_NCR, eT_MOD, eT_EXP, eT_CIS, eT_LN, eT_LOG, eT_COS, eT_ACOS,
    eT_SIN, eT_ASIN, eT_TAN, eT_ATAN, eT_COSH, eT_ACOSH, eT_SINH, eT_ASINH,
    eT_TANH, eT_ATANH, eT_REAL_PART, eT_IMAG_PART, eT_ROUND, eT_TRUNC, eT_SCHUR, eT_SVD,
    eT_RREF, eT_EL_OP, eT_ASSIGN, eT_ANS, eT_RBRACKET, eT_NEXT, eT_RPAREN, eT_SEMICOLON,
    eT_COLON, eT_COMMA, eT_LBRACKET, eT_PREV, eT_LPAREN, eT_MINUS, eT_PLUS, eT_LDIV,
    eT_ELDIV, eT_RDIV, eT_ERDIV, eT_TIMES, eT_ETIMES, eT_SOLVE, eT_ROOTS, eT_POWER,
    eT_QR, eT_DIGIT_0, eT_DIGIT_1, eT_DIGIT_2, eT_DIGIT_3, eT_DIGIT_4, eT_DIGIT_5, eT_DIGIT_6,
    eT_DIGIT_7, eT_DIGIT_8, eT_DIGIT_9, eT_POINT, eT_EXPONENT, eT_RPT, eT_MOVE_RIGHT, eT_PLOT,
    eT_MOVE_LEFT, eT_SQRT, eT_BKSP, eT_TENSOR, eT_CLEAR, eT_ALTERNATE, eT_ENTER
};

constexpr int gc_iTOKEN_COUNT = 103;   ///< tokens 0 to 102
constexpr int gc_iCODE_COUNT = 128;    ///< character codes with a dictionary entry
constexpr int gc_iVARIABLE_COUNT = 10;
constexpr int gc_iALT_COUNT = 36;

extern const char* const gc_aacTOKEN_NAME[gc_iTOKEN_COUNT];   ///< display text of each token
extern eTOKEN g_aeDictionary[gc_iCODE_COUNT];                  ///< code -> token, filled by registration
extern unsigned short g_eiDictionary[gc_iTOKEN_COUNT];         ///< token -> code, derived from the above
extern const eTOKEN eToken_Matrix[gc_iVARIABLE_COUNT];         ///< the variables in menu order
extern const eTOKEN lg_eALTS[gc_iALT_COUNT];                   ///< tokens whose button t + 1 shares its place

/// Token of a stored code; codes without a dictionary entry (128 to 255) read as eT_NULL.
inline eTOKEN tokenOfCode(unsigned char ucCode) {
    return ucCode < gc_iCODE_COUNT ? g_aeDictionary[ucCode] : eT_NULL;
}

inline bool isVariableToken(int iToken) { return iToken >= eT_A && iToken <= eT_w; }
/// The characters of a number: the digits, the point and E.
inline bool isNumberToken(int iToken) { return iToken >= eT_DIGIT_0 && iToken <= eT_EXPONENT; }
/// The functions and commands whose arguments follow in parentheses: each takes an automatic "("
/// when typed with Auto Parentheses on, and stands where a prefix may.
inline bool takesParenthesis(eTOKEN eToken) {
    return (eToken >= eT_DIAG && eToken <= eT_EL_OP) || eToken == eT_ROOTS || eToken == eT_QR || eToken == eT_RPT ||
           eToken == eT_PLOT || eToken == eT_SQRT;
}
