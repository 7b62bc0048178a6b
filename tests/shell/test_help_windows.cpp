// The help, guide and About windows: one window per document, their titles and places, the
// About window keeping its size, and Quit while a help window is in front.
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
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_Image.H>

namespace {

void selectFormat(int iFormat) {
    static int aiFormats[] = {0, 1, 2};
    ClCallback::mode_cb(nullptr, &aiFormats[iFormat]);
    Fl::wait(0);
}

/// The shown top-level windows carrying this title.
int windowsTitled(const char* acTitle) {
    int iCount = 0;
    for (Fl_Window* pWindow = Fl::first_window(); pWindow; pWindow = Fl::next_window(pWindow))
        if (pWindow->label() && std::strcmp(pWindow->label(), acTitle) == 0) ++iCount;
    return iCount;
}

void expectFrame(const Fl_Widget* pWidget, int iX, int iY, int iW, int iH) {
    EXPECT_EQ(pWidget->x(), iX);
    EXPECT_EQ(pWidget->y(), iY);
    EXPECT_EQ(pWidget->w(), iW);
    EXPECT_EQ(pWidget->h(), iH);
}

}  // namespace

class ClHelpWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWindow();
    }
};

TEST_F(ClHelpWindows, HelpIsOneWindowPlacedBesideTheLandscapePanel) {
    showHelpWindow();
    ClDisplayWindow* pFirst = helpWindow();
    ASSERT_NE(pFirst, nullptr);
    showHelpWindow();
    showHelpWindow();
    Fl::wait(0);
    EXPECT_EQ(helpWindow(), pFirst);
    EXPECT_EQ(windowsTitled("ORBEX Calculator Help"), 1);
    EXPECT_STREQ(pFirst->mp_pDisplay_Window->label(), "ORBEX Calculator Help");
    EXPECT_EQ(pFirst->mp_pDisplay_Window->user_data(), pFirst);
    expectFrame(pFirst->mp_pDisplay_Window, 90, 120, 620, 351);
    EXPECT_EQ(pFirst->mp_pHelp_View->textsize(), 18);
    EXPECT_EQ(pFirst->mp_pDisplay_Window->resizable(), pFirst->mp_pHelp_View);
    EXPECT_STREQ(pFirst->value(), gc_acHELP_DOCUMENT);
}

TEST_F(ClHelpWindows, GuideMadeInPortraitKeepsItsPlace) {
    selectFormat(2);
    showGuideWindow();
    ClDisplayWindow* pFirst = guideWindow();
    ASSERT_NE(pFirst, nullptr);
    expectFrame(pFirst->mp_pDisplay_Window, 60, 120, 435, 333);
    EXPECT_EQ(pFirst->mp_pHelp_View->textsize(), 16);
    selectFormat(0);
    showGuideWindow();
    Fl::wait(0);
    EXPECT_EQ(guideWindow(), pFirst);
    EXPECT_EQ(windowsTitled("ORBEX User Guide"), 1);
    expectFrame(pFirst->mp_pDisplay_Window, 60, 120, 435, 333);
}

TEST_F(ClHelpWindows, ViewerFillsTheWindowAndGrowsWithIt) {
    ClDisplayWindow window;
    expectFrame(window.mp_pDisplay_Window, window.mp_pDisplay_Window->x(), window.mp_pDisplay_Window->y(),
                530, 385);
    expectFrame(window.mp_pHelp_View, 8, 28, 515, 340);
    EXPECT_EQ(window.mp_pHelp_View->box(), FL_DOWN_BOX);
    window.value("<HTML><HEAD><TITLE>Two Words</TITLE></HEAD><BODY>x</BODY></HTML>");
    EXPECT_STREQ(window.mp_pDisplay_Window->label(), "Two Words");
}

