// Copying out of the window: the mouse selects in a display and nothing else; Ctrl+C and the
// Edit menu's copy items put the selection, without the display's added line breaks, or the
// last result on the clipboard; with no result the title says so for a moment.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "key_events.h"
#include "line_codes.h"
#include "line_edit.h"
#include "window_fixture.h"

#include <FL/Fl.H>

namespace {

/// What the clipboard (1) or the primary selection (0) holds, pasted into a bare widget.
std::string pasted(int iSource) {
    struct ClReceiver : Fl_Widget {
        ClReceiver() : Fl_Widget(0, 0, 1, 1) {}
        void draw() override {}
        int handle(int iEvent) override {
            if (iEvent == FL_PASTE) sText.assign(Fl::event_text(), static_cast<std::size_t>(Fl::event_length()));
            return iEvent == FL_PASTE;
        }
        std::string sText;
    } receiver;
    Fl::paste(receiver, iSource);
    return receiver.sText;
}

/// The left button pressed, dragged or released at the character position iPosition of a
/// display; bClick: a release where it was pressed.
void mouseAt(int iEvent, ClTextDisplay* pDisplay, int iPosition, bool bClick = false) {
    int iX = 0, iY = 0;
    ASSERT_TRUE(pDisplay->position_to_xy(iPosition, &iX, &iY));
    Fl::e_x = iX;
    Fl::e_y = iY + 3;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = iEvent == FL_RELEASE ? 0 : FL_BUTTON1;
    Fl::e_clicks = 0;
    Fl::e_is_click = bClick;
    Fl::handle(iEvent, g_Main_Window.mp_pPanel->mp_pWindow);
}

void pressCtrlC() { pressKey('c', "\x03", FL_CTRL); }

}  // namespace

TEST(ClCopy, SelectionOrResultToTheClipboard) {
    ensureWindow();
    ClORBEXUI& panel = *g_Main_Window.mp_pPanel;
    ClTextDisplay* pOutput = panel.mp_pOutput_Display;
    const auto shownLine = [] { return bufferText(lg_pBuff_In).substr(g_Current_State.mp_uiDisplay_Start); };
    setLine("[1,2,3,4,5,6]/3");
    pressKey(FL_Enter, "\r");
    const std::string sAns = "0.33333333333333331\t0.66666666666666663\t1\t1.3333333333333333\t1.6666666666666667\t2";
    pressCtrlC();   // nothing selected: the last result
    EXPECT_EQ(pasted(1), sAns);
    EXPECT_EQ(pasted(0), sAns);
    EXPECT_EQ(shownLine(), "_");   // not the Cos key
    // A drag over the result, which the display shows on two lines.
    const std::string sShown = bufferText(lg_pBuff_Out);
    const int iStart = static_cast<int>(sShown.rfind(":\n")) + 2, iEnd = lg_pBuff_Out->length();
    ASSERT_NE(sShown.find('\n', static_cast<std::size_t>(iStart)), std::string::npos);
    mouseAt(FL_PUSH, pOutput, iStart);
    mouseAt(FL_DRAG, pOutput, iEnd);
    mouseAt(FL_RELEASE, pOutput, iEnd);
    const std::string sResult = "0.333333, 0.666667, 1, 1.33333, 1.66667, 2";
    EXPECT_EQ(ClTextDisplay::selection(), sResult);
    EXPECT_EQ(pasted(0), sResult);
    pressCtrlC();
    EXPECT_EQ(pasted(1), sResult);
    pressKey('c', "c");
    EXPECT_EQ(shownLine(), "Cos (_");
    // A click in the input display ends that selection and moves no insertion point.
    const int iInsert = panel.mp_pInput_Display->insert_position();
    mouseAt(FL_PUSH, panel.mp_pInput_Display, g_Current_State.mp_uiDisplay_Start, true);
    mouseAt(FL_RELEASE, panel.mp_pInput_Display, g_Current_State.mp_uiDisplay_Start, true);
    EXPECT_TRUE(ClTextDisplay::selection().empty() && !lg_pBuff_Out->selected());
    EXPECT_EQ(panel.mp_pInput_Display->insert_position(), iInsert);
    pressKey('2', "2");
    EXPECT_EQ(shownLine(), "Cos (2_");
    panel.mp_pMenu_Bar->picked(panel.mp_pMenu_Bar->find_item("Edit/Copy Result As/NumPy"));
    EXPECT_EQ(pasted(1), "np.array([[0.33333333333333331, 0.66666666666666663, 1, 1.3333333333333333, "
                         "1.6666666666666667, 2]])");
    // No result: nothing copied, and the title says so for two seconds.
    clearAll();
    pressCtrlC();
    EXPECT_EQ(pasted(1), "np.array([[0.33333333333333331, 0.66666666666666663, 1, 1.3333333333333333, "
                         "1.6666666666666667, 2]])");
    EXPECT_STREQ(panel.mp_pWindow->label(), "ORBEX Calculator: no result to copy");
    EXPECT_TRUE(g_Answers.asTexts.empty());
    for (int i = 0; i < 30 && std::string(panel.mp_pWindow->label()) != "ORBEX Calculator"; ++i) Fl::wait(0.1);
    EXPECT_STREQ(panel.mp_pWindow->label(), "ORBEX Calculator");
}
