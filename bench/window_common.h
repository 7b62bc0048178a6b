// SPDX-License-Identifier: GPL-3.0-or-later
// What the window benchmarks share: the one main window of the process, key presses as the
// toolkit delivers them, and the wait until the X server has drawn everything asked of it.
#pragma once

#include <chrono>
#include <string>

#include <sys/types.h>

#include <X11/Xlib.h>

#include "key_events.h"

class ClWindow;

namespace benchmark {
class State;
}

using BenchClock = std::chrono::steady_clock;

double secondsSince(BenchClock::time_point start);

ClWindow* mainWindow();
/// Waits until the main window is mapped and exposed, draws it and waits until the server has
/// carried out every drawing request.
void waitUntilDrawn();
/// Draws what is damaged and waits for the server, without waiting for an expose.
void flushAndSync();
/// Builds and shows the window the first time.
void ensureWindow();

/// One key of a code pressed, as the keyboard sends it (pressKey, key_events.h).
void typeKey(char cKey);
/// Types key codes one by one, as the keyboard does.
void typeKeys(const char* acCodes);
void pressEnter();
void pressEscape();

/// The names of the number formats 0, 1 and 2 in the benchmarks' labels.
extern const char* const gc_aacNUMBER_FORMATS[3];

/// Switches to window format 0 (two windows), 1 (one window) or 2 (portrait) at the factor
/// iPercent / 100 and to number format 0 (decimal), 1 (floating point) or 2 (rational), as the
/// View menu does, and draws it.
void switchFormat(int eFormat, int iPercent = 100, int eNumber = 0);

/// The text of the last message box a benchmark caused ("" when none); message boxes are
/// answered at once with their first button, so no benchmark waits on one.
extern std::string g_sLast_Dialog;
/// Answers every message box and file chooser without showing it.
void answerDialogs();
/// Fails the benchmark when a message box was shown since the last call.
bool failOnDialog(benchmark::State& state);

/// The real program as a process of its own, seen by a harness on a display connection of its
/// own, as a person sees it: through the X server's pixels.
struct ClProgram {
    Display* pDisplay = nullptr;   ///< the harness's connection
    pid_t pid = -1;
    Window window = 0;             ///< the program's main window, once mapped
};

/// A rectangle of the program's window: x, y, w, h.
using ClRect = int[4];

/// Opens the harness's connection, which learns of every window mapped on the screen; fails the
/// benchmark without a display.
bool openHarness(benchmark::State& state, ClProgram& program);
void closeHarness(ClProgram& program);
/// Starts the program and returns when its main window is mapped.
void startProgram(ClProgram& program);
/// Waits until the program has drawn its first frame, at most 10 s after start; false if not.
bool waitForFirstFrame(const ClProgram& program, BenchClock::time_point start);
void stopProgram(ClProgram& program);

/// The pixels of a rectangle of the program's window, as the server holds them now.
std::string windowPixels(const ClProgram& program, const ClRect& rect);
/// Waits until the rectangle's pixels differ from sBefore, at most dTimeout seconds; false if not.
bool waitForChange(const ClProgram& program, const ClRect& rect, const std::string& sBefore, double dTimeout);
