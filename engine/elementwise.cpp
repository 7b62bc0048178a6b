// SPDX-License-Identifier: GPL-3.0-or-later
// The element-wise prefix functions of the operand chain, the random matrices among them.
#include <cmath>
#include <cstdlib>

#include "engine_state.h"

namespace {

constexpr double gc_dLOG10_E = 0.43429448190325176;   ///< Log z = this times Ln z
constexpr double gc_dHALF_PI = 1.5707963267948966;    ///< added to the real part in aCos
constexpr double gc_dTWO_PI = 6.283185307179586;      ///< angle of a Box-Muller draw
constexpr double gc_dRAND_DIVISOR = 2147483647.0;     ///< a draw of rand() scaled to [0, 1]

const Complex gc_zI(0.0, 1.0);
const Complex gc_zONE(1.0, 0.0);

// The formulas are evaluated as written, so that every function keeps the same principal
// branches and the same overflow behaviour (Cosh 1000 is infinite, Tanh 1000 not-a-number).

/// Ln(i z + sqrt(1 - z z)), shared by aCos and aSin.
Complex arcLog(const Complex& z) { return std::log(gc_zI * z + std::sqrt(gc_zONE - z * z)); }

Complex aCos(const Complex& z) {
    const Complex zResult = gc_zI * arcLog(z);
    return Complex(zResult.real() + gc_dHALF_PI, zResult.imag());
}

Complex aSin(const Complex& z) { return -gc_zI * arcLog(z); }

Complex aTan(const Complex& z) {
    return Complex(0.0, 0.5) * (std::log(gc_zONE - gc_zI * z) - std::log(gc_zONE + gc_zI * z));
}

Complex cosH(const Complex& z) { return 0.5 * (std::exp(z) + std::exp(-z)); }
Complex sinH(const Complex& z) { return 0.5 * (std::exp(z) - std::exp(-z)); }
Complex tanH(const Complex& z) {
    const Complex zPlus = std::exp(z), zMinus = std::exp(-z);
    return (zPlus - zMinus) / (zPlus + zMinus);
}
Complex aCosH(const Complex& z) { return std::log(z + std::sqrt(z * z - gc_zONE)); }
Complex aSinH(const Complex& z) { return std::log(z + std::sqrt(z * z + gc_zONE)); }
Complex aTanH(const Complex& z) { return 0.5 * std::log((gc_zONE + z) / (gc_zONE - z)); }

/// Halves go down: 2.5 gives 2, -2.5 gives -3.
Complex roundEntry(const Complex& z) { return Complex(std::ceil(z.real() - 0.5), std::ceil(z.imag() - 0.5)); }
/// Toward minus infinity: -2.5 gives -3.
Complex truncEntry(const Complex& z) { return Complex(std::floor(z.real()), std::floor(z.imag())); }

/// One row of the table of element-wise functions.
struct ClElementFunction {
    eTOKEN mp_eToken;
    bool mp_bClean_First;              ///< the operand is cleaned of negligible parts first
    Complex (*mp_pfEntry)(const Complex&);
};

const ClElementFunction gc_aELEMENT_FUNCTIONS[] = {
    {eT_EXP, true, [](const Complex& z) { return std::exp(z); }},
    {eT_CIS, true, [](const Complex& z) { return std::cos(z) + gc_zI * std::sin(z); }},
    {eT_LN, true, [](const Complex& z) { return std::log(z); }},
    {eT_LOG, true, [](const Complex& z) { return gc_dLOG10_E * std::log(z); }},
    {eT_COS, true, [](const Complex& z) { return std::cos(z); }},
    {eT_ACOS, true, aCos},
    {eT_SIN, true, [](const Complex& z) { return std::sin(z); }},
    {eT_ASIN, true, aSin},
    {eT_TAN, true, [](const Complex& z) { return std::tan(z); }},
    {eT_ATAN, true, aTan},
    {eT_COSH, true, cosH},
    {eT_ACOSH, true, aCosH},
    {eT_SINH, true, sinH},
    {eT_ASINH, true, aSinH},
    {eT_TANH, true, tanH},
    {eT_ATANH, true, aTanH},
    {eT_REAL_PART, true, [](const Complex& z) { return Complex(z.real(), 0.0); }},
    {eT_IMAG_PART, true, [](const Complex& z) { return Complex(z.imag(), 0.0); }},
    {eT_ROUND, false, roundEntry},
    {eT_TRUNC, false, truncEntry},
    {eT_CONJ, false, [](const Complex& z) { return std::conj(z); }},
    {eT_SQRT, true, [](const Complex& z) { return std::sqrt(z); }},
    {eT_MINUS, false, [](const Complex& z) { return -z; }},
};

const ClElementFunction* findFunction(eTOKEN eToken) {
    for (const ClElementFunction& function : gc_aELEMENT_FUNCTIONS)
        if (function.mp_eToken == eToken) return &function;
    return nullptr;
}

double draw() { return std::rand() / gc_dRAND_DIVISOR; }

/// Uniform entries in [0, 1] where the operand's parts are not zero, drawn row by row, the
/// real part before the imaginary part; a zero part draws nothing and stays 0.
Matrix uniformRandom(const Matrix& mPattern) {
    Matrix mResult(mPattern.rows(), mPattern.cols());
    for (Eigen::Index iRow = 0; iRow < mPattern.rows(); ++iRow)
        for (Eigen::Index iColumn = 0; iColumn < mPattern.cols(); ++iColumn) {
            const Complex z = mPattern(iRow, iColumn);
            const double re = z.real() != 0.0 ? draw() : 0.0;
            const double im = z.imag() != 0.0 ? draw() : 0.0;
            mResult(iRow, iColumn) = Complex(re, im);
        }
    return mResult;
}

/// Standard normal parts by Box-Muller, row by row; every entry draws twice whatever its value.
Matrix normalRandom(const Matrix& mPattern) {
    Matrix mResult(mPattern.rows(), mPattern.cols());
    for (Eigen::Index iRow = 0; iRow < mPattern.rows(); ++iRow)
        for (Eigen::Index iColumn = 0; iColumn < mPattern.cols(); ++iColumn) {
            const double u1 = draw();
            const double u2 = draw();
            const double r = std::sqrt(-2.0 * std::log(u1));
            const Complex z = mPattern(iRow, iColumn);
            mResult(iRow, iColumn) = Complex(z.real() != 0.0 ? r * std::cos(gc_dTWO_PI * u2) : 0.0,
                                             z.imag() != 0.0 ? r * std::sin(gc_dTWO_PI * u2) : 0.0);
        }
    return mResult;
}

}  // namespace

bool ClCalculator::cleansFirst(eTOKEN eFunction) {
    const ClElementFunction* pFunction = findFunction(eFunction);
    return pFunction != nullptr && pFunction->mp_bClean_First;
}

// One element-wise step of a chain, on an operand the chain has cleaned where the function asks
// for it. Never raises an error of its own: non-finite entries are the driver's business. A
// token that is no element-wise function is eE_OPERATOR_CALCULATION.
Matrix ClCalculator::elementFunction(eTOKEN eFunction, const Matrix& m) {
    if (eFunction == eT_RNDU) return uniformRandom(m);
    if (eFunction == eT_RNDN) return normalRandom(m);
    const ClElementFunction* pFunction = findFunction(eFunction);
    if (pFunction == nullptr) return raiseError(eE_OPERATOR_CALCULATION);
    return m.unaryExpr(pFunction->mp_pfEntry);
}
