// SPDX-License-Identifier: GPL-3.0-or-later
// The data file's promise, checked by the fuzzers: what Save Input writes, Open reads back to
// the same history and variables.
#pragma once

#include <string>

#include "data_file.h"
#include "driver.h"

/// Saves the history and variables, clears everything, opens the save and saves again: the two
/// payloads must agree (numbers are written in 15 digits, which read back to the same text).
inline bool savesAndOpensBack() {
    const std::string sSaved = historyPayload();
    ClDataFile file;
    if (parsePayload(sSaved, file) != eRR_OK) return false;
    clearAll();
    applyDataFile(file, 0);
    return historyPayload() == sSaved;
}
