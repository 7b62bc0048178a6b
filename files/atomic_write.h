// Saving a file so that the old one stays until the new one is complete.
#pragma once

#include <string>

/// Writes the bytes to a temporary file beside acPath, flushes, syncs and closes it, then
/// renames it over acPath. On any failure the temporary file is removed, acPath is untouched,
/// sError receives the system's text and false is returned; bOpened tells whether the
/// temporary file could be created at all.
bool writeFileAtomically(const char* acPath, const std::string& sBytes, std::string& sError, bool& bOpened);

/// Tests make the next write fail after this many bytes, as a full disk would (-1: never).
extern long g_lWrite_Fault_After;
