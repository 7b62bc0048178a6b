// SPDX-License-Identifier: GPL-3.0-or-later
// The operator levels: additive, multiplicative (products, divisions, tensor product) and the
// Solve / power level, and the polynomial product.
#include <algorithm>
#include <cmath>
#include <utility>

#include "parse_cursor.h"
#include "linalg.h"

namespace {

constexpr Eigen::Index gc_iPOLY_MAX = 0x3ffff;  ///< polynomial product: n + m at most this

bool sameShape(const Matrix& a, const Matrix& b) { return a.rows() == b.rows() && a.cols() == b.cols(); }

Matrix raiseError(eERROR eError) { return ClCalculator::raiseError(eError); }

/// The product of two matrices whose sizes fit, charged to the line's work.
Matrix product(const Matrix& a, const Matrix& b) {
    if (!ClCalculator::spendWork(cubeWork(a.rows(), a.cols(), b.cols()))) return Matrix();
    return linalg::product(a, b);
}

/// Every entry of m divided by the scalar s (complex division).
Matrix divideBy(const Matrix& m, Complex s) {
    return m.unaryExpr([s](const Complex& z) { return z / s; });
}

/// The inverse of a square divisor, charged to the line's work.
Matrix invertDivisor(const Matrix& m) {
    if (!ClCalculator::spendWork(cubeWork(m.rows(), m.rows(), m.rows()))) return Matrix();
    return ClCalculator::invert(m);
}

// --- The additive level --------------------------------------------------------------------

/// A + B or A - B; a 1 x 1 operand is expanded to the other's shape (the left one first).
Matrix addTerms(eTOKEN eOperator, Matrix mLeft, Matrix mRight) {
    if (mRight.rows() == 0) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    if (isScalar(mLeft))
        mLeft = Matrix::Constant(mRight.rows(), mRight.cols(), mLeft(0, 0));
    else if (isScalar(mRight))
        mRight = Matrix::Constant(mLeft.rows(), mLeft.cols(), mRight(0, 0));
    if (!sameShape(mLeft, mRight)) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    if (eOperator == eT_PLUS) return mLeft + mRight;
    return mLeft - mRight;
}

// --- The multiplicative level ----------------------------------------------------------------

/// A * B; a product past the entry limit (a long column times a long row) is eE_MATRIX_SIZE.
Matrix multiply(const Matrix& a, const Matrix& b) {
    if (b.rows() == 0) return raiseError(eE_EXPRESSION);
    if (isScalar(a)) return b * a(0, 0);
    if (isScalar(b)) return a * b(0, 0);
    if (b.rows() != a.cols()) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    if (a.rows() * b.cols() > gc_iMAX_ENTRIES) return raiseError(eE_MATRIX_SIZE);
    return product(a, b);
}

/// A / B = A times the inverse of B; a scalar over a matrix is not defined.
Matrix divideRight(const Matrix& a, const Matrix& b) {
    if (b.rows() == 0) return raiseError(eE_EXPRESSION);
    if (b.rows() != b.cols()) return raiseError(eE_NON_SQUARE_MATRIX);
    if (isScalar(b)) return divideBy(a, b(0, 0));
    if (b.rows() != a.cols()) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    const Matrix mInverse = invertDivisor(b);
    if (mInverse.rows() == 0) return mInverse;
    return product(a, mInverse);
}

/// A \ B = the inverse of A times B. A was checked square before B was read.
Matrix divideLeft(const Matrix& a, const Matrix& b) {
    if (isScalar(a)) return divideBy(b, a(0, 0));
    if (a.rows() != b.rows()) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    const Matrix mInverse = invertDivisor(a);
    if (mInverse.rows() == 0) return mInverse;
    return product(mInverse, b);
}

/// The three element-wise operators: same shapes only, no scalar expansion.
Matrix elementWise(eTOKEN eOperator, const Matrix& a, const Matrix& b) {
    if (!sameShape(a, b)) return raiseError(eE_MATRIX_SIZE_MISMATCH);
    switch (eOperator) {
        case eT_ETIMES: return a.binaryExpr(b, [](const Complex& x, const Complex& y) { return x * y; });
        case eT_ERDIV: return a.binaryExpr(b, [](const Complex& x, const Complex& y) { return x / y; });
        default: return a.binaryExpr(b, [](const Complex& x, const Complex& y) { return y / x; });
    }
}

/// The Kronecker product: block (i, j) of the result is A(i, j) times B.
Matrix tensor(const Matrix& a, const Matrix& b) {
    if (b.rows() == 0) return raiseError(eE_EXPRESSION);
    // Each size is at least 1, so neither alone may pass the limit; the product cannot overflow.
    if (a.size() > gc_iMAX_ENTRIES || b.size() > gc_iMAX_ENTRIES || a.size() * b.size() > gc_iMAX_ENTRIES)
        return raiseError(eE_EXPRESSION);
    Matrix mResult = Matrix::Zero(a.rows() * b.rows(), a.cols() * b.cols());
    // Note: B times the entry gives the same products as the entry times B, but keeps the entry
    // in a register; the other order reloaded it for every product, six times slower.
    for (Eigen::Index j = 0; j < a.cols(); ++j)
        for (Eigen::Index i = 0; i < a.rows(); ++i)
            mResult.block(i * b.rows(), j * b.cols(), b.rows(), b.cols()) = b * a(i, j);
    return mResult;
}

bool isTermOperator(eTOKEN eToken) {
    switch (eToken) {
        case eT_TIMES: case eT_RDIV: case eT_LDIV: case eT_ETIMES: case eT_ERDIV: case eT_ELDIV: case eT_TENSOR:
            return true;
        default:
            return false;
    }
}

Matrix applyTermOperator(eTOKEN eOperator, const Matrix& a, const Matrix& b) {
    switch (eOperator) {
        case eT_TIMES: return multiply(a, b);
        case eT_RDIV: return divideRight(a, b);
        case eT_LDIV: return divideLeft(a, b);
        case eT_TENSOR: return tensor(a, b);
        default: return elementWise(eOperator, a, b);
    }
}

// --- The Solve and power level ---------------------------------------------------------------

/// The minimum-norm least-squares solution X of A X = B, from the singular values of A.
// Note: singular values at most 1e-16 |A|_F max(m, n) count as zero, so a rank-deficient A
// gives the minimum-norm solution instead of huge entries.
Matrix solve(const Matrix& a, const Matrix& b) {
    if (b.rows() == 0 || b.rows() != a.rows()) return raiseError(eE_EXPRESSION);
    if (a.cols() * b.cols() > gc_iMAX_ENTRIES) return raiseError(eE_MATRIX_SIZE);   // X is A's columns x B's columns
    // Note: the singular values cost about four inverses of A, applying them one product.
    const double dWork = 4 * cubeWork(a.rows(), a.cols(), std::min(a.rows(), a.cols())) + cubeWork(a.rows(), a.cols(), b.cols());
    if (!ClCalculator::spendWork(dWork)) return Matrix();
    return linalg::leastSquares(a, b);   // not-a-number for a non-finite A, eE_INVALID_NUMBERS at the additive level
}

/// One entry of an element-wise power: an exponent of exactly 2 + 0i squares exactly, and one
/// of exactly 0 gives 1 (as the real power does; the complex one would make 0 ^ 0 not a number).
Complex raiseEntry(const Complex& z, const Complex& w) {
    if (w == Complex(2.0, 0.0)) return z * z;
    if (w == Complex(0.0, 0.0)) return 1.0;
    return std::pow(z, w);   // the principal power exp(w log z) of the platform's cpow
}

/// A ^ W entry by entry, with a scalar W applied to every entry. Both are cleaned first,
/// whatever the Zero Out setting.
Matrix power(Matrix mBase, Matrix mExponent) {
    ClCalculator::cleanMatrix(mBase);
    ClCalculator::cleanMatrix(mExponent);
    if (isScalar(mExponent)) {
        const Complex w = mExponent(0, 0);
        return mBase.unaryExpr([w](const Complex& z) { return raiseEntry(z, w); });
    }
    if (!sameShape(mBase, mExponent)) return raiseError(eE_EXPRESSION);   // a 1 x 1 base is not expanded
    return mBase.binaryExpr(mExponent, [](const Complex& z, const Complex& w) { return raiseEntry(z, w); });
}

}  // namespace

