// SPDX-License-Identifier: GPL-3.0-or-later
// The window benchmarks' shared helpers: the main window, keys, formats and answered dialogs.
// Eigen's headers come before X11's, which define Success and None.
#include "callbacks.h"
#include "dialogs.h"
#include "main_window.h"

#include "window_common.h"

#include <cstdio>
#include <cstring>

#include <FL/Fl.H>
#include <FL/x.H>

#include <benchmark/benchmark.h>

std::string g_sLast_Dialog;

double secondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

ClWindow* mainWindow() { return g_Main_Window.mp_pPanel->mp_pWindow; }

void waitUntilDrawn() {
    mainWindow()->wait_for_expose();
    flushAndSync();
}

void flushAndSync() {
    Fl::flush();
    XSync(fl_display, False);
}

void ensureWindow() {
    if (!g_Main_Window.mp_pPanel) {
        g_Main_Window.initializeWindow();
        waitUntilDrawn();
    }
}

void typeKey(char cKey) {
    const char acText[2] = {cKey, '\0'};
    pressKey(static_cast<unsigned char>(cKey), acText);
}

void typeKeys(const char* acCodes) {
    for (const char* pc = acCodes; *pc; ++pc) typeKey(*pc);
}

void pressEnter() { pressKey(FL_Enter, "\r"); }

void pressEscape() { pressKey(FL_Escape, "\x1b"); }

void switchFormat(int eFormat, int iPercent) {
    int eNew = eFormat;
    ClCallback::mode_cb(nullptr, &eNew);
    g_Main_Window.mp_pPanel->scaleTo(iPercent / 100.0);
    waitUntilDrawn();
}

namespace {

int answerDialog(eDIALOG, const char* acText, const char*, const char*, const char*) {
    g_sLast_Dialog = acText;
    return 0;
}

int answerChooser(const char* acTitle, bool, std::string&) {
    g_sLast_Dialog = acTitle;
    return 0;
}

}  // namespace

void answerDialogs() {
    g_pfnDialog = answerDialog;
    g_pfnChoose_File = answerChooser;
}

bool failOnDialog(benchmark::State& state) {
    if (g_sLast_Dialog.empty()) return false;
    state.SkipWithError(("a message box was shown: " + g_sLast_Dialog).c_str());
    g_sLast_Dialog.clear();
    return true;
}
