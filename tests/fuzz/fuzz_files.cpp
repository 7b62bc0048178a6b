// SPDX-License-Identifier: GPL-3.0-or-later
// Data file fuzzer: the loader reads the input as a file's bytes (first byte even) or as a
// payload already decoded (odd), so that mutations also reach near-valid payloads. A file that
// passes must keep its limits; it is then applied as Open or Append in one of the window
// formats on string panes, and what a save would write must open back to the same history and
// variables, infinities and NaNs included.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data_file.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "fuzz_common.h"
#include "round_trip.h"

namespace {

ClStringPane lg_Input, lg_Output;

void checkLimits(const ClDataFile& file) {
    require(file.uiKind == 0 || isVariableToken(static_cast<int>(file.uiKind)), "kind");
    require(file.amVariables.size() == (file.uiKind == 0 ? gc_iVARIABLE_COUNT : 1u), "block count");
    for (const Matrix& mValue : file.amVariables) require(mValue.size() <= gc_iMAX_ENTRIES, "block size");
    require(file.asEntries.size() <= gc_iHISTORY_SIZE, "entry count");
    for (const std::string& sEntry : file.asEntries) {
        require(!sEntry.empty(), "empty entry");
        require(sEntry.size() <= (sEntry[0] == '"' ? gc_uiMAX_COMMENT : gc_iLINE_MAX_STORED), "entry length");
    }
}

std::string storedLine(const ClState& entry) {
    return std::string(reinterpret_cast<const char*>(entry.mp_acInput), entry.mp_uiLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pucData, std::size_t uiSize) {
    static const bool bReady = [] {
        resetExecution(&lg_Input, &lg_Output);
        return true;
    }();
    (void)bReady;
    if (uiSize == 0) return 0;
    const unsigned uiMode = pucData[0];
    const std::string sBytes(reinterpret_cast<const char*>(pucData) + 1, uiSize - 1);
    ClDataFile file;
    const eREAD_RESULT eResult = (uiMode & 1) ? parsePayload(sBytes, file) : decodeDataFile(sBytes, file);
    if (eResult != eRR_OK) return 0;
    checkLimits(file);

    clearAll();
    g_eWindow_Mode = static_cast<eWINDOW_MODE>((uiMode >> 1) % 3);
    const unsigned short uiLoad_Mode = (uiMode >> 3) & 1;
    if (uiLoad_Mode != 0) enterStoredLine("1");   // something to append to
    applyDataFile(file, uiLoad_Mode);
    require(g_uiHistory_Index == g_uiHistory_Next && g_uiHistory_Next <= gc_iHISTORY_SIZE, "history count");
    if (file.uiKind == 0 && uiLoad_Mode == 0) {
        unsigned short uiLine = 0;
        for (const std::string& sEntry : file.asEntries)
            if (sEntry[0] != '"') require(storedLine(lg_State_History[uiLine++]) == sEntry, "replayed line");
        require(uiLine == g_uiHistory_Next, "replayed count");
    }

    if (file.uiKind != 0) {
        const eTOKEN eVariable = static_cast<eTOKEN>(file.uiKind);
        const std::string sSaved = variablePayload(eVariable);
        ClDataFile again;
        require(parsePayload(sSaved, again) == eRR_OK, "saved variable reads back");
        ClCalculator::mp_mVariable[eVariable] = again.amVariables[0];
        require(variablePayload(eVariable) == sSaved, "saved variable opens back");
    }
    require(savesAndOpensBack(), "the saved history does not open back");
    return 0;
}