// expression := term { (" + " | " - ") term }
// Returns the empty matrix on failure; the first error of the line is already stored. A
// non-finite value is the exception: eE_INVALID_NUMBERS is stored and the value kept for the driver.
Matrix ClCalculator::expression() {
    Matrix mResult = uncheckedExpression();
    if (!isNumber(mResult)) raiseError(eE_INVALID_NUMBERS);
    return mResult;
}

Matrix ClCalculator::uncheckedExpression() {
    Matrix mResult = term();
    if (mResult.size() > gc_iMAX_ENTRIES) return raiseError(eE_MATRIX_SIZE);
    while (mResult.rows() > 0 && (nextToken() == eT_PLUS || nextToken() == eT_MINUS)) {
        const eTOKEN eOperator = nextToken();
        ++lg_uiNext_Token;
        Matrix mRight = term();
        mResult = addTerms(eOperator, std::move(mResult), std::move(mRight));
        if (mResult.rows() == 0) return mResult;
    }
    return mResult;
}

// term := binary { (" * " | " / " | " \ " | " .* " | " ./ " | " .\ " | " X ") binary }
// Returns the empty matrix on failure; the first error of the line is already stored.
Matrix ClCalculator::term() {
    Matrix mResult = binary();
    while (mResult.rows() > 0 && isTermOperator(nextToken())) {
        const eTOKEN eOperator = nextToken();
        ++lg_uiNext_Token;
        // The divisor of " \ " is checked before its right operand is read (an empty left
        // operand never gets here: it ends the level).
        if (eOperator == eT_LDIV && mResult.rows() != mResult.cols()) return raiseError(eE_NON_SQUARE_MATRIX);
        const Matrix mRight = binary();
        mResult = applyTermOperator(eOperator, mResult, mRight);
    }
    return mResult;
}

