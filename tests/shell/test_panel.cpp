// The panel, its keys and the window formats, in process on a shown window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "button_table.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_edit.h"
#include "key_events.h"
#include "window_fixture.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "main_window.h"

namespace {

/// What a button shows and does, as a comparable text.
std::string describe(const ClButton* pButton) {
    return std::string(pButton->label()) + "|" + std::to_string(pButton->mp_eToken) + "|" +
           std::to_string(pButton->mp_ucKey) + "|" + std::to_string(pButton->shortcut()) + "|" +
           (pButton->tooltip() ? pButton->tooltip() : "") + "|" + (pButton->visible() ? "shown" : "hidden") +
           (pButton->active() ? "" : " inactive");
}

std::vector<std::string> describePanel() {
    std::vector<std::string> asButtons;
    for (const ClButtonSpec& row : gc_aBUTTONS) asButtons.push_back(describe(g_epbDictionary[row.mp_eToken]));
    return asButtons;
}

void selectFormat(int iFormat) {
    static int aiFormats[] = {0, 1, 2};
    ClCallback::mode_cb(nullptr, &aiFormats[iFormat]);
    Fl::wait(0);   // the discarded panel goes here
}

}  // namespace

class ClPanel : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWindow();
    }
    static ClWindow* window() { return g_Main_Window.mp_pPanel->mp_pWindow; }

    static std::string shown() {
        const std::string sText = bufferText(lg_pBuff_In);
        return sText.substr(g_Current_State.mp_uiDisplay_Start);
    }
};

TEST_F(ClPanel, RegistersEveryButtonAndKeyOfTheTable) {
    for (const ClButtonSpec& row : gc_aBUTTONS) {
        SCOPED_TRACE(row.mp_acLabel);
        const ClButton* pButton = g_epbDictionary[row.mp_eToken];
        ASSERT_NE(pButton, nullptr);
        EXPECT_EQ(g_aeDictionary[row.mp_ucKey], row.mp_eToken);
        EXPECT_STREQ(pButton->label(), row.mp_acLabel);
        EXPECT_EQ(pButton->x(), row.mp_iX);
        EXPECT_EQ(pButton->y(), row.mp_iY);
        EXPECT_EQ(pButton->visible() != 0, !row.mp_bAlternate);
        EXPECT_EQ(*static_cast<eTOKEN*>(pButton->user_data()), row.mp_eToken);
    }
    EXPECT_EQ(window()->w(), 619);
    EXPECT_EQ(window()->h(), 434);
    EXPECT_STREQ(window()->label(), "ORBEX Calculator");
}

TEST_F(ClPanel, AltSwapsExactlyTheThirtySixPairs) {
    const std::vector<std::string> asBefore = describePanel();
    ClCallback::alt_cb(nullptr, nullptr);
    int iChanged = 0;
    for (int i = 0; i < gc_iBUTTON_COUNT; ++i) iChanged += describePanel()[i] != asBefore[i];
    EXPECT_EQ(iChanged, 2 * gc_iALT_COUNT);
    for (eTOKEN t : lg_eALTS) {
        EXPECT_FALSE(g_epbDictionary[t]->visible());
        EXPECT_TRUE(g_epbDictionary[t + 1]->visible() && g_epbDictionary[t + 1]->active());
    }
    EXPECT_EQ(g_epbDictionary[eT_ALTERNATE]->value(), 1);
    ClCallback::alt_cb(nullptr, nullptr);
    EXPECT_EQ(describePanel(), asBefore);
}

TEST_F(ClPanel, PortraitAndBackRebuildTheSameButtons) {
    const std::vector<std::string> asLandscape = describePanel();
    lg_State_History[0] = g_Current_State;
    g_uiHistory_Next = g_uiHistory_Index = 1;
    ClCallback::alt_cb(nullptr, nullptr);
    ClORBEXUI::mp_miError_Item->clear();
    pressKey('2', "2");
    selectFormat(2);
    EXPECT_EQ(g_Current_State.mp_uiLength, 0);   // the line typed goes with the old panel
    EXPECT_FALSE(lg_bAlt_On);
    EXPECT_TRUE(g_bError_Check);   // every build checks the Settings items again
    EXPECT_EQ(window()->w(), 375);
    EXPECT_EQ(window()->h(), 610);
    EXPECT_NE(ClORBEXUI::mp_miPortrait->value(), 0);
    int iDifferent = 0;
    for (const ClButtonSpec& row : gc_aBUTTONS) {
        const ClButton* pButton = g_epbDictionary[row.mp_eToken];
        EXPECT_EQ(pButton->x(), row.mp_iPortrait_X) << row.mp_acLabel;
        EXPECT_EQ(pButton->h(), row.mp_iPortrait_H) << row.mp_acLabel;
        iDifferent += describe(pButton) != asLandscape[&row - gc_aBUTTONS];
    }
    EXPECT_EQ(iDifferent, 3);   // " X ", "Sqrt" and "QR" have portrait tooltips, "QR" a label too
    EXPECT_STREQ(g_epbDictionary[eT_QR]->label(), "QR");
    EXPECT_EQ(g_uiHistory_Next, 1);
    selectFormat(0);
    EXPECT_EQ(describePanel(), asLandscape);
    EXPECT_NE(ClORBEXUI::mp_miTwo_Windows->value(), 0);
}

