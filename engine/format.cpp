// SPDX-License-Identifier: GPL-3.0-or-later
// Clean-up of negligible parts, number text in the three formats and the text of a matrix.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine_state.h"
#include "linalg.h"

namespace {

constexpr double gc_dRATIONAL_MAX = 1073741823.5;          ///< 2^30 - 0.5
constexpr double gc_dRATIONAL_EPS = 1.0 / 1073741823.5;    ///< relative accuracy of a fraction
constexpr int gc_iMAX_CONVERGENTS = 16;
constexpr std::size_t gc_uiENTRY_ROOM = 80;               ///< room an entry may need

// Continued fraction of x > 0 with 32-bit convergents h/k.
// Note: a convergent that would pass the 32-bit range ends the expansion at the previous one.
void rationalText(double v, char* dst) {
    const double s = v > 0.0 ? 1.0 : -1.0;
    const double x = v * s;
    if (x > gc_dRATIONAL_MAX) {
        std::snprintf(dst, 32, "%G", std::floor(x) * s);
        return;
    }
    if (x < gc_dRATIONAL_EPS) {
        std::snprintf(dst, 32, "%d", 0);
        return;
    }
    double y = x;
    std::int64_t a = static_cast<std::int64_t>(x);
    std::int64_t h1 = 1, h2 = 0, k1 = 0, k2 = 1, h = 0, k = 1;
    for (int iConvergent = 0; iConvergent < gc_iMAX_CONVERGENTS; ++iConvergent) {
        const std::int64_t hNext = a * h1 + h2, kNext = a * k1 + k2;
        if (hNext > INT32_MAX || kNext > INT32_MAX) break;
        h = hNext;
        k = kNext;
        if (std::fabs(x - static_cast<double>(h) / static_cast<double>(k)) <= x * gc_dRATIONAL_EPS) break;
        const double f = y - static_cast<double>(a);
        if (f < gc_dRATIONAL_EPS) break;
        y = 1.0 / f;
        a = static_cast<std::int64_t>(y);
        h2 = h1;
        h1 = h;
        k2 = k1;
        k1 = k;
    }
    // The text of "%d" or "%d/%d", written directly: printf would cost more than the fraction.
    char* pcEnd = std::to_chars(dst, dst + 31, static_cast<int>(h) * static_cast<int>(s)).ptr;
    if (k != 1) {
        *pcEnd++ = '/';
        pcEnd = std::to_chars(pcEnd, dst + 31, static_cast<int>(k)).ptr;
    }
    *pcEnd = '\0';
}

/// The text of v as printf's "%G" (general form, precision 6) or "%.9E" (scientific form,
/// precision 9) writes it, written directly: printf would cost more than the number, reading its
/// format again for every part of every entry. The C++ standard defines this text as printf's.
void printfText(double v, std::chars_format eForm, int iPrecision, char* dst) {
    char* const pcEnd = std::to_chars(dst, dst + 31, v, eForm, iPrecision).ptr;
    *pcEnd = '\0';
    char* const pcExponent = std::find(dst, pcEnd, 'e');
    if (pcExponent != pcEnd) *pcExponent = 'E';
}

/// Appends text at *ppcEnd and advances it.
void appendText(char*& pcEnd, const char* acText) {
    const std::size_t uiLength = std::strlen(acText);
    std::memcpy(pcEnd, acText, uiLength + 1);
    pcEnd += uiLength;
}

void appendNumber(char*& pcEnd, double v) {
    ClCalculator::formatNumber(v, pcEnd);
    pcEnd += std::strlen(pcEnd);
}

/// Writes one entry; bFull selects the full form over the zeroed form.
void appendEntry(char*& pcEnd, Complex z, double dTolerance, bool bFull) {
    const double re = z.real(), im = z.imag();
    if (!ismyfinite(re) || !ismyfinite(im)) {   // the non-finite part alone, no "i"
        appendNumber(pcEnd, ismyfinite(im) ? re : im);
        return;
    }
    if (bFull) {
        appendNumber(pcEnd, re);
        if (im != 0.0) {
            appendText(pcEnd, im > 0.0 ? " + " : " - ");
            appendNumber(pcEnd, std::fabs(im));
            appendText(pcEnd, "i");
        }
        return;
    }
    const int iClass = dTolerance >= std::fabs(re) + std::fabs(im)
                           ? 0
                           : (std::fabs(re) > dTolerance ? 1 : 0) + (std::fabs(im) > dTolerance ? 2 : 0);
    const bool bUnit = std::fabs(im - 1.0) <= 1e-16 || std::fabs(im + 1.0) <= 1e-16;
    switch (iClass) {
        case 0:
            appendNumber(pcEnd, 0.0);
            break;
        case 1:
            appendNumber(pcEnd, re);
            break;
        case 2:
            if (bUnit) {
                appendText(pcEnd, im > 0.0 ? "i" : "-i");
            } else {
                appendNumber(pcEnd, im);
                appendText(pcEnd, "i");
            }
            break;
        default:
            appendNumber(pcEnd, re);
            appendText(pcEnd, im > 0.0 ? " + " : " - ");
            if (!bUnit) appendNumber(pcEnd, std::fabs(im));
            appendText(pcEnd, "i");
            break;
    }
}

}  // namespace

