// SPDX-License-Identifier: GPL-3.0-or-later
// The help and guide windows (an HTML viewer each) and the About window; the documents and the
// About picture are compiled into the program.
#pragma once

class Fl_Double_Window;
class Fl_Help_View;

/// An HTML document in a window of its own: the viewer fills the window and grows with it.
class ClDisplayWindow {
public:
    ClDisplayWindow();
    ~ClDisplayWindow();
    ClDisplayWindow(const ClDisplayWindow&) = delete;
    ClDisplayWindow& operator=(const ClDisplayWindow&) = delete;

    void show();
    void show(int iArgc, char** apcArgv);
    /// Sets the viewer's text size; the document is laid out again.
    void textsize(int iSize);
    /// Loads an HTML text; the window takes the document's title.
    void value(const char* acHtml);
    const char* value() const;

    Fl_Double_Window* mp_pDisplay_Window;   ///< 530 x 385; its user data is this object
    Fl_Help_View* mp_pHelp_View;            ///< 8, 28, 515, 340; the window's resizable widget
};

/// Help > Calculator Help: the help window, created and placed on first use, shown again later.
void showHelpWindow();
/// Help > Calculator User Guide: the same for the guide.
void showGuideWindow();
/// Help > About: the About window, created and placed on first use, shown again later.
void showAboutWindow();

/// The windows made so far (null before their first request).
ClDisplayWindow* helpWindow();
ClDisplayWindow* guideWindow();
Fl_Double_Window* aboutWindow();

// The compiled-in documents and picture (generated from shell/docs at build time).
extern const char* const gc_acHELP_DOCUMENT;    ///< help.html, zero-terminated
extern const char* const gc_acGUIDE_DOCUMENT;   ///< guide.html, zero-terminated
extern const unsigned char* const gc_aucABOUT_PICTURE;   ///< about.jpg
extern const int gc_iABOUT_PICTURE_BYTES;
