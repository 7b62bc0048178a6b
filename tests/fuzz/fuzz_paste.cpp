// Paste fuzzer: arbitrary text through the reader of pasted blocks. A refusal names an entry
// and changes nothing; a block read keeps the entry limit, holds finite numbers only, and its
// own printing, as spreadsheet cells or as NumPy's nested lists (by the input's length), must
// read back to the same block.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "paste_parse.h"

namespace {

void require(bool bHolds, const char* acWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "paste check failed: %s\n", acWhat);
    std::abort();
}

/// The block in seventeen digits, which read back to the same doubles.
std::string printed(const Matrix& m, bool bNested) {
    std::string sText = bNested ? "[" : "";
    char acEntry[80];
    for (Eigen::Index iRow = 0; iRow < m.rows(); ++iRow) {
        sText += bNested ? (iRow > 0 ? ",\n [" : "[") : "";
        for (Eigen::Index iCol = 0; iCol < m.cols(); ++iCol) {
            std::snprintf(acEntry, sizeof acEntry, "%.17g%+.17g%c", m(iRow, iCol).real(), m(iRow, iCol).imag(),
                          bNested ? 'j' : 'i');
            sText += acEntry;
            if (iCol + 1 < m.cols()) sText += bNested ? ", " : "\t";
        }
        sText += bNested ? "]" : "\r\n";
    }
    return bNested ? sText + "]" : sText;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    configureProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    const ClPasted pasted = readPastedMatrix(std::string_view(reinterpret_cast<const char*>(pucData), uiSize));
    if (pasted.mp_eError != eP_NONE) {
        require(pasted.mp_eError < eP_COUNT, "refusal without a message");
        require(pasted.mp_iRow >= 1 && pasted.mp_iCol >= 1, "refusal without its entry");
        require(pasted.mp_mValues.size() == 0, "refusal with a block");
        require(pasteRefusal(pasted).rfind("Paste refused: ", 0) == 0, "refusal message");
        return 0;
    }
    const Matrix& m = pasted.mp_mValues;
    require(m.rows() >= 1 && m.cols() >= 1 && m.size() <= gc_iMAX_ENTRIES, "block size");
    require(isNumber(m), "block with an infinite entry");
    const ClPasted again = readPastedMatrix(printed(m, uiSize % 2 == 1));
    require(again.mp_eError == eP_NONE && again.mp_mValues == m, "printed block does not read back");
    return 0;
}
