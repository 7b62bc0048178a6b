// SPDX-License-Identifier: GPL-3.0-or-later
// Paste fuzzer: arbitrary text through the reader of pasted blocks. A refusal names an entry and
// holds no block; a block read keeps the entry limit, holds finite numbers only, and copied out
// again, as Text or as an Octave matrix (by the input's length), pastes back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "copy_as.h"
#include "fuzz_common.h"
#include "paste_parse.h"

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
    const ClPasted again = readPastedMatrix(copyAs(m, uiSize % 2 == 1 ? eCF_OCTAVE : eCF_TEXT));
    require(again.mp_eError == eP_NONE && again.mp_mValues == m, "a block copied out does not paste back");
    return 0;
}
