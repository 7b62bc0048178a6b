// SPDX-License-Identifier: GPL-3.0-or-later
// A key press as the X server delivers it to the calculator's main window.
#include "key_events.h"

#include <cstdio>
#include <cstring>

#include "main_window.h"

#include <FL/Fl.H>

void pressKey(int iKeysym, const char* acText, int iState) {
    static char acBuffer[8];
    std::snprintf(acBuffer, sizeof acBuffer, "%s", acText);
    Fl::e_keysym = iKeysym;
    Fl::e_text = acBuffer;
    Fl::e_length = static_cast<int>(std::strlen(acBuffer));
    Fl::e_state = iState;
    Fl::handle(FL_KEYDOWN, g_Main_Window.mp_pPanel->mp_pWindow);
}
