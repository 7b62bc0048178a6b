// SPDX-License-Identifier: GPL-3.0-or-later
// ClCalculator: the expression engine. One object, all data static; its members are split
// over the engine's files by responsibility (lexer, grammar, lists, operators, functions,
// decompositions, argument-list functions, formatting).
#pragma once

#include <complex>

#include <Eigen/Dense>

#include "messages.h"
#include "state.h"
#include "tokens.h"

using Matrix = Eigen::MatrixXcd;
using Complex = std::complex<double>;

constexpr Eigen::Index gc_iMAX_ENTRIES = 262144;   ///< no value may have more entries (512 x 512)
constexpr Eigen::Index gc_iMAX_SQUARE_SIDE = 512;  ///< side of the largest square value within the limit

/// The result of reading an entry reference V(rows, columns).
struct Clmatrixref {
    Matrix mp_mRows;      ///< 1 x k row indices, 1-based
    Matrix mp_mColumns;   ///< 1 x l column indices, 1-based
    Matrix mp_mValues;    ///< k x l referenced entries
};

class ClCalculator {
public:
    ClCalculator();    ///< derives g_eiDictionary from g_aeDictionary
    ~ClCalculator();   ///< releases the variables and result matrices

    static Matrix mp_mVariable[16];   ///< slots 6 to 15 the variables, 0 to 5 the plots
    static Matrix mp_mLast_Output;    ///< Ans
    static Matrix mp_mParser_Output;  ///< value of the last parse, until it moves into Ans
    static bool mp_bValue_In_Ans;     ///< the last parse's value is Ans
    static Matrix mp_mLinear;         ///< work row of the characteristic polynomial
    static const ClState mp_NULL_STATE;
    static const ClToken mp_NULL_TOKEN;

    // Placement checks: may a new token follow the stream's last one (n tokens so far)?
    static bool valueCheck(unsigned short n);
    static bool unaryCheck(unsigned short n);
    static bool binaryCheck(unsigned short n);
    static bool closeCheck(unsigned short n);

    // Lexer.
    static bool tLexer();
    static bool charToDouble(const char* text, double& value);

    // Grammar and driver.
    /// Evaluates the token stream; a value that will not be shown (bShow false) is not formatted.
    static bool tParser(bool bShow = true);
    /// The value of the last parse, the shown one even when it is not finite.
    static const Matrix& lineValue();
    static Matrix statement();
    static Matrix assignment();
    static Matrix primary();
    static Matrix scalar();
    static Matrix variable();
    static Matrix matrix();
    /// V or Ans named whole (no "(" follows), consumed; null for anything else.
    static const Matrix* wholeMatrix();
    static Clmatrixref matrixref();
    static Matrix mvlist();
    static Matrix rowlist();
    static Matrix list();

    // Operator levels.
    static Matrix expression();
    /// The expression without its finite test: the driver makes that test on a line's value.
    static Matrix uncheckedExpression();
    static Matrix term();
    static Matrix binary();
    static Matrix polyMultiply(const Matrix& p, const Matrix& q);

    // Prefix functions.
    static Matrix unary();
    static Matrix exceptionalUnary();
    static Matrix operand();
    static Complex gamma(Complex z);
    static Matrix charPoly(const Matrix& m);
    static Matrix elementFunction(eTOKEN eFunction, const Matrix& m);   ///< one chain step, element-wise
    static bool cleansFirst(eTOKEN eFunction);   ///< whether the step's operand is cleaned of negligible parts first
    static Matrix matrixFunction(eTOKEN eFunction, const Matrix& m);    ///< one chain step on the whole matrix
    static bool isMatrixFunction(eTOKEN eToken);
    /// The partial-pivoting inverse of a square matrix; eE_SINGULAR_MATRIX when it is not finite.
    static Matrix invert(const Matrix& m);

    // Argument-list functions, each at its token; they read their own "(" ... ")".
    static Matrix nCrFunction();
    static Matrix modFunction();
    static Matrix diagFunction();
    static Matrix normFunction(bool bOperator);
    static Matrix qrFunction();
    static Matrix rptFunction();
    static Matrix plotFunction();
    /// Id, Ones or El_Op from their argument row (already a size row for a single argument).
    static Matrix constructMatrix(eTOKEN eConstructor, const Matrix& mArguments);

    // Clean-up and formatting.
    /// Clears parts negligible beside the whole; a part that is not finite stays as it is.
    static void cleanMatrix(Matrix& m);
    /// Whether every entry is finite; only then is m cleaned.
    static bool cleanNumbers(Matrix& m);
    static void formatNumber(double v, char* dst);
    static void matrixDisplay(const Matrix& m);

    /// Stores the error while none is stored (the first error of a line wins) and returns the
    /// empty matrix, the failure marker every rule passes up.
    static Matrix raiseError(eERROR eError);
    /// Charges a heavy operation to the line's work budget before it runs (dWork in multiples
    /// of n^3 for an n x n operand; an inverse costs 1) and lets the window hear Escape. False,
    /// with eE_OPERATOR_CALCULATION (the budget is spent) or eE_RPT_LIMIT_EXCEEDED (stopped)
    /// raised, when it must not run.
    static bool spendWork(double dWork);
};

/// Derives g_eiDictionary from g_aeDictionary, as the constructor does.
void deriveCodeDictionary();

/// The work of i x j x k multiply-adds, the unit the line's work budget counts in.
inline double cubeWork(Eigen::Index i, Eigen::Index j, Eigen::Index k) {
    return static_cast<double>(i) * static_cast<double>(j) * static_cast<double>(k);
}

/// What the process must settle before its first line: the C locale, a heap that keeps freed
/// matrices, one BLAS thread. Every program's main calls it first.
void configureProcess();

// Helpers shared by the engine and its callers.
bool ismyfinite(double x);
bool isNumber(const Matrix& m);
/// The clean-up's threshold for m: a scalar's is relative to its modulus, a matrix's to its norm
/// (of the finite entries) and size. pbNumber, when given, learns from the same look whether
/// every entry is finite.
double cleanTolerance(const Matrix& m, bool* pbNumber = nullptr);
/// Whether the clean-up at this threshold would change m: a part at most it, a -0 too.
bool hasPartToClear(const Matrix& m, double dTolerance);
/// Clears the parts of m at most dTolerance, a -0 too (it decides the side of a branch cut: Ln
/// of -1 - 0i is -pi i, of -1 + 0i is pi i); an entry with a part that is not finite stays.
void clearSmallParts(Matrix& m, double dTolerance);
void clearChars(char* s, char c);
