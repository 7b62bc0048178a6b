// SPDX-License-Identifier: GPL-3.0-or-later
// The window benchmarks' shared helpers: the main window, keys, formats and answered dialogs.
// Eigen's headers come before X11's, which define Success and None.
#include "callbacks.h"
#include "dialogs.h"
#include "main_window.h"

#include "window_common.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/x.H>

#include <benchmark/benchmark.h>

std::string g_sLast_Dialog;
const char* const gc_aacNUMBER_FORMATS[3] = {"decimal", "floating point", "rational"};

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

void switchFormat(int eFormat, int iPercent, int eNumber) {
    int eNew = eFormat;
    ClCallback::mode_cb(nullptr, &eNew);
    ClORBEXUI::mp_miDecimal[eNumber].setonly();
    ClCallback::settings_cb(nullptr, nullptr);
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

bool openHarness(benchmark::State& state, ClProgram& program) {
    program.pDisplay = XOpenDisplay(nullptr);
    if (!program.pDisplay) {
        state.SkipWithError("no X display");
        return false;
    }
    XSelectInput(program.pDisplay, DefaultRootWindow(program.pDisplay), SubstructureNotifyMask);
    XSync(program.pDisplay, False);
    return true;
}

void closeHarness(ClProgram& program) {
    stopProgram(program);
    if (program.pDisplay) XCloseDisplay(program.pDisplay);
    program.pDisplay = nullptr;
}

void startProgram(ClProgram& program) {
    while (XPending(program.pDisplay)) {   // events of an earlier run
        XEvent event;
        XNextEvent(program.pDisplay, &event);
    }
    program.pid = fork();
    if (program.pid == 0) {
        unsetenv("ORBEX_TRANSCRIPT");
        execl(ORBEX_BINARY, ORBEX_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    program.window = 0;
    while (!program.window) {
        XEvent event;
        XNextEvent(program.pDisplay, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) program.window = event.xmap.window;
    }
}

bool waitForFirstFrame(const ClProgram& program, BenchClock::time_point start) {
    // The Enter button's orange, a few pixels below its top edge and above its label.
    const ClRect rect = {277, 396, 1, 1};
    while (secondsSince(start) < 10) {
        XImage* pImage = XGetImage(program.pDisplay, program.window, rect[0], rect[1], 1, 1, AllPlanes, ZPixmap);
        if (pImage) {
            const unsigned long ulPixel = XGetPixel(pImage, 0, 0);
            XDestroyImage(pImage);
            const unsigned uiRed = (ulPixel >> 16) & 0xff, uiGreen = (ulPixel >> 8) & 0xff, uiBlue = ulPixel & 0xff;
            if (uiRed > 200 && uiGreen > 120 && uiBlue < 80) return true;
        }
        usleep(200);
    }
    return false;
}

void stopProgram(ClProgram& program) {
    if (program.pid <= 0) return;
    kill(program.pid, SIGTERM);
    waitpid(program.pid, nullptr, 0);
    program.pid = -1;
    program.window = 0;
}

std::string windowPixels(const ClProgram& program, const ClRect& rect) {
    XImage* pImage = XGetImage(program.pDisplay, program.window, rect[0], rect[1], static_cast<unsigned>(rect[2]),
                               static_cast<unsigned>(rect[3]), AllPlanes, ZPixmap);
    if (!pImage) return "";
    const std::size_t uiBytes = static_cast<std::size_t>(pImage->bytes_per_line) * static_cast<std::size_t>(rect[3]);
    std::string sPixels(pImage->data, uiBytes);
    XDestroyImage(pImage);
    return sPixels;
}

bool waitForChange(const ClProgram& program, const ClRect& rect, const std::string& sBefore, double dTimeout) {
    const BenchClock::time_point start = BenchClock::now();
    while (windowPixels(program, rect) == sBefore) {
        if (secondsSince(start) > dTimeout) return false;
        usleep(100);
    }
    return true;
}