TEST_F(ClHelpWindows, AboutMadeInPortraitKeepsItsSizeInLandscape) {
    selectFormat(2);
    showAboutWindow();
    Fl_Double_Window* pAbout = aboutWindow();
    ASSERT_NE(pAbout, nullptr);
    EXPECT_STREQ(pAbout->label(), "About ORBEX Calculator");
    expectFrame(pAbout, 62, 50, 425, 300);
    ASSERT_EQ(pAbout->children(), 3);
    const Fl_Widget* pPicture = pAbout->child(0);
    expectFrame(pPicture, 12, 33, 393, 200);
    ASSERT_NE(pPicture->image(), nullptr);
    // Shown unscaled: the picture is as large as the portrait picture box.
    EXPECT_EQ(const_cast<Fl_Widget*>(pPicture)->image()->w(), 393);
    EXPECT_EQ(const_cast<Fl_Widget*>(pPicture)->image()->h(), 200);
    expectFrame(pAbout->child(1), 83, 6, 258, 40);
    EXPECT_STREQ(pAbout->child(1)->label(), "ORBEX\n Calculator Version 1.1.2");
    EXPECT_EQ(pAbout->child(1)->labelfont(), 1);
    EXPECT_EQ(pAbout->child(1)->labelsize(), 16);
    expectFrame(pAbout->child(2), 83, 200, 258, 50);
    EXPECT_NE(std::strstr(pAbout->child(2)->label(), "FLTK"), nullptr);
    EXPECT_NE(std::strstr(pAbout->child(2)->label(), "Eigen"), nullptr);

    selectFormat(0);
    showAboutWindow();
    Fl::wait(0);
    EXPECT_EQ(aboutWindow(), pAbout);
    EXPECT_EQ(windowsTitled("About ORBEX Calculator"), 1);
    expectFrame(pAbout, 62, 50, 425, 300);
}

TEST_F(ClHelpWindows, QuitDoesNothingWhileAHelpWindowIsInFront) {
    showHelpWindow();
    Fl::first_window(helpWindow()->mp_pDisplay_Window);   // as a click on it makes it the front window
    ASSERT_EQ(Fl::first_window(), helpWindow()->mp_pDisplay_Window);
    g_Answers.iChoice = 1;   // a question would be answered "Yes"
    ClCallback::exit_cb(nullptr, nullptr);
    EXPECT_TRUE(g_Answers.asTexts.empty());
    EXPECT_TRUE(g_Main_Window.mp_pPanel->mp_pWindow->shown());
    EXPECT_TRUE(helpWindow()->mp_pDisplay_Window->shown());
}

TEST_F(ClHelpWindows, DocumentsListTheirSectionsInOrder) {
    struct ClDocument {
        const char* acText;
        const char* acTitle;
        std::vector<const char*> aacAnchors;
    };
    const ClDocument aDocuments[] = {
        {gc_acHELP_DOCUMENT, "<TITLE>ORBEX Calculator Help</TITLE>", {"basics", "menus", "buttons", "miscellany"}},
        {gc_acGUIDE_DOCUMENT, "<TITLE>ORBEX User Guide</TITLE>",
         {"intro", "basic", "graph", "programs", "graphsandscripts", "fancy", "odds", "program", "post", "refs"}},
    };
    for (const ClDocument& document : aDocuments) {
        SCOPED_TRACE(document.acTitle);
        const std::string sText = document.acText;
        EXPECT_NE(sText.find(document.acTitle), std::string::npos);
        EXPECT_NE(sText.find("BGCOLOR='#ffffff'"), std::string::npos);
        size_t uiLink = sText.find("<H2>"), uiSection = uiLink;
        ASSERT_NE(uiLink, std::string::npos);
        for (const char* acAnchor : document.aacAnchors) {
            SCOPED_TRACE(acAnchor);
            uiLink = sText.find("HREF='#" + std::string(acAnchor) + "'", uiLink);
            ASSERT_NE(uiLink, std::string::npos);
            uiSection = sText.find("NAME='" + std::string(acAnchor) + "'></A><H3>", uiSection);
            ASSERT_NE(uiSection, std::string::npos);
            EXPECT_LT(uiLink, sText.find("<H3>"));   // the contents list comes first
        }
    }
    EXPECT_GT(gc_iABOUT_PICTURE_BYTES, 0);
}
