// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted text to a matrix. The forms read, by example:
//   1<tab>2<newline>3<tab>4   spreadsheet cells: tabs between entries, a line a row ("\r\n" too)
//   1, 2; 3, 4               rows by ";" or line breaks, entries by commas, tabs or spaces
//   [1 2; 3 4]               the same inside one pair of brackets
//   [[1, 2], [3, 4]]         Python's and NumPy's nested lists: a bracket pair a row; a line
//                            break inside a row is a space, as NumPy wraps long rows
// An entry is a real "x", an imaginary "yi" or "yj" (a lone "i", "-i" or "+j" is the unit times
// 1 or -1), or both as "x+yi" or "x-yj" with no spaces ("1 + 2i" is three entries). It may sit in
// one pair of parentheses, as Python prints complex numbers: "(1+2j)". Numbers are decimal with
// an optional point and exponent ("1.", ".5", "2.5E-3"). "inf", "nan", hexadecimal and a word
// around the brackets ("array(...)") are not read: none of them can be typed either. A number
// beyond the largest double (1e400) is refused, as the lexer refuses it; one below the smallest
// becomes 0, as when typed. Commas always separate, so "1,5" is two entries.
// Blank rows before the first and after the last row are ignored, and so is one comma or tab at
// the end of a row ("[1, 2,]", a spreadsheet's trailing tab).
#include "paste_parse.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

/// Spaces around entries; a line break reaches a row only inside NumPy's brackets.
bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
/// A comma or a tab alone stands between two entries: two of them enclose an empty one.
bool isSeparator(char c) { return c == ',' || c == '\t'; }
bool isWhite(char c) { return isSpace(c) || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// One term of an entry: [sign] [mantissa [exponent]] [i | j].
struct ClTerm {
    std::string_view sNumber;   ///< mantissa and exponent; empty for a lone unit
    bool bNegative = false;
    bool bImaginary = false;
};

/// Reads a term at p, a mantissa or a unit at least; p moves past it. False when none is there.
bool scanTerm(const char*& p, const char* pEnd, ClTerm& term) {
    term = ClTerm();
    if (p < pEnd && (*p == '+' || *p == '-')) term.bNegative = *p++ == '-';
    const char* const pNumber = p;
    int iDigits = 0;
    for (; p < pEnd && isDigit(*p); ++p) ++iDigits;
    if (p < pEnd && *p == '.')
        for (++p; p < pEnd && isDigit(*p); ++p) ++iDigits;
    if (iDigits == 0) {
        p = pNumber;   // a point alone is no number
    } else if (p < pEnd && (*p == 'e' || *p == 'E')) {
        const char* pExponent = p + 1;
        if (pExponent < pEnd && (*pExponent == '+' || *pExponent == '-')) ++pExponent;
        if (pExponent == pEnd || !isDigit(*pExponent)) return false;   // "1e", refused when typed too
        for (p = pExponent; p < pEnd && isDigit(*p); ++p) {}
    }
    term.sNumber = std::string_view(pNumber, static_cast<std::size_t>(p - pNumber));
    if (p < pEnd && (*p == 'i' || *p == 'j')) {
        term.bImaginary = true;
        ++p;
    }
    return !term.sNumber.empty() || term.bImaginary;
}

/// The term's value; false when it lies beyond the largest double.
bool termValue(const ClTerm& term, double& dValue) {
    dValue = 1.0;   // a lone unit
    if (!term.sNumber.empty()) {
        const char* const pEnd = term.sNumber.data() + term.sNumber.size();
        const std::from_chars_result result = std::from_chars(term.sNumber.data(), pEnd, dValue);
        // Out of range either way: the lexer's own conversion tells overflow, which it refuses,
        // from underflow, which it reads as the nearest double.
        if ((result.ec != std::errc() || result.ptr != pEnd) &&
            !ClCalculator::charToDouble(std::string(term.sNumber).c_str(), dValue))
            return false;
    }
    if (term.bNegative) dValue = -dValue;
    return true;
}

/// The entry's value, or why it has none.
ePASTE_ERROR readEntry(std::string_view sEntry, Complex& z) {
    if (sEntry.empty()) return eP_NOT_A_NUMBER;
    const char* p = sEntry.data();
    const char* pEnd = p + sEntry.size();
    if (pEnd - p >= 2 && *p == '(' && pEnd[-1] == ')') ++p, --pEnd;   // Python's "(1+2j)"
    ClTerm first, second;
    bool bRead = scanTerm(p, pEnd, first);
    const bool bSecond = bRead && p < pEnd && !first.bImaginary && (*p == '+' || *p == '-');
    if (bSecond) bRead = scanTerm(p, pEnd, second) && second.bImaginary;   // "x+yi", never "x+y"
    if (!bRead || p != pEnd) return eP_NOT_A_NUMBER;
    double dFirst = 0.0, dSecond = 0.0;
    if (!termValue(first, dFirst) || (bSecond && !termValue(second, dSecond))) return eP_TOO_LARGE;
    z = first.bImaginary ? Complex(0.0, dFirst) : Complex(dFirst, dSecond);
    return eP_NONE;
}

/// Reads rows into a row-major list of values; the first fault stops it.
class ClPasteReader {
public:
    /// Rows ended by line breaks or ";".
    void readLines(const char* p, const char* pEnd) {
        while (mp_Result.mp_eError == eP_NONE) {
            const char* pRow_End = p;
            while (pRow_End < pEnd && *pRow_End != '\n' && *pRow_End != ';') ++pRow_End;
            readRow(p, pRow_End);
            if (pRow_End == pEnd) return;
            p = pRow_End + 1;
        }
    }

    /// A row in each pair of brackets, with spaces, line breaks or commas between the pairs. A
    /// last pair left open closes at the end, as the lexer closes brackets.
    void readBracketRows(const char* p, const char* pEnd) {
        while (mp_Result.mp_eError == eP_NONE) {
            while (p < pEnd && (isSpace(*p) || *p == ',')) ++p;
            if (p == pEnd) return;
            if (*p != '[') return fail(eP_NOT_A_NUMBER, 1);
            const char* pRow_End = ++p;
            while (pRow_End < pEnd && *pRow_End != ']') ++pRow_End;
            readRow(p, pRow_End);
            p = pRow_End < pEnd ? pRow_End + 1 : pEnd;
        }
    }

    ClPasted result() {
        if (mp_Result.mp_eError == eP_NONE && mp_iRows == 0) fail(eP_EMPTY, 1);
        if (mp_Result.mp_eError == eP_NONE) {
            using RowMajor = Eigen::Matrix<Complex, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
            mp_Result.mp_mValues = Eigen::Map<const RowMajor>(mp_azValues.data(), mp_iRows, mp_iCols);
        }
        return mp_Result;
    }

private:
    /// The entries between commas, tabs or spaces; a blank row waits to see whether another follows.
    void readRow(const char* p, const char* pEnd) {
        int iCol = 0;
        while (p < pEnd && isSpace(*p)) ++p;
        while (p < pEnd && mp_Result.mp_eError == eP_NONE) {
            const char* pEntry_End = p;
            while (pEntry_End < pEnd && !isSpace(*pEntry_End) && !isSeparator(*pEntry_End)) ++pEntry_End;
            addEntry(std::string_view(p, static_cast<std::size_t>(pEntry_End - p)), ++iCol);
            for (p = pEntry_End; p < pEnd && isSpace(*p); ++p) {}
            if (p < pEnd && isSeparator(*p))
                for (++p; p < pEnd && isSpace(*p); ++p) {}
        }
        if (mp_Result.mp_eError != eP_NONE) return;
        if (iCol == 0) {
            mp_bBlank_Waiting = mp_iRows > 0;   // blank rows before the first one do not count
        } else if (mp_iRows > 0 && iCol < mp_iCols) {
            fail(eP_MISSING, iCol + 1);
        } else {
            if (mp_iRows == 0) mp_iCols = iCol;
            ++mp_iRows;
        }
    }

    void addEntry(std::string_view sEntry, int iCol) {
        if (mp_bBlank_Waiting) return fail(eP_MISSING, 1);   // the blank row is the one at fault
        if (mp_iRows > 0 && iCol > mp_iCols) return fail(eP_EXTRA, iCol);
        if (static_cast<Eigen::Index>(mp_azValues.size()) >= gc_iMAX_ENTRIES) return fail(eP_TOO_MANY, iCol);
        Complex z;
        const ePASTE_ERROR eError = readEntry(sEntry, z);
        if (eError != eP_NONE) return fail(eError, iCol);
        mp_azValues.push_back(z);
    }

    void fail(ePASTE_ERROR eError, int iCol) {
        mp_Result.mp_eError = eError;
        mp_Result.mp_iRow = mp_iRows + 1;
        mp_Result.mp_iCol = iCol;
    }

    ClPasted mp_Result;
    std::vector<Complex> mp_azValues;   ///< row by row
    int mp_iRows = 0;                   ///< rows read whole
    int mp_iCols = 0;                   ///< row 1's length, which every row must have
    bool mp_bBlank_Waiting = false;     ///< a blank row followed the last one read
};

}  // namespace

