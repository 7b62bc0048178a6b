// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file so that the old one stays until the new one is complete.
#pragma once

#include <string>

/// Writes the bytes to a temporary file beside the file acPath names (following its symbolic
/// links), syncs it and renames it over that file, which keeps its mode and, where the system
/// allows, its owner. A file with other hard links is instead written in place once the temporary
/// copy succeeded, so that all its names see the new bytes. A file the user may not write is
/// refused. On any failure no temporary file is left and, short of a write in place failing after
/// its copy succeeded, the file is untouched; sError receives the system's text and false is
/// returned; bOpened tells whether the temporary file could be created at all.
bool writeFileAtomically(const char* acPath, const std::string& sBytes, std::string& sError, bool& bOpened);

/// Tests make the next write fail after this many bytes, as a full disk would (-1: never).
extern long g_lWrite_Fault_After;
