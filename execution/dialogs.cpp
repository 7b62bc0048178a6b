// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes through one function pointer; without one the text goes to standard error.
#include "dialogs.h"

#include <cstdio>

DialogFunction g_pfnDialog = nullptr;
FileFunction g_pfnChoose_File = nullptr;

int showDialog(eDIALOG eKind, const char* acText, const char* acB0, const char* acB1, const char* acB2) {
    if (g_pfnDialog) return g_pfnDialog(eKind, acText, acB0, acB1, acB2);
    std::fprintf(stderr, "%s\n", acText);
    return 0;
}

int chooseFile(const char* acTitle, bool bSave, std::string& sPath) {
    return g_pfnChoose_File ? g_pfnChoose_File(acTitle, bSave, sPath) : 0;
}