// Note: the same answer as looking for "n" in the "%g" text of x (inf, nan), without printing.
bool ismyfinite(double x) { return std::isfinite(x); }

// Note: the loops over every part of a result run on the processor's vectors; on x86-64 they are
// built twice, for AVX2 and without, and the loader picks the build the processor runs (half the
// time of the plain build at 512 x 512).
#if defined(__x86_64__)
#define ORBEX_VECTOR_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define ORBEX_VECTOR_LOOP
#endif

namespace {

/// The parts of a matrix's entries, real and imaginary in turn.
const double* partsOf(const Matrix& m) { return reinterpret_cast<const double*>(m.data()); }

/// Whether every part is finite: no part has all exponent bits set.
ORBEX_VECTOR_LOOP bool allPartsFinite(const double* pdPart, Eigen::Index iCount) {
    constexpr std::uint64_t ulEXPONENT = 0x7ff0000000000000ULL;
    int iNot_Finite = 0;
    for (Eigen::Index i = 0; i < iCount; ++i) {
        std::uint64_t ulBits;
        std::memcpy(&ulBits, pdPart + i, sizeof ulBits);
        iNot_Finite |= (ulBits & ulEXPONENT) == ulEXPONENT;
    }
    return iNot_Finite == 0;
}

/// The sum of the parts' squares, in 16 running sums: four vectors of AVX2 add at once, where
/// one would wait for the last add (a third of the time at 512 x 512).
ORBEX_VECTOR_LOOP double sumOfSquares(const double* pdPart, Eigen::Index iCount) {
    constexpr int iSUMS = 16;
    double adSum[iSUMS] = {};
    Eigen::Index i = 0;
    for (; i + iSUMS <= iCount; i += iSUMS)
        for (int k = 0; k < iSUMS; ++k) adSum[k] += pdPart[i + k] * pdPart[i + k];
    for (; i < iCount; ++i) adSum[0] += pdPart[i] * pdPart[i];
    double dSum = 0.0;
    for (const double d : adSum) dSum += d;
    return dSum;
}

/// Whether any part is at most the threshold but not +0: a -0 is cleared too.
ORBEX_VECTOR_LOOP bool hasSmallPart(const double* pdPart, Eigen::Index iCount, double dTolerance) {
    int iSmall = 0;
    for (Eigen::Index i = 0; i < iCount; ++i) {
        std::uint64_t ulBits;
        std::memcpy(&ulBits, pdPart + i, sizeof ulBits);
        iSmall |= (std::fabs(pdPart[i]) <= dTolerance) & (ulBits != 0);
    }
    return iSmall != 0;
}

}  // namespace

bool isNumber(const Matrix& m) { return allPartsFinite(partsOf(m), 2 * m.size()); }

void clearChars(char* s, char c) {
    if (static_cast<signed char>(c) <= 0 || s == nullptr) return;
    char* pcTo = s;
    for (const char* pcFrom = s; *pcFrom != '\0'; ++pcFrom)
        if (*pcFrom != c) *pcTo++ = *pcFrom;
    *pcTo = '\0';
}

