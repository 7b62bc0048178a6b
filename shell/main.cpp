// SPDX-License-Identifier: GPL-3.0-or-later
// orbex: the calculator window. Starts on the user's X display, runs the event loop until the
// quit question is answered, and saves nothing.
// Eigen's headers come before X11's, which define Success and None.
#include "calculator.h"

#include <cstdio>
#include <cstdlib>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/x.H>

#include "blas_kernel.h"
#include "main_window.h"
#include "orbex_icon.h"

namespace {

/// The tests' way to read what the displays held when the window closed: with ORBEX_TRANSCRIPT
/// set, the input display's text goes to that file and the output display's to the file + ".out".
void writeTranscript() {
    const char* acPath = std::getenv("ORBEX_TRANSCRIPT");
    if (!acPath) return;
    const ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    std::ofstream(acPath, std::ios::binary) << panel.mp_pInput_Display->exactText();
    std::ofstream(std::string(acPath) + ".out", std::ios::binary) << panel.mp_pOutput_Display->exactText();
}

/// Gives every window the calculator's icon in each of its sizes; the toolkit copies them.
void setWindowIcon() {
    std::unique_ptr<Fl_PNG_Image> apImages[std::size(gc_aICON_PNGS)];
    const Fl_RGB_Image* apIcons[std::size(gc_aICON_PNGS)];
    int iCount = 0;
    for (const ClIcon_Png& png : gc_aICON_PNGS) {
        apImages[iCount] = std::make_unique<Fl_PNG_Image>(nullptr, png.aucData, png.iLength);
        if (apImages[iCount]->fail() == 0) {
            apIcons[iCount] = apImages[iCount].get();
            ++iCount;
        }
    }
    Fl_Window::default_icons(apIcons, iCount);
}

}  // namespace

int main(int, char** argv) {
    useBestKernel(argv);
    configureProcess();
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay) {
        const char* acName = std::getenv("DISPLAY");
        std::fprintf(stderr, "orbex: cannot open the X display \"%s\": ORBEX Calculator needs an X11 desktop\n",
                     acName ? acName : "");
        return 1;
    }
    fl_open_display(pDisplay);
    Fl_Window::default_xclass("orbex");
    setWindowIcon();
    g_Main_Window.initializeWindow();
    const int iResult = Fl::run();
    writeTranscript();
    return iResult;
}
