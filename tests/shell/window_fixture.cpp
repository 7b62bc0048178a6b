// SPDX-License-Identifier: GPL-3.0-or-later
// The shared window and the test answers to its dialogs. Eigen comes before X11, which defines Success.
#include "engine_state.h"
#include "execution_state.h"

#include "window_fixture.h"

#include <cstdlib>

#include <FL/Fl.H>

#include "callbacks.h"

ClAnswers g_Answers;

void ensureWindow() {
    if (!g_Main_Window.mp_pPanel) {
        g_pfnDialog = [](eDIALOG, const char* acText, const char*, const char*, const char*) {
            g_Answers.asTexts.push_back(acText);
            return g_Answers.iChoice;
        };
        g_pfnChoose_File = [](const char* acTitle, bool, std::string& sPath) {
            g_Answers.asTexts.push_back(acTitle);
            sPath = g_Answers.sFile;
            return sPath.empty() ? 0 : 1;
        };
        g_Main_Window.initializeWindow();
    }
    // What an earlier test left open or switched goes back the way a user would take it.
    if (lg_eActive_Input != eAI_CALCULATOR) ClCallback::sizeCancel_cb(nullptr, nullptr);
    if (isGraphOpen()) ClCallback::graph_cb(nullptr, nullptr);
    selectFormat(0);
    g_Main_Window.mp_pPanel->scaleTo(1);
    if (lg_bAlt_On) ClCallback::alt_cb(nullptr, nullptr);
    resetMenu();
    g_Main_Window.resetCalculator();
    g_Main_Window.finishWork();
    Fl::first_window(g_Main_Window.mp_pPanel->mp_pWindow);   // in front of any help window
    g_Answers = ClAnswers();
}

void selectFormat(int iFormat) {
    static int aiFormats[] = {0, 1, 2};
    ClCallback::mode_cb(nullptr, &aiFormats[iFormat]);
    Fl::wait(0);
}

std::string bufferText(Fl_Text_Buffer* pBuffer) {
    char* acText = pBuffer->text();
    const std::string sText = acText;
    std::free(acText);
    return sText;
}
