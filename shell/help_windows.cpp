// SPDX-License-Identifier: GPL-3.0-or-later
// The help, guide and About windows: each is made on its first request, placed beside the
// panel's text area, and only shown again afterwards.
#include "help_windows.h"

#include <new>

// The calculator's headers (Eigen) come before the toolkit's: X11 defines Success and None.
#include "dialogs.h"
#include "execution_state.h"
#include "main_window.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_JPEG_Image.H>
#include <FL/Fl_Shared_Image.H>

namespace {

ClDisplayWindow* lg_pHelp_Window = nullptr;    ///< kept until exit once made
ClDisplayWindow* lg_pGuide_Window = nullptr;
Fl_Double_Window* lg_pAbout_Window = nullptr;
Fl_JPEG_Image* lg_pPicture = nullptr;          ///< the About picture, named "linalg"

const char gc_acABOUT_TITLE[] = "ORBEX\n Calculator Version 1.1.2";
const char gc_acDEDICATION[] =
    "For students of linear algebra and their textbooks.\nWith thanks to the FLTK and Eigen projects.\n"
    "Free software under the GNU GPL, version 3 or later.";

/// The frame of the panel's text group as built: every secondary window is placed from it, then
/// scaled with the main window's face.
struct ClFrame {
    int x, y, w, h;
};

ClFrame textFrame() {
    const ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    const int* aiFrame = panel.baseFrame(panel.mp_pText_Group);
    return {aiFrame[0], aiFrame[1], aiFrame[2], aiFrame[3]};
}

int scaled(int iLength) { return g_Main_Window.mp_pPanel->scaled(iLength); }

void resizeScaled(Fl_Widget* pWidget, int iX, int iY, int iW, int iH) {
    pWidget->resize(scaled(iX), scaled(iY), scaled(iW), scaled(iH));
}

Fl_Box* scaledBox(int iX, int iY, int iW, int iH, const char* acLabel) {
    return new Fl_Box(scaled(iX), scaled(iY), scaled(iW), scaled(iH), acLabel);
}

/// Makes, places and fills a document window; null (after an alert) when it cannot be made.
ClDisplayWindow* openDocument(const char* acHtml, bool bGuide) {
    ClDisplayWindow* pWindow = nullptr;
    try {
        pWindow = new ClDisplayWindow;
    } catch (const std::bad_alloc&) {
        showDialog(eD_ALERT, bGuide ? "Failure opening Guide window." : "Failure opening Help window.");
        return nullptr;
    }
    const ClFrame f = textFrame();
    // Divisions truncate: the windows keep the same place for the same panel.
    if (g_eWindow_Mode != eWM_PORTRAIT)
        resizeScaled(pWindow->mp_pDisplay_Window, f.x + (bGuide ? 120 : 90), f.y + (bGuide ? 180 : 120), f.w, 5 * f.h / 3);
    else
        resizeScaled(pWindow->mp_pDisplay_Window, f.x + 60, f.y + (bGuide ? 120 : 90), f.w + (bGuide ? 60 : 18), 4 * f.h / 3);
    pWindow->textsize(static_cast<Fl_Fontsize>(scaled(g_eWindow_Mode != eWM_PORTRAIT ? 18 : 16)));
    pWindow->value(acHtml);
    pWindow->show();
    return pWindow;
}

}  // namespace

ClDisplayWindow::ClDisplayWindow() {
    fl_register_images();
    mp_pDisplay_Window = new Fl_Double_Window(530, 385, "");
    mp_pDisplay_Window->user_data(this);
    mp_pHelp_View = new Fl_Help_View(8, 28, 515, 340);
    mp_pHelp_View->box(FL_DOWN_BOX);
    mp_pDisplay_Window->resizable(mp_pHelp_View);
    mp_pDisplay_Window->size_range(260, 150);
    mp_pDisplay_Window->end();
}

ClDisplayWindow::~ClDisplayWindow() { delete mp_pDisplay_Window; }

void ClDisplayWindow::show() { mp_pDisplay_Window->show(); }

void ClDisplayWindow::show(int iArgc, char** apcArgv) { mp_pDisplay_Window->show(iArgc, apcArgv); }

void ClDisplayWindow::textsize(int iSize) { mp_pHelp_View->textsize(iSize); }

void ClDisplayWindow::value(const char* acHtml) {
    mp_pHelp_View->set_changed();
    mp_pHelp_View->value(acHtml);
    mp_pDisplay_Window->copy_label(mp_pHelp_View->title());
}

const char* ClDisplayWindow::value() const { return mp_pHelp_View->value(); }

void showHelpWindow() {
    if (lg_pHelp_Window) {
        lg_pHelp_Window->show();
        return;
    }
    lg_pHelp_Window = openDocument(gc_acHELP_DOCUMENT, false);
}

void showGuideWindow() {
    if (lg_pGuide_Window) {
        lg_pGuide_Window->show();
        return;
    }
    lg_pGuide_Window = openDocument(gc_acGUIDE_DOCUMENT, true);
}

void showAboutWindow() {
    if (lg_pAbout_Window) {
        lg_pAbout_Window->show();
        return;
    }
    const ClFrame f = textFrame();
    int a, b, x, y;   // the two bases of the layout and the window's place
    if (g_eWindow_Mode != eWM_PORTRAIT) {
        a = 2 * f.w / 3, b = f.h, x = f.x + f.w / 3, y = f.y + f.h / 4;
    } else {
        a = f.w + 12, b = 4 * f.h / 5, x = f.x + f.w / 6, y = f.y + f.h / 5;
    }
    lg_pAbout_Window = new Fl_Double_Window(scaled(x), scaled(y), scaled(11 * a / 10), scaled(12 * b / 10 + 80),
                                            "About ORBEX Calculator");
    Fl_Box* pPicture_Box = scaledBox(12, b / 6, a + 6, b, "");
    if (!lg_pPicture) lg_pPicture = new (std::nothrow) Fl_JPEG_Image("linalg", gc_aucABOUT_PICTURE);
    if (!lg_pPicture || lg_pPicture->fail()) {
        lg_pAbout_Window->end();
        showDialog(eD_ALERT, "Failure opening About window.");
        return;
    }
    // The picture grows with the face: at factor 1 it is shown as it is.
    const int iPicture_W = scaled(lg_pPicture->w()), iPicture_H = scaled(lg_pPicture->h());
    const bool bAs_Is = iPicture_W == lg_pPicture->w() && iPicture_H == lg_pPicture->h();
    pPicture_Box->image(bAs_Is ? lg_pPicture : lg_pPicture->copy(iPicture_W, iPicture_H));
    Fl_Box* pTitle_Box = scaledBox(a / 5 + 6, 6, 2 * a / 3, b / 5, gc_acABOUT_TITLE);
    pTitle_Box->labelfont(1);
    Fl_Box* pText_Box = scaledBox(a / 5 + 6, b, 2 * a / 3, b / 4, gc_acDEDICATION);
    for (Fl_Box* pBox : {pTitle_Box, pText_Box}) pBox->labelsize(static_cast<Fl_Fontsize>(scaled(16)));
    pText_Box->align(FL_ALIGN_BOTTOM);   // under its box, clear of the picture above
    lg_pAbout_Window->end();
    lg_pAbout_Window->show();
}

ClDisplayWindow* helpWindow() { return lg_pHelp_Window; }
ClDisplayWindow* guideWindow() { return lg_pGuide_Window; }
Fl_Double_Window* aboutWindow() { return lg_pAbout_Window; }
