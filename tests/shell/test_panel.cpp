// SPDX-License-Identifier: GPL-3.0-or-later
// The panel, its keys and the window formats, in process on a shown window: keys from every
// focus, golden scripts typed key by key, Escape during a repetition, Alt, the formats and Quit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "button_table.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"
#include "key_events.h"
#include "window_fixture.h"

#include <FL/Fl.H>

#include "callbacks.h"

class ClPanel : public ::testing::Test {
protected:
    void SetUp() override { ensureWindow(); }
    static ClWindow* window() { return g_Main_Window.mp_pPanel->mp_pWindow; }
    static ClORBEXUI& panel() { return *g_Main_Window.mp_pPanel; }
    static std::string shown() { return bufferText(lg_pBuff_In).substr(g_Current_State.mp_uiDisplay_Start); }
    /// Types the characters one key each, as the keyboard sends them.
    static void type(const std::string& sKeys) {
        for (unsigned char c : sKeys) {
            const char acText[2] = {static_cast<char>(c), '\0'};
            pressKey(std::tolower(c), acText, std::isupper(c) ? FL_SHIFT : 0);
        }
    }
    /// What every button shows, one comparable text each.
    static std::vector<std::string> describePanel() {
        std::vector<std::string> asButtons;
        for (const ClButtonSpec& row : gc_aBUTTONS) {
            const ClButton* p = g_epbDictionary[row.mp_eToken];
            asButtons.push_back(std::string(p->label()) + (p->tooltip() ? p->tooltip() : "") +
                                (p->visible() ? " shown" : " hidden") + (p->active() ? "" : " inactive"));
        }
        return asButtons;
    }
};

// Keys reach the line whichever widget has the focus: a hidden button's key too, one BackSpace
// press takes one token; Alt with a letter is a menu shortcut, not Ans.
TEST_F(ClPanel, KeysReachTheLineFromEveryFocus) {
    const struct { int iKey; const char* acText; int iState; } aKEYS[] = {{'d', "D", FL_SHIFT}, {'u', "U", FL_SHIFT},
        {')', ")", 0}, {FL_Left, "", 0}, {FL_Left, "", 0}, {FL_BackSpace, "\b", 0}, {FL_Right, "", 0}};
    Fl_Widget* apFocus[] = {window(), panel().mp_pInput_Display, panel().mp_pOutput_Display, panel().mp_pMenu_Bar,
                            g_epbDictionary[eT_DIGIT_1]};
    for (Fl_Widget* pFocus : apFocus) {
        SCOPED_TRACE(pFocus->label() ? pFocus->label() : "unlabelled");
        cleanUp(true);
        Fl::focus(pFocus);
        for (const auto& key : aKEYS) pressKey(key.iKey, key.acText, key.iState);
        EXPECT_EQ(shown(), "Det U_)");
        pressKey(FL_Escape, "\x1b");
        EXPECT_EQ(shown(), "_");
    }
    pressKey('a', "a", FL_ALT);
    EXPECT_EQ(shown(), "_");
}

// The output display holds exactly the text orbex-batch prints for the same lines, with every
// key typing exactly its code: no automatic "(" and no refusals.
TEST_F(ClPanel, GoldenScriptsTypedGiveTheBatchTranscript) {
    for (const char* acName : {"student", "rpt_loops", "rpt_nested", "rpt_errors"}) {
        SCOPED_TRACE(acName);
        ClCallback::clearEverything_cb(nullptr, nullptr);
        ClORBEXUI::mp_miParentheses->clear();
        ClORBEXUI::mp_miError_Item->clear();
        ClCallback::settings_cb(nullptr, nullptr);
        std::istringstream script(readFile(std::string(ORBEX_GOLDEN_DIR) + "/" + acName + ".in"));
        for (std::string sLine; std::getline(script, sLine); pressKey(FL_Enter, "\r")) type(sLine);
        EXPECT_EQ(bufferText(lg_pBuff_Out) + "\n", readFile(std::string(ORBEX_GOLDEN_DIR) + "/" + acName + ".out"));
    }
}

int lg_iEvents_During = 0;   ///< timer calls seen while the repetition ran

// A repetition of hours: the window keeps handling its events, starts no other work, and Escape
// stops the repetition; the stop is shown once, then the prompt, and the window comes back.
TEST_F(ClPanel, EscapeStopsARepetitionOfHours) {
    const char* const aacLINES[] = {"u=0;", "u=u+1;", "X(65535,1);", "X(65535,1)"};   // the last: 65535 squared lines
    lg_iEvents_During = 0;
    for (const char* acCodes : aacLINES) {
        if (acCodes == aacLINES[3])
            Fl::add_timeout(0.7, [](void*) {   // once it has run a while: a key that would start work, then Escape
                ++lg_iEvents_During;
                pressKey('2', "2");
                pressKey(FL_Escape, "\x1b");
            });
        setLine(acCodes);
        pressKey(FL_Enter, "\r");
    }
    EXPECT_EQ(lg_iEvents_During, 1);
    const std::string sOutput = bufferText(lg_pBuff_Out);
    EXPECT_EQ(sOutput.substr(std::min(sOutput.find("Limit"), sOutput.size()) - 1), "\nLimit on Rpts exceeded\nOut>\n");
    EXPECT_GT(ClCalculator::mp_mVariable[eT_u](0, 0).real(), 1000);
    EXPECT_TRUE(!g_bBusy && panel().mp_pMenu_Bar->active() && std::string(window()->label()) == "ORBEX Calculator");
    EXPECT_EQ(g_Current_State.mp_uiLength, 0);   // the "2" typed meanwhile did nothing
}

