// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the real program as a person feels it: keys go through the X server to the program
// running as a process of its own, and the clock stops when the server holds changed pixels in
// the window. Enter until a 512 x 512 complex result is drawn, and a key typed with that result
// shown, in each number format, in the two-window format as built.
#include "window_common.h"

#include <initializer_list>
#include <vector>

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <benchmark/benchmark.h>

namespace {

// The displays in the two-window format as built.
const ClRect gc_aiINPUT_DISPLAY = {5, 30, 300, 176};
const ClRect gc_aiOUTPUT_DISPLAY = {310, 30, 300, 176};
constexpr double gc_dKEY_TIMEOUT = 10;

/// The View menu's shortcuts of the number formats.
const KeySym gc_aaNUMBER_SHORTCUTS[3][2] = {{XK_Control_L, XK_d}, {XK_Alt_L, XK_f}, {XK_Control_L, XK_r}};

/// Presses and releases the key of a keysym through the X server, the modifiers held down, and
/// Shift when the keysym is the shifted one of its key.
void sendKey(const ClProgram& program, KeySym keysym, std::initializer_list<KeySym> aModifiers = {}) {
    Display* pDisplay = program.pDisplay;
    const KeyCode keycode = XKeysymToKeycode(pDisplay, keysym);
    std::vector<KeyCode> aModifier_Codes;
    for (KeySym modifier : aModifiers) aModifier_Codes.push_back(XKeysymToKeycode(pDisplay, modifier));
    if (XkbKeycodeToKeysym(pDisplay, keycode, 0, 0) != keysym)
        aModifier_Codes.push_back(XKeysymToKeycode(pDisplay, XK_Shift_L));
    for (KeyCode code : aModifier_Codes) XTestFakeKeyEvent(pDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(pDisplay, keycode, True, CurrentTime);
    XTestFakeKeyEvent(pDisplay, keycode, False, CurrentTime);
    for (auto it = aModifier_Codes.rbegin(); it != aModifier_Codes.rend(); ++it)
        XTestFakeKeyEvent(pDisplay, *it, False, CurrentTime);
    XFlush(pDisplay);
}

/// Sends a key and returns the seconds until the rectangle is drawn changed, or a negative
/// number when it was not within the timeout.
double timedKey(const ClProgram& program, KeySym keysym, const ClRect& rect) {
    const std::string sBefore = windowPixels(program, rect);
    const BenchClock::time_point start = BenchClock::now();
    sendKey(program, keysym);
    return waitForChange(program, rect, sBefore, gc_dKEY_TIMEOUT) ? secondsSince(start) : -1;
}

/// Types key codes one by one, each drawn in the input display before the next is sent.
bool typeLine(const ClProgram& program, const char* acCodes) {
    for (const char* pc = acCodes; *pc; ++pc)
        if (timedKey(program, static_cast<unsigned char>(*pc), gc_aiINPUT_DISPLAY) < 0) return false;
    return true;
}

/// The program started, focused and drawn, in the number format, with 512 x 512 complex
/// matrices of uniform parts in A and B, entered silently.
bool startWithOperands(benchmark::State& state, ClProgram& program, int eNumber) {
    if (!openHarness(state, program)) return false;
    int iUnused = 0;
    if (!XTestQueryExtension(program.pDisplay, &iUnused, &iUnused, &iUnused, &iUnused)) {
        state.SkipWithError("the X server has no XTest extension");
        return false;
    }
    const BenchClock::time_point start = BenchClock::now();
    startProgram(program);
    XRaiseWindow(program.pDisplay, program.window);
    XSetInputFocus(program.pDisplay, program.window, RevertToParent, CurrentTime);
    XSync(program.pDisplay, False);
    if (!waitForFirstFrame(program, start)) {
        state.SkipWithError("the window was not drawn within 10 s");
        return false;
    }
    sendKey(program, gc_aaNUMBER_SHORTCUTS[eNumber][1], {gc_aaNUMBER_SHORTCUTS[eNumber][0]});
    // RndU and Ones bring their "(" with them; the final ";" keeps the value unshown.
    if (!typeLine(program, "A=rO512,512))+i*rO512,512));") || timedKey(program, XK_Return, gc_aiINPUT_DISPLAY) < 0 ||
        !typeLine(program, "B=rO512,512))+i*rO512,512));") || timedKey(program, XK_Return, gc_aiINPUT_DISPLAY) < 0) {
        state.SkipWithError("a key of the operands' lines was not drawn");
        return false;
    }
    state.SetLabel(std::string("512 x 512, two windows, ") + gc_aacNUMBER_FORMATS[eNumber] + ", 100%");
    return true;
}

/// Types A or B, then times Enter until the output display is drawn changed: A and B by turns,
/// so that the end of the result in view changes too. Negative when nothing was drawn.
double enterOperand(const ClProgram& program, bool bA) {
    if (timedKey(program, bA ? XK_A : XK_B, gc_aiINPUT_DISPLAY) < 0) return -1;
    return timedKey(program, XK_Return, gc_aiOUTPUT_DISPLAY);
}

// Enter on a line naming a 512 x 512 complex matrix until the result is drawn, the earlier
// results still in the displays as a session leaves them; the first Enter of the program, into
// displays that hold no result yet, is the counter first_ms. Argument: the number format.
void BM_XServerEnter(benchmark::State& state) {
    ClProgram program;
    if (startWithOperands(state, program, static_cast<int>(state.range(0)))) {
        bool bA = true, bFirst = true;
        for (auto _ : state) {
            const double dSeconds = enterOperand(program, bA);
            if (dSeconds < 0) {
                state.SkipWithError("the result was not drawn");
                break;
            }
            if (bFirst) state.counters["first_ms"] = 1000 * dSeconds;
            bFirst = false;
            state.SetIterationTime(dSeconds);
            bA = !bA;
        }
    }
    closeHarness(program);
}
BENCHMARK(BM_XServerEnter)->ArgName("number")->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

// A digit typed with a 512 x 512 complex result shown, until the input display is drawn changed;
// the BackSpace that takes it away again is the counter bksp_ms. Argument: the number format.
void BM_XServerKey(benchmark::State& state) {
    ClProgram program;
    if (startWithOperands(state, program, static_cast<int>(state.range(0)))) {
        if (enterOperand(program, true) < 0) {
            state.SkipWithError("the result was not drawn");
            closeHarness(program);
            return;
        }
        double dBksp_Seconds = 0;
        for (auto _ : state) {
            const double dSeconds = timedKey(program, XK_1, gc_aiINPUT_DISPLAY);
            const double dBksp = timedKey(program, XK_BackSpace, gc_aiINPUT_DISPLAY);
            if (dSeconds < 0 || dBksp < 0) {
                state.SkipWithError("the key was not drawn");
                break;
            }
            state.SetIterationTime(dSeconds);
            dBksp_Seconds += dBksp;
        }
        state.counters["bksp_ms"] = benchmark::Counter(1000 * dBksp_Seconds / static_cast<double>(state.iterations()));
    }
    closeHarness(program);
}
BENCHMARK(BM_XServerKey)->ArgName("number")->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