ClPasted readPastedMatrix(std::string_view sText) {
    ClPasteReader reader;
    const char* const pBegin = sText.data();
    const char* const pEnd = pBegin + sText.size();
    // One pair of brackets around the whole text is taken off; a bracket right inside it starts
    // a row of its own. The whole text goes on otherwise: a leading tab is an empty first cell.
    const char* pFirst = pBegin;
    const char* pLast = pEnd;
    while (pFirst < pEnd && isWhite(*pFirst)) ++pFirst;
    while (pLast > pFirst && isWhite(pLast[-1])) --pLast;
    if (pLast - pFirst >= 2 && *pFirst == '[' && pLast[-1] == ']') {
        const char* pInner = pFirst + 1;
        while (pInner < pLast && isWhite(*pInner)) ++pInner;
        if (*pInner == '[') reader.readBracketRows(pInner, pLast - 1);
        else reader.readLines(pFirst + 1, pLast - 1);
    } else {
        reader.readLines(pBegin, pEnd);
    }
    return reader.result();
}

std::string pasteRefusal(const ClPasted& pasted) {
    // Each text takes the row, the column and the entry limit, in that order, and uses what it needs.
    static const char* const aacMESSAGES[] = {
        "",
        "Paste refused: row %d, column %d is not a number.",
        "Paste refused: row %d, column %d is too large a number.",
        "Paste refused: row %d, column %d is missing; every row must be as long as row 1.",
        "Paste refused: row %d, column %d is one too many; every row must be as long as row 1.",
        "Paste refused: row %d, column %d is past the limit of %d entries.",
        "Paste refused: the text holds no numbers.",
    };
    static_assert(sizeof aacMESSAGES / sizeof aacMESSAGES[0] == eP_COUNT, "one message a refusal");
    char acText[128];
    std::snprintf(acText, sizeof acText, aacMESSAGES[pasted.mp_eError], pasted.mp_iRow, pasted.mp_iCol,
                  static_cast<int>(gc_iMAX_ENTRIES));
    return acText;
}
