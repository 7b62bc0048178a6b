// SPDX-License-Identifier: GPL-3.0-or-later
// The byte code of the data file and the payloads of history and variable files.
#include "data_file.h"

#include <array>
#include <charconv>
#include <cstring>

#include "engine_state.h"
#include "execution_state.h"

namespace {

constexpr unsigned gc_uiCODE_MULTIPLIER = 173;   ///< odd, so the code is a permutation of the bytes
constexpr unsigned gc_uiCODE_OFFSET = 59;

using CodeTable = std::array<unsigned short, 256>;

constexpr CodeTable makeCode() {
    CodeTable auiCode{};
    for (unsigned b = 0; b < 256; ++b) auiCode[b] = static_cast<unsigned short>((gc_uiCODE_MULTIPLIER * b + gc_uiCODE_OFFSET) % 256);
    return auiCode;
}

constexpr CodeTable makeDCode(const CodeTable& auiCode) {
    CodeTable auiDCode{};
    for (unsigned b = 0; b < 256; ++b) auiDCode[auiCode[b]] = static_cast<unsigned short>(b);
    return auiDCode;
}

// Built by the compiler, so no file can be written or read before they exist.
constexpr CodeTable lg_uiCode = makeCode();
constexpr CodeTable lg_uiDCode = makeDCode(lg_uiCode);

void translate(const CodeTable& auiTable, char* pcBuffer, std::size_t uiLength) {
    for (std::size_t ui = 0; ui < uiLength; ++ui)
        pcBuffer[ui] = static_cast<char>(auiTable[static_cast<unsigned char>(pcBuffer[ui])]);
}

/// A number as "%.15g" writes it, whatever the locale.
void appendNumber(std::string& sText, double dValue) {
    char acNumber[32];
    const std::to_chars_result result = std::to_chars(acNumber, acNumber + sizeof acNumber, dValue,
                                                      std::chars_format::general, 15);
    sText.append(acNumber, result.ptr);
}

void appendLine(std::string& sText, std::size_t uiValue) {
    sText += std::to_string(uiValue);
    sText += '\n';
}

/// R, C, then one line per row, every entry followed by a blank; a real entry is written alone.
/// A value without entries is written as 0 x 0.
void appendBlock(std::string& sText, const Matrix& mValue) {
    if (mValue.size() == 0) {
        sText += "0\n0\n";
        return;
    }
    appendLine(sText, static_cast<std::size_t>(mValue.rows()));
    appendLine(sText, static_cast<std::size_t>(mValue.cols()));
    for (Eigen::Index iRow = 0; iRow < mValue.rows(); ++iRow) {
        for (Eigen::Index iCol = 0; iCol < mValue.cols(); ++iCol) {
            const Complex z = mValue(iRow, iCol);
            if (z.imag() == 0) {
                appendNumber(sText, z.real());
            } else {
                sText += '(';
                appendNumber(sText, z.real());
                sText += ',';
                appendNumber(sText, z.imag());
                sText += ')';
            }
            sText += ' ';
        }
        sText += '\n';
    }
}

std::string header(unsigned uiKind) {
    std::string sText = gc_acORBEX_SIGNATURE;
    sText += '\n';
    appendLine(sText, uiKind);
    return sText;
}

}  // namespace

void CodeFile(char* pcBuffer, std::size_t uiLength) { translate(lg_uiCode, pcBuffer, uiLength); }
void DCodeFile(char* pcBuffer, std::size_t uiLength) { translate(lg_uiDCode, pcBuffer, uiLength); }

std::string historyPayload() {
    std::string sText = header(0);
    appendLine(sText, g_uiHistory_Next);
    for (unsigned short ui = 0; ui < g_uiHistory_Next; ++ui) {
        const ClState& entry = lg_State_History[ui];
        sText.append(reinterpret_cast<const char*>(entry.mp_acInput), strnlen(reinterpret_cast<const char*>(entry.mp_acInput), gc_iLINE_SIZE));
        sText += '\n';
    }
    static const Matrix mNONE;
    for (int iSlot = eT_A; iSlot <= eT_w; ++iSlot) {
        const Matrix& mValue = ClCalculator::mp_mVariable[iSlot];
        appendBlock(sText, mValue.size() > gc_uiMAX_HISTORY_BLOCK ? mNONE : mValue);
    }
    return sText;
}

std::string variablePayload(eTOKEN eVariable) {
    std::string sText = header(static_cast<unsigned>(eVariable));
    appendBlock(sText, ClCalculator::mp_mVariable[eVariable]);
    return sText;
}

std::string codedFile(std::string sPayload) {
    CodeFile(&sPayload[0], sPayload.size());
    return sPayload;
}
