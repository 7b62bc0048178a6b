// The one way to a message box: the window answers through its toolkit, tests through their
// own function, and a run without a window writes the text to standard error.
#pragma once

enum eDIALOG { eD_MESSAGE, eD_ALERT, eD_CHOICE };

/// Shows a box; a choice returns the number of the button picked (b0 is drawn rightmost).
using DialogFunction = int (*)(eDIALOG eKind, const char* acText, const char* acB0, const char* acB1,
                               const char* acB2);
extern DialogFunction g_pfnDialog;

int showDialog(eDIALOG eKind, const char* acText, const char* acB0 = nullptr, const char* acB1 = nullptr,
               const char* acB2 = nullptr);
