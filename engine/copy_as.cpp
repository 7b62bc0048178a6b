// SPDX-License-Identifier: GPL-3.0-or-later
// The copy forms: one table of what the forms write differently, one walk over the entries.
#include "copy_as.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const gc_aacCOPY_FORM_NAME[eCF_COUNT] = {"text", "octave", "numpy", "latex"};

namespace {

/// What one form writes around and between the entries, and how it writes a number.
struct ClCopyForm {
    const char* acOpen;        ///< before the first row
    const char* acRow_Open;    ///< before each row
    const char* acEntry_Gap;   ///< between the entries of a row
    const char* acRow_Close;   ///< after each row
    const char* acRow_Gap;     ///< between rows
    const char* acClose;       ///< after the last row
    const char* acPlus;        ///< between a real part and a positive imaginary part
    const char* acMinus;       ///< between a real part and a negative imaginary part
    const char* acUnit;        ///< the imaginary unit, after the imaginary part
    const char* acInfinity;
    const char* acNan;
    /// A call building an entry with a non-finite part, where re + im x unit would not give it
    /// back (Inf times the unit has a NaN real part); null: written as re + im unit anyway.
    const char* acComplex;
    /// An exponent written as a power of ten, closed by "}"; null: printf's e form.
    const char* acTimes_Ten;
};

const ClCopyForm gc_aFORMS[eCF_COUNT] = {
    // open, row open, entry gap, row close, row gap, close, plus, minus, unit, infinity, NaN, complex, times ten
    {"", "", "\t", "", "\n", "", "+", "-", "i", "Inf", "NaN", nullptr, nullptr},   // pastes into a spreadsheet
    {"[", "", ", ", "", "; ", "]", "+", "-", "i", "Inf", "NaN", "complex(", nullptr},
    {"np.array([", "[", ", ", "]", ", ", "])", "+", "-", "j", "np.inf", "np.nan", "complex(", nullptr},
    {"\\begin{bmatrix} ", "", " & ", "", " \\\\ ", " \\end{bmatrix}", " + ", " - ", "i", "\\infty",
     "\\mathrm{NaN}", nullptr, " \\times 10^{"},
};

// Note: 17 significant digits always read back to the same double; fewer may not.
std::string numberText(double d, const ClCopyForm& form) {
    if (std::isnan(d)) return form.acNan;
    if (std::isinf(d)) return std::string(d < 0 ? "-" : "") + form.acInfinity;
    char acText[32];
    std::snprintf(acText, sizeof acText, "%.17g", d);
    char* pcExponent = std::strchr(acText, 'e');
    if (form.acTimes_Ten == nullptr || pcExponent == nullptr) return acText;
    *pcExponent = '\0';
    return acText + (form.acTimes_Ten + std::to_string(std::atoi(pcExponent + 1))) + "}";
}

void appendEntry(std::string& sText, Complex z, const ClCopyForm& form) {
    const double re = z.real(), im = z.imag();
    if (im == 0.0) {
        sText += numberText(re, form);
        return;
    }
    if (form.acComplex != nullptr && !(std::isfinite(re) && std::isfinite(im))) {
        sText += form.acComplex + numberText(re, form) + ", " + numberText(im, form) + ")";
        return;
    }
    sText += numberText(re, form);
    sText += std::signbit(im) ? form.acMinus : form.acPlus;
    const std::string sImaginary = numberText(std::fabs(im), form);
    sText += sImaginary;
    if (std::isalpha(static_cast<unsigned char>(sImaginary.back()))) sText += ' ';   // "Inf i", "\infty i"
    sText += form.acUnit;
}

}  // namespace

std::string copyAs(const Matrix& m, eCOPY_FORM eForm) {
    const ClCopyForm& form = gc_aFORMS[eForm];
    std::string sText;
    if (m.size() == 1) appendEntry(sText, m(0, 0), form);
    if (m.size() <= 1) return sText;
    sText.reserve(static_cast<std::size_t>(m.size()) * 24);
    sText += form.acOpen;
    for (Eigen::Index iRow = 0; iRow < m.rows(); ++iRow) {
        if (iRow > 0) sText += form.acRow_Gap;
        sText += form.acRow_Open;
        for (Eigen::Index iColumn = 0; iColumn < m.cols(); ++iColumn) {
            if (iColumn > 0) sText += form.acEntry_Gap;
            appendEntry(sText, m(iRow, iColumn), form);
        }
        sText += form.acRow_Close;
    }
    return sText + form.acClose;
}
