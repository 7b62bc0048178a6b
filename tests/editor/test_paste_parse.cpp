// SPDX-License-Identifier: GPL-3.0-or-later
// Reading pasted text: the forms taken, the first fault named by row and column, and hostile
// texts of ten megabytes (a reading that is not linear in the text runs past the time limit).
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "line_codes.h"
#include "paste_parse.h"

namespace {

/// n copies of the text.
std::string times(const std::string& sText, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += sText;
    return s;
}

TEST(ClPasted, BlocksTakenAndFirstFaultNamed) {
    const Matrix m1234 = mat({{1, 2}, {3, 4}});
    const std::size_t uiTen_MB = 10u << 20;
    const std::string sRow = times("1\t", 511) + "2\n";
    const struct { std::string sText; ePASTE_ERROR eError; int iRow, iCol; Matrix mValues = Matrix(); } aCASES[] = {
        {"1\t2\r\n3\t4\r\n", eP_NONE, 0, 0, m1234},         // spreadsheet cells
        {"[1, 2; 3, 4]", eP_NONE, 0, 0, m1234},
        {" [[1, 2],\n  [3, 4]] \n", eP_NONE, 0, 0, m1234},   // Python's nested lists
        {"[[1 2]\n [3\n 4]]", eP_NONE, 0, 0, m1234},         // NumPy's print, a row wrapped
        {"[[1, 2], [3, 4]", eP_NONE, 0, 0, m1234},           // the last row closes at the end
        {"\n\n  1,2,\n3 ,4,;\n\n", eP_NONE, 0, 0, m1234},    // blank rows and separators at the ends
        {"[(1+2j), -3.5e-1j, i, -i]", eP_NONE, 0, 0, mat({{{1, 2}, {0, -0.35}, {0, 1}, {0, -1}}})},
        {"1.-2.j\t.5+j\t1e-400\t-2E+3\t5E-3i", eP_NONE, 0, 0, mat({{{1, -2}, {0.5, 1}, 0, -2000, {0, 0.005}}})},
        {"1.7976931348623157e308 -4.9e-324", eP_NONE, 0, 0, mat({{1.7976931348623157e308, -4.9e-324}})},
        {"", eP_EMPTY, 1, 1},
        {"[[], []]", eP_EMPTY, 1, 1},
        {" \n\t\r\n;", eP_NOT_A_NUMBER, 1, 1},   // a tab alone is an empty cell
        {"[[[1]]]", eP_NOT_A_NUMBER, 1, 1},
        {"[[1, 2], 3]", eP_NOT_A_NUMBER, 2, 1},
        {"array([[1, 2]])", eP_NOT_A_NUMBER, 1, 1},
        {"1 2\n3 4 5\n6", eP_EXTRA, 2, 3},       // the first fault wins
        {"1\n\n2", eP_MISSING, 2, 1},            // a blank row between rows
        {"1,5\n2", eP_MISSING, 2, 2},            // commas always separate
        {"1\t\t2", eP_NOT_A_NUMBER, 1, 2},
        {"1 + 2i", eP_NOT_A_NUMBER, 1, 2},
        {std::string("1\t2\n3\t\0", 7), eP_NOT_A_NUMBER, 2, 2},
        {"1, 2-1e400j", eP_TOO_LARGE, 1, 2},
        {times(sRow, 513), eP_TOO_MANY, 513, 1},
        {times("1 ", 262145), eP_TOO_MANY, 1, 262145},
        {times("1\n", uiTen_MB / 2), eP_TOO_MANY, 262145, 1},
        {std::string(uiTen_MB, '9'), eP_TOO_LARGE, 1, 1},
        {"0." + std::string(uiTen_MB, '0') + "1", eP_NONE, 0, 0, mat({{0}})},
        {"[" + std::string(uiTen_MB, '[') + "]", eP_NOT_A_NUMBER, 1, 1},
        {std::string(uiTen_MB, ','), eP_NOT_A_NUMBER, 1, 1},
        {std::string(uiTen_MB, '\n'), eP_EMPTY, 1, 1},
        {std::string(uiTen_MB, '\0'), eP_NOT_A_NUMBER, 1, 1},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.sText.substr(0, 40) + " (" + std::to_string(c.sText.size()) + " bytes)");
        const ClPasted pasted = readPastedMatrix(c.sText);
        EXPECT_EQ(pasted.mp_eError, c.eError) << pasteRefusal(pasted);
        EXPECT_EQ(std::make_pair(pasted.mp_iRow, pasted.mp_iCol), std::make_pair(c.iRow, c.iCol));
        EXPECT_EQ(pasted.mp_mValues, c.mValues);
    }
    for (const char* acEntry : {"1+2", "2i+1", "1e", ".", "0x1", "nan", "-inf", "1i2", "(1+2j", "1+-2i"})
        EXPECT_EQ(readPastedMatrix(acEntry).mp_eError, eP_NOT_A_NUMBER) << acEntry;
    const Matrix mFull = readPastedMatrix(times(sRow, 512)).mp_mValues;   // the limit itself
    EXPECT_TRUE(mFull.rows() == 512 && mFull.cols() == 512 && mFull(511, 511) == 2.0 && mFull(511, 510) == 1.0);
    EXPECT_EQ(pasteRefusal(readPastedMatrix("1\n2 3")),
              "Paste refused: row 2, column 2 is one too many; every row must be as long as row 1.");
    EXPECT_EQ(pasteRefusal(readPastedMatrix("[]")), "Paste refused: the text holds no numbers.");
}

}  // namespace
