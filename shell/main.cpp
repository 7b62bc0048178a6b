// orbex: the calculator window. Starts on the user's X display, runs the event loop until the
// quit question is answered, and saves nothing.
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include <FL/Fl.H>
#include <FL/x.H>

#include "main_window.h"

int main() {
    std::setlocale(LC_ALL, "C");
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay) {
        const char* acName = std::getenv("DISPLAY");
        std::fprintf(stderr, "orbex: cannot open the X display \"%s\": ORBEX Calculator needs an X11 desktop\n",
                     acName ? acName : "");
        return 1;
    }
    fl_open_display(pDisplay);
    Fl_Window::default_xclass("orbex");
    g_Main_Window.initializeWindow();
    return Fl::run();
}
