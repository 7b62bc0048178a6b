// SPDX-License-Identifier: GPL-3.0-or-later
// Display-text test lines and small matrix helpers shared by the engine tests.
#include "line_codes.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "engine_state.h"

std::string readFile(const std::string& sPath) {
    std::ifstream file(sPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string displayToCodes(const std::string& text) {
    std::string codes;
    std::size_t uiPosition = 0;
    while (uiPosition < text.size()) {
        int iBest = -1;
        std::size_t uiBest_Length = 0;
        for (int iToken = 0; iToken < gc_iTOKEN_COUNT; ++iToken) {
            if (g_eiDictionary[iToken] == 0) continue;   // tokens without a key never occur in a line
            const std::size_t uiLength = std::strlen(gc_aacTOKEN_NAME[iToken]);
            if (uiLength > uiBest_Length && text.compare(uiPosition, uiLength, gc_aacTOKEN_NAME[iToken]) == 0) {
                iBest = iToken;
                uiBest_Length = uiLength;
            }
        }
        if (iBest < 0) {
            if (text[uiPosition] != ' ')
                ADD_FAILURE() << "no token reads \"" << text.substr(uiPosition) << "\" in \"" << text << "\"";
            ++uiPosition;
            continue;
        }
        codes += static_cast<char>(g_eiDictionary[iBest]);
        uiPosition += uiBest_Length;
    }
    return codes;
}

void setLine(const std::string& codes) {
    g_Current_State = ClCalculator::mp_NULL_STATE;
    const std::size_t uiLength = std::min<std::size_t>(codes.size(), gc_iLINE_SIZE);
    std::memcpy(g_Current_State.mp_acInput, codes.data(), uiLength);
    g_Current_State.mp_uiLength = static_cast<unsigned short>(uiLength);
}

bool evaluate(const std::string& text) {
    setLine(displayToCodes(text));
    return ClCalculator::tLexer() && ClCalculator::tParser();
}

Matrix valueOf(const std::string& text) {
    g_uiError_Number = eE_NONE;
    evaluate(text);
    EXPECT_EQ(g_uiError_Number, eE_NONE) << text << ": " << gc_aacERROR_MESSAGE[g_uiError_Number % eE_COUNT];
    return ClCalculator::lineValue();
}

Matrix mat(std::initializer_list<std::initializer_list<Complex>> rows) {
    Matrix m(static_cast<Eigen::Index>(rows.size()), static_cast<Eigen::Index>(rows.begin()->size()));
    Eigen::Index iRow = 0;
    for (const auto& row : rows) {
        Eigen::Index iColumn = 0;
        for (const Complex& z : row) m(iRow, iColumn++) = z;
        ++iRow;
    }
    return m;
}
