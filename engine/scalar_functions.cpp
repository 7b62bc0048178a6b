// SPDX-License-Identifier: GPL-3.0-or-later
// The scalar argument-list functions nCr (factorial and binomial coefficient) and Mod, and the
// complex gamma function behind the factorial.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "parse_cursor.h"

namespace {

constexpr double gc_dPI = 3.141592653589793;
constexpr double gc_dSQRT_TWO_PI = 2.5066282746310002;
constexpr double gc_dGAMMA_SNAP = 1e-7;   ///< a smaller imaginary part of gamma becomes exactly 0
constexpr double gc_dTWO_POW_64 = 18446744073709551616.0;
constexpr double gc_dMOD_MAX = 9007199254740992.0;   ///< 2^53: every integer up to it is a double

/// Lanczos coefficients for g = 7.
constexpr double gc_adLANCZOS[9] = {
    0.9999999999998099,     676.5203681218851,   -1259.1392167224028,
    771.3234287776531,      -176.6150291621406,  12.507343278686905,
    -0.13857109526572012,   9.984369578019572e-06, 1.5056327351493116e-07,
};

bool isFinite(const Complex& z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

/// The gamma function's last step: a negligible imaginary part becomes exactly 0.
Complex snapImaginary(const Complex& z) {
    return std::fabs(z.imag()) < gc_dGAMMA_SNAP ? Complex(z.real(), 0.0) : z;
}

/// C(n, r) for integers 1 <= r <= n, as c = c (n + 1 - k) / k for k = 1, 2, ...
// Note: C(n, r) = C(n, n - r), and the shorter product is formed. Each step forms the product
// first and divides it exactly, in 128 bits so that no product wraps: the coefficient is
// exact whenever it fits in 64 bits. From the first one that does not, the steps go on in
// floating point (double precision instead of a wrapped value), and a coefficient beyond the
// double range comes out infinite. Either way there are at most about 1100 steps.
double binomial(double n, double r) {
    const double dSteps = std::min(r, n - r);
    double k = 1.0;
    double dValue = 1.0;
    if (n < gc_dTWO_POW_64) {
        const std::uint64_t uiN = static_cast<std::uint64_t>(n);
        unsigned __int128 uiValue = 1;
        for (; k <= dSteps && uiValue <= UINT64_MAX; k += 1.0) {
            const std::uint64_t uiK = static_cast<std::uint64_t>(k);
            uiValue = uiValue * (uiN + 1 - uiK) / uiK;
        }
        dValue = static_cast<double>(uiValue);
    }
    for (; k <= dSteps && std::isfinite(dValue); k += 1.0) dValue *= (n + 1.0 - k) / k;
    return dValue;
}

/// A real integer in the sense of Mod. Note: the same answer as x = ceil(x - 0.5) wherever
/// that test is exact (|x| below 2^52); beyond, that test would refuse odd integers.
bool isWholeNumber(double x) { return x == std::floor(x); }

/// x mod n in 0 to n - 1: the remainder toward zero, plus n when it is negative.
// Note: fmod is exact for every pair of doubles, and with n at most 2^53 so is the addition,
// so any integer entry, however large, gets its exact residue without a 32-bit conversion.
double residue(double x, double n) {
    double r = std::fmod(x, n);
    if (r < 0.0) r += n;
    return r + 0.0;   // no negative zero
}

}  // namespace

// nCr := "nCr" "(" X ")" | "nCr" "(" n ", " r ")"
// The factorial form applies gamma(z + 1) to every entry of X; the binomial form needs a
// positive real integer n (else 11) and an integer r in 1 to n (else 7).
Matrix ClCalculator::nCrFunction() {
    if (!openList()) return raiseError(eE_MISSING_PARENTHESES);
    const Matrix mFirst = expression();
    if (accept(eT_RPAREN)) {
        return mFirst.unaryExpr([](const Complex& z) { return gamma(Complex(z.real() + 1.0, z.imag())); });
    }
    if (!isScalar(mFirst) || nextToken() != eT_COMMA) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    const Complex zN = mFirst(0, 0);
    if (zN.imag() != 0.0 || zN.real() != std::ceil(zN.real()) || !(zN.real() >= 1.0))
        return raiseError(eE_SCALAR_OUT_OF_RANGE);
    ++lg_uiNext_Token;
    const Matrix mSecond = expression();
    if (mSecond.rows() == 0) return raiseError(eE_INCORRECT_SCALAR_EXPRESSION);
    const Complex zR = mSecond(0, 0);
    if (zR.imag() != 0.0 || zR.real() != std::ceil(zR.real()) || !(zR.real() >= 1.0 && zR.real() <= zN.real()))
        return raiseError(eE_INCORRECT_SCALAR_EXPRESSION);
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return Matrix::Constant(1, 1, Complex(binomial(zN.real(), zR.real()), 0.0));
}

// Mod := "Mod" "(" M ", " n ")"
// Every entry of M and n must be real integers, n positive (else 31); the result lies in
// 0 to n - 1, so Mod(-7, 3) is 2.
Matrix ClCalculator::modFunction() {
    if (!openList()) return raiseError(eE_MISSING_PARENTHESES);
    const Matrix mValues = expression();
    for (Eigen::Index i = 0; i < mValues.size(); ++i) {
        const Complex z = mValues.data()[i];
        if (z.imag() != 0.0 || !isWholeNumber(z.real())) return raiseError(eE_BAD_INTEGER_VALUES);
    }
    if (!accept(eT_COMMA)) return raiseError(eE_EXPRESSION);
    const Matrix mDivisor = expression();
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    // The divisor's imaginary part is not examined.
    if (!isScalar(mDivisor)) return raiseError(eE_BAD_INTEGER_VALUES);
    const double n = mDivisor(0, 0).real();
    if (!isWholeNumber(n) || !(n > 0.0) || n > gc_dMOD_MAX) return raiseError(eE_BAD_INTEGER_VALUES);
    return mValues.unaryExpr([n](const Complex& z) { return Complex(residue(z.real(), n), 0.0); });
}

// The complex gamma function: poles at 0, -1, -2, ...; reflection for real parts below 1/2;
// downward recurrence to a real part of at most 2; exact products for positive integers;
// otherwise the Lanczos sum for g = 7.
Complex ClCalculator::gamma(Complex z) {
    double x = z.real();
    const double y = z.imag();
    if (y == 0.0 && x == std::ceil(x) && x <= 0.0) return Complex(std::numeric_limits<double>::infinity(), 0.0);
    if (x < 0.5) return snapImaginary(gc_dPI / (std::sin(gc_dPI * z) * gamma(Complex(1.0, 0.0) - z)));
    const bool bInteger = y == 0.0 && x == std::ceil(x);
    Complex zProduct(1.0, 0.0);
    // A product that has become non-finite stays so; stopping there bounds the loop for huge x.
    while (x > 2.0 && isFinite(zProduct)) {
        x -= 1.0;
        zProduct = Complex(x, y) * zProduct;
    }
    if (bInteger) return snapImaginary(zProduct);
    const Complex w(x - 1.0, y);
    Complex zSum(gc_adLANCZOS[0], 0.0);
    for (int k = 1; k <= 8; ++k) zSum += gc_adLANCZOS[k] / (w + static_cast<double>(k));
    const Complex t(x - 1.0 + 8.0 - 0.5, y);
    const Complex zResult = ((gc_dSQRT_TWO_PI * std::pow(t, w + 0.5)) * std::exp(-t)) * zSum * zProduct;
    return snapImaginary(zResult);
}
