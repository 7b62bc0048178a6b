// SPDX-License-Identifier: GPL-3.0-or-later
// The one way to a message box or a file chooser: the window answers through its toolkit,
// tests through their own functions, and a run without a window writes the text to standard
// error and chooses no file.
#pragma once

#include <string>

enum eDIALOG { eD_MESSAGE, eD_ALERT, eD_CHOICE };

/// Shows a box; a choice returns the number of the button picked (b0 is drawn rightmost).
using DialogFunction = int (*)(eDIALOG eKind, const char* acText, const char* acB0, const char* acB1,
                               const char* acB2);
extern DialogFunction g_pfnDialog;

int showDialog(eDIALOG eKind, const char* acText, const char* acB0 = nullptr, const char* acB1 = nullptr,
               const char* acB2 = nullptr);

/// Asks for a file name: 1 chosen (into sPath), 0 cancelled, -1 the chooser failed.
using FileFunction = int (*)(const char* acTitle, bool bSave, std::string& sPath);
extern FileFunction g_pfnChoose_File;

int chooseFile(const char* acTitle, bool bSave, std::string& sPath);
