// A long repetition in the window: the window keeps handling its events, shows the count,
// starts no other work, and Escape stops the repetition.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "key_events.h"
#include "window_fixture.h"

namespace {

int lg_iEvents_During = 0;   ///< timer calls seen while the repetition ran

/// Once the repetition has run a while: a key that would start work, then Escape.
void pressKeys(void*) {
    ++lg_iEvents_During;
    pressKey('2', "2");
    pressKey(FL_Escape, "\x1b");
}

void enter(const char* acLine) {
    setLine(displayToCodes(acLine));
    static eTOKEN eEnter = eT_ENTER;
    ClCallback::state_cb(nullptr, &eEnter);
}

}  // namespace

TEST(ClRepetition, EscapeStopsARepetitionOfHoursAndTheWindowComesBack) {
    ensureWindow();
    enter("u = 0; ");
    enter("u = u + 1; ");
    enter("Rpt(65535, 1); ");
    Fl::add_timeout(0.7, pressKeys);
    enter("Rpt(65535, 1)");   // 65535 squared lines: hours without a way out
    EXPECT_EQ(lg_iEvents_During, 1);
    const std::string sOutput = bufferText(lg_pBuff_Out);
    const std::string sEnd = "\nLimit on Rpts exceeded\nOut>\n";   // shown once, then the prompt
    ASSERT_GT(sOutput.size(), sEnd.size());
    EXPECT_EQ(sOutput.substr(sOutput.size() - sEnd.size()), sEnd);
    EXPECT_EQ(sOutput.find("Limit"), sOutput.size() - sEnd.size() + 1);
    EXPECT_GT(ClCalculator::mp_mVariable[eT_u](0, 0).real(), 1000);
    EXPECT_FALSE(g_bBusy);
    EXPECT_STREQ(g_Main_Window.mp_pPanel->mp_pWindow->label(), "ORBEX Calculator");
    EXPECT_TRUE(g_Main_Window.mp_pPanel->mp_pMenu_Bar->active());
    EXPECT_EQ(g_Current_State.mp_uiLength, 0);   // the "2" typed meanwhile did nothing
}