// Alt swaps the pairs and back. One window widens the input display over the output display.
// Portrait and back build new panels: the line typed goes with the old one, history stays, Alt is
// off, the Settings items are read again, the buttons are as before, and one window stays one.
TEST_F(ClPanel, AltAndTheFormats) {
    const std::vector<std::string> asLandscape = describePanel();
    ClCallback::alt_cb(nullptr, nullptr);
    for (eTOKEN t : lg_eALTS)
        EXPECT_TRUE(!g_epbDictionary[t]->visible() && g_epbDictionary[t + 1]->visible() && g_epbDictionary[t + 1]->active());
    EXPECT_EQ(g_epbDictionary[eT_ALTERNATE]->value(), 1);
    ClCallback::alt_cb(nullptr, nullptr);
    EXPECT_EQ(describePanel(), asLandscape);
    ClCallback::alt_cb(nullptr, nullptr);
    const int iNarrow = panel().mp_pInput_Display->w();
    selectFormat(1);
    EXPECT_TRUE(panel().mp_pInput_Display->w() > 2 * iNarrow && !panel().mp_pOutput_Display->visible());
    lg_State_History[0] = g_Current_State;
    g_uiHistory_Next = g_uiHistory_Index = 1;
    ClORBEXUI::mp_miError_Item->clear();
    pressKey('2', "2");
    selectFormat(2);
    EXPECT_EQ(g_Current_State.mp_uiLength, 0);
    EXPECT_EQ(g_uiHistory_Next, 1);
    EXPECT_TRUE(!lg_bAlt_On && g_bError_Check && ClORBEXUI::mp_miPortrait->value());
    EXPECT_LT(window()->w(), window()->h());
    selectFormat(1);
    EXPECT_TRUE(panel().mp_pInput_Display->w() > 2 * iNarrow && !panel().mp_pOutput_Display->visible());
    EXPECT_NE(ClORBEXUI::mp_miTwo_Windows[1].value(), 0);
    selectFormat(0);
    EXPECT_EQ(describePanel(), asLandscape);
    EXPECT_EQ(panel().mp_pInput_Display->w(), iNarrow);
}

// A close asks, Escape does not; "No" keeps everything ("Yes" is in the end-to-end script).
TEST_F(ClPanel, QuitAsksAndNoKeepsEverything) {
    pressKey('2', "2");
    Fl::e_number = FL_CLOSE;
    window()->do_callback();
    ClCallback::exit_cb(nullptr, nullptr);
    Fl::e_number = FL_KEYBOARD;
    window()->do_callback();
    EXPECT_EQ(g_Answers.asTexts, std::vector<std::string>(2, "Exit ORBEX Calculator?"));
    EXPECT_TRUE(window()->shown());
    EXPECT_EQ(shown(), "2_");
}

// Resized to twice its size as built, the window lays out every widget at twice its frame and
// every font at twice its size; the displays break their lines anew (where they broke them before,
// the font being twice as wide) but hold the same text and still show their ends, and the line
// typed goes on. Back at the size as built, everything shows as it was. A wider window
// centres the face; one window widens the input display at the factor; portrait keeps the factor
// as far as the screen (768 high here) has room.
TEST_F(ClPanel, ScalesByOneFactorAndBack) {
    type("u=[1:30]/7\rA=[1,2;3,4]\rA*");
    const std::string sExact = panel().mp_pOutput_Display->exactText(), sShown_Out = bufferText(lg_pBuff_Out),
                      sShown_In = bufferText(lg_pBuff_In);
    const auto frame = [](const Fl_Widget* p) { return std::vector<int>{p->x(), p->y(), p->w(), p->h()}; };
    const ClButton* pEnter = g_epbDictionary[eT_ENTER];
    window()->size(1238, 868);   // as the window manager resizes it
    EXPECT_EQ(frame(pEnter), (std::vector<int>{500, 784, 108, 60}));
    EXPECT_EQ(frame(panel().mp_pOutput_Display), (std::vector<int>{620, 60, 600, 352}));
    EXPECT_EQ(frame(panel().mp_pMenu_Bar), (std::vector<int>{0, 0, 624, 60}));
    EXPECT_EQ(pEnter->labelsize(), 36);
    EXPECT_EQ(panel().mp_pOutput_Display->textsize(), 32);
    EXPECT_EQ(panel().mp_pNote_Display->textsize(), 20);
    EXPECT_TRUE(ClORBEXUI::mp_smFile->labelsize() == 36 && ClORBEXUI::mp_miDecimal->labelsize() == 32);
    EXPECT_EQ(panel().mp_pGraph_Box->mp_dScale, 2);
    EXPECT_EQ(panel().mp_pOutput_Display->exactText(), sExact);
    for (ClTextDisplay* pDisplay : {panel().mp_pInput_Display, panel().mp_pOutput_Display}) {
        int iX, iY;   // still in sight
        EXPECT_TRUE(pDisplay->position_to_xy(pDisplay->insert_position(), &iX, &iY));
    }
    type("2");
    EXPECT_EQ(shown(), "A * 2_");
    pressKey(FL_BackSpace, "\b");
    window()->size(619, 434);
    EXPECT_EQ(frame(pEnter), (std::vector<int>{250, 392, 54, 30}));
    EXPECT_EQ(pEnter->labelsize(), 18);
    EXPECT_EQ(bufferText(lg_pBuff_Out), sShown_Out);
    EXPECT_EQ(bufferText(lg_pBuff_In), sShown_In);
    window()->size(1600, 868);
    EXPECT_EQ(frame(pEnter), (std::vector<int>{681, 784, 108, 60}));
    selectFormat(1);
    EXPECT_EQ(frame(panel().mp_pInput_Display), (std::vector<int>{191, 60, 1210, 352}));
    selectFormat(2);
    EXPECT_EQ(std::vector<int>({window()->w(), window()->h()}), (std::vector<int>{469, 763}));
}
