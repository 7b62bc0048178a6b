// SPDX-License-Identifier: GPL-3.0-or-later
// What the window benchmarks share: the one main window of the process, key presses as the
// toolkit delivers them, and the wait until the X server has drawn everything asked of it.
#pragma once

#include <chrono>
#include <string>

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

/// Switches to window format 0 (two windows), 1 (one window) or 2 (portrait) at the factor
/// iPercent / 100, and draws it.
void switchFormat(int eFormat, int iPercent = 100);

/// The text of the last message box a benchmark caused ("" when none); message boxes are
/// answered at once with their first button, so no benchmark waits on one.
extern std::string g_sLast_Dialog;
/// Answers every message box and file chooser without showing it.
void answerDialogs();
/// Fails the benchmark when a message box was shown since the last call.
bool failOnDialog(benchmark::State& state);
