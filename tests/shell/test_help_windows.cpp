// SPDX-License-Identifier: GPL-3.0-or-later
// The help, guide and About windows: one window per document that keeps its place when the
// format changes, the title taken from the document, and Quit while a help window is in front.
// The documents' links are checked with the guide's examples.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "callbacks.h"
#include "engine_state.h"
#include "execution_state.h"
#include "help_windows.h"
#include "window_fixture.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image.H>

namespace {

/// A window's place and size, and how many shown windows carry its title.
std::vector<int> frame(const Fl_Window* pShown) {
    int iSame_Title = 0;
    for (Fl_Window* p = Fl::first_window(); p; p = Fl::next_window(p))
        iSame_Title += p->label() && std::strcmp(p->label(), pShown->label()) == 0;
    return {pShown->x(), pShown->y(), pShown->w(), pShown->h(), iSame_Title};
}

// Made in portrait (or earlier), shown again in landscape: the same window in the same place.
// Quit does nothing while one of them is in front.
TEST(ClHelpWindows, OneWindowPerDocumentKeepsItsPlaceAndQuitWaits) {
    ensureWindow();
    const struct { void (*pfnShow)(); Fl_Window* (*pfnWindow)(); const char* acTitle; } aWINDOWS[] = {
        {showHelpWindow, [] { return static_cast<Fl_Window*>(helpWindow()->mp_pDisplay_Window); }, "ORBEX Calculator Help"},
        {showGuideWindow, [] { return static_cast<Fl_Window*>(guideWindow()->mp_pDisplay_Window); }, "ORBEX User Guide"},
        {showAboutWindow, [] { return static_cast<Fl_Window*>(aboutWindow()); }, "About ORBEX Calculator"},
    };
    for (const auto& w : aWINDOWS) {
        selectFormat(2);
        w.pfnShow();
        Fl_Window* pFirst = w.pfnWindow();
        EXPECT_STREQ(pFirst->label(), w.acTitle);   // the document's <TITLE>
        const std::vector<int> aiFrame = frame(pFirst);
        EXPECT_EQ(aiFrame[4], 1);
        selectFormat(0);
        w.pfnShow();
        w.pfnShow();
        Fl::wait(0);
        EXPECT_EQ(w.pfnWindow(), pFirst);
        EXPECT_EQ(frame(pFirst), aiFrame);
    }
    EXPECT_STREQ(helpWindow()->value(), gc_acHELP_DOCUMENT);
    const Fl_Widget* pPicture = aboutWindow()->child(0);   // shown unscaled, as large as its box
    EXPECT_EQ(const_cast<Fl_Widget*>(pPicture)->image()->w(), pPicture->w());
    EXPECT_EQ(const_cast<Fl_Widget*>(pPicture)->image()->h(), pPicture->h());
    Fl::first_window(helpWindow()->mp_pDisplay_Window);   // as a click on it makes it the front window
    g_Answers.iChoice = 1;                                // a question would be answered "Yes"
    ClCallback::exit_cb(nullptr, nullptr);
    EXPECT_TRUE(g_Answers.asTexts.empty());
    EXPECT_TRUE(g_Main_Window.mp_pPanel->mp_pWindow->shown() && helpWindow()->mp_pDisplay_Window->shown());
}

}  // namespace
