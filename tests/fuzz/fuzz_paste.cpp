// Paste fuzzer: arbitrary text through the reader of pasted blocks. A refusal names an entry and
// holds no block; a block read keeps the entry limit, holds finite numbers only, and its own
// printing, as spreadsheet cells or as nested lists (by the input's length), reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_common.h"
#include "paste_parse.h"

namespace {

/// The block in seventeen digits, which read back to the same doubles.
std::string printed(const Matrix& m, bool bNested) {
    std::string sText;
    char acEntry[80];
    for (Eigen::Index iRow = 0; iRow < m.rows(); ++iRow)
        for (Eigen::Index iCol = 0; iCol < m.cols(); ++iCol) {
            const bool bLast = iCol + 1 == m.cols();
            std::snprintf(acEntry, sizeof acEntry, "%s%.17g%+.17g%s%s", bNested && iCol == 0 ? "[" : "",
                          m(iRow, iCol).real(), m(iRow, iCol).imag(), bNested ? "j" : "i",
                          bLast ? (bNested ? "],\n" : "\r\n") : (bNested ? ", " : "\t"));
            sText += acEntry;
        }
    return bNested ? "[" + sText + "]" : sText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    const ClPasted pasted = readPastedMatrix(std::string_view(reinterpret_cast<const char*>(pucData), uiSize));
    const Matrix& m = pasted.mp_mValues;
    if (pasted.mp_eError != eP_NONE) {
        require(pasted.mp_eError < eP_COUNT && pasted.mp_iRow >= 1 && pasted.mp_iCol >= 1 && m.size() == 0 &&
                    pasteRefusal(pasted).rfind("Paste refused: ", 0) == 0,
                "refusal");
        return 0;
    }
    require(m.rows() >= 1 && m.cols() >= 1 && m.size() <= gc_iMAX_ENTRIES && isNumber(m), "block read");
    const ClPasted again = readPastedMatrix(printed(m, uiSize % 2 == 1));
    require(again.mp_eError == eP_NONE && again.mp_mValues == m, "printed block does not read back");
    return 0;
}