TEST_F(ClPanel, OneWindowWidensTheInputDisplayOverTheOutput) {
    selectFormat(1);
    const ClTextDisplay* pInput = g_Main_Window.mp_pPanel->mp_pInput_Display;
    EXPECT_EQ(pInput->w(), 605);
    EXPECT_FALSE(g_Main_Window.mp_pPanel->mp_pOutput_Display->visible());
    selectFormat(2);   // from one window to portrait and back lands in one window
    selectFormat(1);
    EXPECT_EQ(g_eWindow_Mode, eWM_ONE_WINDOW);
    EXPECT_EQ(g_Main_Window.mp_pPanel->mp_pInput_Display->w(), 605);
    selectFormat(0);
    EXPECT_EQ(g_Main_Window.mp_pPanel->mp_pInput_Display->w(), 300);
    EXPECT_TRUE(g_Main_Window.mp_pPanel->mp_pOutput_Display->visible());
}

TEST_F(ClPanel, NoFormatChangeWhileAGraphWindowIsOpen) {
    g_eOutput = eGS_SHOWN;
    ClORBEXUI::mp_miPortrait->setonly();   // as the menu sets it before the callback runs
    selectFormat(2);
    EXPECT_EQ(g_eWindow_Mode, eWM_TWO_WINDOWS);
    EXPECT_NE(ClORBEXUI::mp_miTwo_Windows->value(), 0);
    EXPECT_EQ(ClORBEXUI::mp_miPortrait->value(), 0);
}

// Keys reach the line whichever widget has the focus, and whatever the Alt state.
TEST_F(ClPanel, KeysReachTheLineFromEveryFocus) {
    ClORBEXUI* pPanel = g_Main_Window.mp_pPanel;
    Fl_Widget* apFocus[] = {window(), pPanel->mp_pInput_Display, pPanel->mp_pOutput_Display,
                            pPanel->mp_pMenu_Bar, g_epbDictionary[eT_DIGIT_1]};
    for (Fl_Widget* pFocus : apFocus) {
        SCOPED_TRACE(pFocus->label() ? pFocus->label() : "unlabelled");
        cleanUp(true);
        Fl::focus(pFocus);
        pressKey('d', "D", FL_SHIFT);
        pressKey('u', "U", FL_SHIFT);    // a hidden button's key
        pressKey(')', ")");
        pressKey(FL_Left, "");
        pressKey(FL_Left, "");
        pressKey(FL_BackSpace, "\b");   // one press, one token
        pressKey(FL_Right, "");
        EXPECT_EQ(shown(), "Det U_)");
        pressKey(FL_Escape, "\x1b");
        EXPECT_EQ(shown(), "_");
    }
    pressKey('a', "a", FL_ALT);   // a menu shortcut, not Ans
    EXPECT_EQ(shown(), "_");
}

TEST_F(ClPanel, QuitAsksAndNoKeepsEverything) {
    pressKey('2', "2");
    g_Answers.iChoice = 0;
    Fl::e_number = FL_CLOSE;
    window()->do_callback();
    ClCallback::exit_cb(nullptr, nullptr);
    EXPECT_EQ(g_Answers.asTexts, std::vector<std::string>(2, "Exit ORBEX Calculator?"));
    EXPECT_TRUE(window()->shown());
    EXPECT_EQ(shown(), "2_");
    Fl::e_number = FL_KEYBOARD;   // Escape reaches the window callback too: no question then
    window()->do_callback();
    EXPECT_EQ(g_Answers.asTexts.size(), 2u);
    g_Answers.iChoice = 1;
    ClCallback::exit_cb(nullptr, nullptr);
    EXPECT_EQ(Fl::first_window(), nullptr);
    window()->show();
}
