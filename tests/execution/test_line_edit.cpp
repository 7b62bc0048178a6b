// The input line as keys and buttons edit it, and the key-press checks, without a display.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"

class ClLineEdit : public ::testing::Test {
protected:
    void SetUp() override { resetExecution(&mp_Input, &mp_Output); }

    /// A step is "<Left>", "<Right>", "<BkSp>" or "<Clear>", or stored key codes typed one by one
    /// as the window's key mapping sends them.
    static void press(const std::string& step) {
        static const struct { const char* acName; eTOKEN eAction; } aACTIONS[] = {
            {"<Left>", eT_MOVE_LEFT}, {"<Right>", eT_MOVE_RIGHT}, {"<BkSp>", eT_BKSP}, {"<Clear>", eT_CLEAR}};
        for (const auto& action : aACTIONS)
            if (step == action.acName) return lineAction(action.eAction);
        for (unsigned char ucKey : step) typeKey(ucKey);
    }

    /// The line as the input display shows it, cursor mark included.
    std::string shown() const { return mp_Input.mp_sText.substr(g_Current_State.mp_uiDisplay_Start); }

    ClStringPane mp_Input, mp_Output;
};

TEST_F(ClLineEdit, KeysBuildTheShownLine) {
    const struct {
        std::vector<std::string> steps;
        const char* acShown;
    } aCASES[] = {
        {{"D"}, "Det (_"},                      // Auto Parentheses after a prefix function
        {{"X"}, "Rpt(_"},
        {{"f"}, "Plot(_"},
        {{"}"}, "Sqrt (_"},
        {{"A="}, "A = _"},                      // "=", variables and Ans take none
        {{"a+2"}, "Ans + 2_"},
        {{"E"}, "_"},                           // no exponent first
        {{"1..E"}, "1._"},                      // no two of "." and "E" in a row
        {{"1E.E"}, "1E_"},
        {{"A.*B"}, "A. * B_"},                  // a point after a variable starts ".*"
        {{"A1"}, "A_"},                         // no number after a value
        {{"12+3", "<Left>", "<Left>", "5"}, "125_ + 3"},
        {{"<BkSp>", "<Left>", "<Right>"}, "_"},
        {{"12", "<Left>", "<Left>", "<BkSp>", "<Right>", "<Right>", "<Right>"}, "12_"},
        {{"12+3", "<Left>", "<BkSp>"}, "12_3"},
        {{"<Clear>"}, "_"},
        {{"A+1", "<Clear>"}, "_"},
        {{"<>`~\b"}, "_"},                      // keys of the history and cursor buttons do nothing
        {{"A", "@"}, "A_"},
    };
    for (const auto& c : aCASES) {
        SetUp();
        std::string trace;
        for (const std::string& step : c.steps) trace += step + " ";
        SCOPED_TRACE(trace);
        for (const std::string& step : c.steps) press(step);
        EXPECT_EQ(shown(), c.acShown);
        EXPECT_EQ(mp_Input.mp_sText.substr(0, 12), "\n\n\n\n\n\n\n\n\nIn>");
    }
}

TEST_F(ClLineEdit, AutoParenthesesOffAddsNone) {
    for (const char* acKey : {"D", "X"}) {
        SetUp();
        g_bAuto_Parentheses = false;
        press(acKey);
        EXPECT_EQ(g_Current_State.mp_uiLength, 1) << acKey;
    }
}

// Lines typed with the check on; the last key is accepted or refused.
TEST_F(ClLineEdit, TokenChecks) {
    const struct {
        const char* acBefore;
        char cKey;
        bool bAccepted;
    } aCASES[] = {
        {"", '+', false}, {"", '-', true}, {"", '=', false}, {"", ')', false}, {"", 'a', true},
        {"", 'X', true}, {"1", 'X', false}, {"1", 'f', false},
        {"A", 'B', false}, {"A", 'g', true}, {"A", 'i', true}, {"i", 'i', false}, {"p", 'p', false},
        {"2", '(', false}, {"2", '{', true}, {"2", 'D', false},
        {"A=B", '=', false}, {"A=3", '=', false}, {"(", ')', true}, {";", ',', false},
        {"A.", '*', true}, {"A.", 'A', false}, {"D(", '+', false}, {"A=", ')', false},
        {"(A)", '=', true}, {"1", '=', false},
    };
    for (const auto& c : aCASES) {
        SetUp();
        SCOPED_TRACE(std::string(c.acBefore) + " then " + c.cKey);
        g_bAuto_Parentheses = false;
        press(c.acBefore);
        const unsigned short uiBefore = g_Current_State.mp_uiLength;
        press(std::string(1, c.cKey));
        EXPECT_EQ(g_Current_State.mp_uiLength, uiBefore + (c.bAccepted ? 1 : 0));
    }
}

TEST_F(ClLineEdit, ErrorCheckOffAcceptsEveryTokenButNotDigitsAfterValues) {
    g_bError_Check = false;
    press("+A=B=");
    EXPECT_EQ(shown(), " + A = B = _");
    press("A1");
    EXPECT_EQ(shown(), " + A = B = A_");
}

TEST_F(ClLineEdit, EditorRefusesAssignmentRptAndPlot) {
    lg_eActive_Input = eAI_EDITOR_ENTRY;
    press("X");
    press("f");
    press("A=");
    EXPECT_EQ(g_Current_State.mp_uiLength, 1);
}

TEST_F(ClLineEdit, BackspaceOverAssignmentAllowsAnotherOne) {
    press("A=");
    press("<BkSp>");
    press("=");
    EXPECT_EQ(shown(), "A = _");
}

// Insertion stops above 509 codes: with its "(" a function reaches 511, and 510 takes nothing.
TEST_F(ClLineEdit, LineLengthLimits) {
    const struct {
        int iLength;
        const char* acKeys;
        int iAfter;
    } aCASES[] = {{509, "+", 510}, {509, "+D", 510}, {508, "+D", 511}, {510, "+", 510}, {510, "1", 510},
                  {511, "1", 511}};
    for (const auto& c : aCASES) {
        SetUp();
        SCOPED_TRACE(std::to_string(c.iLength) + " then " + c.acKeys);
        setLine(std::string(static_cast<std::size_t>(c.iLength), '1'));
        g_Current_State.mp_uiCursor = g_Current_State.mp_uiLength;
        press(c.acKeys);
        EXPECT_EQ(g_Current_State.mp_uiLength, c.iAfter);
        EXPECT_EQ(g_Current_State.mp_acInput[g_Current_State.mp_uiLength], 0);
    }
}
