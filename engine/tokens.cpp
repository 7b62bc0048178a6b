// SPDX-License-Identifier: GPL-3.0-or-later
// Display texts of the tokens, the dictionaries and the fixed token tables.
#include "tokens.h"

// The spaces are how a rendered line gets its spacing.
const char* const gc_aacTOKEN_NAME[gc_iTOKEN_COUNT] = {
    "Null", "Blank", "Real", "Im", "i", "Pi",
    "A", "U", "B", "V", "C", "u", "P", "v", "Q", "w",
    "Diag", "Sum ", "Max ", "Min ", "Id", "Ones", "Norm", "OpNm",
    "Inv ", "CharP ", "Det ", "Evals ", "Tran ", "Conj ", "RndU ", "RndN ",
    "nCr", "Mod", "Exp ", "Cis ", "Ln ", "Log ", "Cos ", "aCos ",
    "Sin ", "aSin ", "Tan ", "aTan ", "Cosh ", "aCosh ", "Sinh ", "aSinh ",
    "Tanh ", "aTanh ", "Real ", "Imag ", "Round ", "Trunc ", "Schur ", "SVD ",
    "RREF ", "El_Op", " = ", "Ans", "]", "->", ")", "; ",
    ": ", ", ", "[", "<-", "(", " - ", " + ", " \\ ",
    " .\\ ", " / ", " ./ ", " * ", " .* ", " Solve ", "Roots ", " ^ ",
    "QR ", "0", "1", "2", "3", "4", "5", "6",
    "7", "8", "9", ".", "E", "Rpt", "Right", "Plot",
    "Left", "Sqrt ", "BkSp", " X ", "Clear", " X ", "Alt",
};

eTOKEN g_aeDictionary[gc_iCODE_COUNT] = {};
unsigned short g_eiDictionary[gc_iTOKEN_COUNT] = {};

const eTOKEN eToken_Matrix[gc_iVARIABLE_COUNT] = {eT_A, eT_B, eT_C, eT_P, eT_Q,
                                                  eT_U, eT_V, eT_u, eT_v, eT_w};

const eTOKEN lg_eALTS[gc_iALT_COUNT] = {
    eT_PLOT, eT_RPT, eT_LBRACKET, eT_RBRACKET, eT_POWER, eT_EXP, eT_LN, eT_COS, eT_SIN,
    eT_TAN, eT_REAL_PART, eT_TRAN, eT_COSH, eT_SINH, eT_TANH, eT_I, eT_NCR, eT_MAX,
    eT_ROUND, eT_RNDU, eT_DET, eT_INV, eT_DIAG, eT_NORM, eT_SQRT, eT_ASSIGN,
    eT_RREF, eT_SOLVE, eT_ID, eT_SCHUR, eT_A, eT_B, eT_C, eT_P, eT_Q, eT_TENSOR,
};