namespace {
/// Frobenius norm of the finite entries from the sum of the parts' squares: an infinite entry
/// must not make every other one negligible.
// Note: the plain sum of squares serves unless it overflowed (entries beyond 1e154) or
// underflowed; then a norm that cannot; a norm still not finite has a non-finite entry, and only
// then are the finite entries taken alone.
double finiteNorm(const Matrix& m, double dSquares) {
    const double dPlain = std::sqrt(dSquares);
    if (ismyfinite(dPlain) && dPlain > 1e-140) return dPlain;
    const double dNorm = linalg::norm(m);
    if (ismyfinite(dNorm)) return dNorm;
    return linalg::norm(m.unaryExpr([](const Complex& z) {
        return ismyfinite(z.real()) && ismyfinite(z.imag()) ? z : Complex(0.0);
    }));
}
}  // namespace

double cleanTolerance(const Matrix& m, bool* pbNumber) {
    const double dSquares = sumOfSquares(partsOf(m), 2 * m.size());
    if (pbNumber != nullptr) *pbNumber = ismyfinite(dSquares) || isNumber(m);
    if (m.size() == 0) return 0.0;
    if (m.size() == 1) return 1e-36 * std::abs(m(0, 0));
    return 1e-16 * finiteNorm(m, dSquares) * static_cast<double>(std::max(m.rows(), m.cols()));
}

bool hasPartToClear(const Matrix& m, double dTolerance) { return hasSmallPart(partsOf(m), 2 * m.size(), dTolerance); }

void clearSmallParts(Matrix& m, double dTolerance) {
    Complex* const pz = m.data();
    for (Eigen::Index i = 0; i < m.size(); ++i) {
        const double re = pz[i].real(), im = pz[i].imag();
        if (!ismyfinite(re) || !ismyfinite(im)) continue;
        pz[i] = Complex(std::fabs(re) <= dTolerance ? 0.0 : re, std::fabs(im) <= dTolerance ? 0.0 : im);
    }
}

// Note: most results hold no part to clear; a look that writes nothing spares them the pass
// that writes every entry.
void ClCalculator::cleanMatrix(Matrix& m) {
    const double dTolerance = cleanTolerance(m);
    if (hasPartToClear(m, dTolerance)) clearSmallParts(m, dTolerance);
}

bool ClCalculator::cleanNumbers(Matrix& m) {
    bool bNumber = false;
    const double dTolerance = cleanTolerance(m, &bNumber);
    if (bNumber && hasPartToClear(m, dTolerance)) clearSmallParts(m, dTolerance);
    return bNumber;
}

void ClCalculator::formatNumber(double v, char* dst) {
    dst[0] = '\0';
    if (!ismyfinite(v)) {
        std::snprintf(dst, 32, "%G", v);
        return;
    }
    switch (g_eView_State) {
        case eVS_DECIMAL: printfText(v, std::chars_format::general, 6, dst); break;   // "%G"
        // Note: "%15.9E" of a finite number: its text is never shorter than the width 15.
        case eVS_FLOAT: printfText(v, std::chars_format::scientific, 9, dst); break;
        case eVS_RATIONAL: rationalText(v, dst); break;
        default: break;
    }
}

// Entries row by row; ", " between entries and " ;\n" between rows. A text that would leave
// less than 80 bytes of room is cut silently at that entry.
void ClCalculator::matrixDisplay(const Matrix& m) {
    g_acOutput_Line[0] = '\0';
    if (m.rows() == 0) return;
    const double dSize = static_cast<double>(std::max(m.rows(), m.cols()));
    const double dTolerance = isNumber(m) ? 5e-15 * linalg::norm(m) * dSize : 5e-15 * dSize;
    const bool bFull = !g_bZero_Out || m.size() == 1;
    char* pcEnd = g_acOutput_Line;
    for (Eigen::Index iRow = 0; iRow < m.rows(); ++iRow) {
        for (Eigen::Index iColumn = 0; iColumn < m.cols(); ++iColumn) {
            if (static_cast<std::size_t>(pcEnd - g_acOutput_Line) + gc_uiENTRY_ROOM > gc_iOUTPUT_LINE_SIZE)
                return;
            appendEntry(pcEnd, m(iRow, iColumn), dTolerance, bFull);
            if (iColumn + 1 < m.cols()) appendText(pcEnd, ", ");
        }
        if (iRow + 1 < m.rows()) appendText(pcEnd, " ;\n");
    }
}