// binary := unary { " Solve " binary | " ^ " operand }
// Solve groups to the right (its right operand is a whole binary level), powers to the left
// (their exponent is one operand). Returns the empty matrix on failure.
Matrix ClCalculator::binary() {
    Matrix mResult = unary();
    while (mResult.rows() > 0) {
        if (accept(eT_SOLVE)) {
            const Matrix mRight = binary();
            mResult = solve(mResult, mRight);
        } else if (accept(eT_POWER)) {
            Matrix mExponent = operand();
            mResult = power(std::move(mResult), std::move(mExponent));
        } else {
            break;
        }
    }
    return mResult;
}

// The product of two polynomials given as rows of coefficients, highest degree first: their
// discrete convolution. Not a row, too long, or without coefficients: the empty matrix.
Matrix ClCalculator::polyMultiply(const Matrix& p, const Matrix& q) {
    if (p.rows() != 1 || q.rows() != 1) return Matrix();
    const Eigen::Index n = p.cols(), m = q.cols();
    if (n + m > gc_iPOLY_MAX || n == 0 || m == 0) return Matrix();
    Matrix mProduct = Matrix::Zero(1, n + m - 1);
    for (Eigen::Index i = 0; i < m; ++i)
        for (Eigen::Index j = 0; j < n; ++j) mProduct(0, i + j) += q(0, i) * p(0, j);
    return mProduct;
}
