// SPDX-License-Identifier: GPL-3.0-or-later
// The input line, the Enter action, history and repetition on two string panes: exact texts.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"
#include "output_export.h"

namespace {

const std::string gc_sSPACER = "\n\n\n\n\n\n\n\n";

class ClDriver : public ::testing::Test {
protected:
    void SetUp() override { resetExecution(&mp_Input, &mp_Output); }

    /// Enters lines written as the calculator shows them.
    static void enter(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) enterStoredLine(displayToCodes(line));
    }
    /// The output display's text after the spacer, and what a line added to it.
    std::string output() const { return mp_Output.mp_sText.substr(gc_sSPACER.size()); }
    std::string outputOf(const std::string& line) {
        const std::size_t uiBefore = mp_Output.mp_sText.size();
        enter({line});
        return mp_Output.mp_sText.substr(uiBefore);
    }
    /// The line as the input display shows it, cursor mark included.
    std::string shown() const { return mp_Input.mp_sText.substr(g_Current_State.mp_uiDisplay_Start); }

    ClStringPane mp_Input, mp_Output;
};

using ClLineEdit = ClDriver;

bool endsWith(const std::string& sText, const std::string& sEnd) {
    return sText.size() >= sEnd.size() && sText.compare(sText.size() - sEnd.size(), sEnd.size(), sEnd) == 0;
}

/// How often the text holds the pattern.
int countOf(const std::string& sText, const std::string& sPattern) {
    int iCount = 0;
    for (std::size_t ui = sText.find(sPattern); ui != std::string::npos; ui = sText.find(sPattern, ui + 1)) ++iCount;
    return iCount;
}

const Matrix& variable(int iSlot) { return ClCalculator::mp_mVariable[iSlot]; }

/// A step is a line action ("<Left>", "<Right>", "<BkSp>", "<Clear>"), a setting ("<NoAuto>" for
/// Auto Parentheses off, "<Editor>" for a matrix editor entry), or stored key codes typed one by
/// one as the window's key mapping sends them.
void press(const std::string& step) {
    static const struct { const char* acName; eTOKEN eAction; } aACTIONS[] = {
        {"<Left>", eT_MOVE_LEFT}, {"<Right>", eT_MOVE_RIGHT}, {"<BkSp>", eT_BKSP}, {"<Clear>", eT_CLEAR}};
    for (const auto& action : aACTIONS)
        if (step == action.acName) return lineAction(action.eAction);
    if (step == "<NoAuto>") g_bAuto_Parentheses = false;
    else if (step == "<Editor>") lg_eActive_Input = eAI_EDITOR_ENTRY;
    else for (unsigned char ucKey : step) typeKey(ucKey);
}

// The shown line and its cursor mark; what the key checks accept is in the golden file keys.in.
TEST_F(ClLineEdit, KeysBuildTheShownLine) {
    const struct { std::vector<std::string> steps; const char* acShown; } aCASES[] = {
        {{"D"}, "Det (_"},                      // Auto Parentheses after a prefix function
        {{"<NoAuto>", "D"}, "Det _"},
        {{"<Editor>", "X", "f", "A="}, "A_"},   // no assignment, Rpt or Plot in the matrix editor
        {{"A=", "<BkSp>", "="}, "A = _"},       // the "=" taken back allows another
        {{"12+3", "<Left>", "<Left>", "5"}, "125_ + 3"},
        {{"<BkSp>", "<Left>", "<Right>"}, "_"},
        {{"12", "<Left>", "<Left>", "<BkSp>", "<Right>", "<Right>", "<Right>"}, "12_"},
        {{"12+3", "<Left>", "<BkSp>"}, "12_3"},
        {{"A+1", "<Clear>"}, "_"},
        {{"<>`~\b"}, "_"},                      // keys of the history and cursor buttons do nothing
    };
    for (const auto& c : aCASES) {
        SetUp();
        SCOPED_TRACE(::testing::PrintToString(c.steps));
        for (const std::string& step : c.steps) press(step);
        EXPECT_EQ(shown(), c.acShown);
        EXPECT_EQ(mp_Input.mp_sText.substr(0, 12), "\n\n\n\n\n\n\n\n\nIn>");
    }
}

// Insertion stops above 509 codes: with its "(" a function reaches 511, and 510 takes nothing.
TEST_F(ClLineEdit, LineLengthLimits) {
    const struct { int iLength; const char* acKeys; int iAfter; } aCASES[] = {
        {509, "+", 510}, {509, "+D", 510}, {508, "+D", 511}, {510, "+", 510}, {510, "1", 510}, {511, "1", 511}};
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

// The output display's text is the same in every format; the input display holds the results
// too in one window; with Execute off lines are only stored.
TEST_F(ClDriver, DisplaysInEachWindowFormat) {
    const std::string sOutput = "\nOut>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>\n\nOut>A + [1, 2] :\nMatrix size mismatch"
                                "\nOut> :\n\nOut>A(2, 1) :\n3";
    const std::string sStored = "\nIn>A = [1, 2; 3, 4]\nIn>2 + 3; \nIn>A + [1, 2]\nIn>\nIn>A(2, 1)\nIn>_";
    const struct { eWINDOW_MODE eMode; bool bExecute; std::string sInput; } aCASES[] = {
        {eWM_TWO_WINDOWS, true, sStored},
        {eWM_ONE_WINDOW, true, "\nIn>A = [1, 2; 3, 4]\nOut>:\n1, 2 ;\n3, 4\nIn>2 + 3; \nOut>\nIn>A + [1, 2]"
                               "\nOut>Matrix size mismatch\nIn>\nOut>\nIn>A(2, 1)\nOut>3\nIn>_"},
        {eWM_ONE_WINDOW, false, sStored},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(::testing::Message() << c.eMode << (c.bExecute ? "" : ", Execute off"));
        SetUp();
        g_eWindow_Mode = c.eMode;
        g_bExecute = c.bExecute;
        enter({"A = [1, 2; 3, 4]", "2 + 3; ", "A + [1, 2]", "", "A(2, 1)"});
        EXPECT_EQ(output(), c.bExecute ? sOutput : "");
        EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + c.sInput);
        EXPECT_EQ(variable(eT_A).rows(), c.bExecute ? 2 : 0);
        EXPECT_EQ(g_uiHistory_Next, 4);
    }
}

// Results shown in the input display take it past what 16 bits can address.
TEST_F(ClDriver, LineRenderedAtTheEndOfALongInputDisplay) {
    g_eWindow_Mode = eWM_ONE_WINDOW;
    enter({"Ones(120, 200)"});
    ASSERT_GT(mp_Input.textLength(), 65536);
    pressDigit(eT_DIGIT_7);
    EXPECT_EQ(mp_Input.mp_sText.substr(mp_Input.mp_sText.size() - 6), "\nIn>7_");
    EXPECT_EQ(g_Current_State.mp_uiDisplay_Start, static_cast<unsigned>(mp_Input.textLength() - 2));
}

// A full history drops its oldest line; a Rpt line then runs the 1022 lines kept before it.
TEST_F(ClDriver, FullHistoryDropsItsOldestLine) {
    enterStoredLine("u=0;");
    for (int i = 1; i <= 1025; ++i) enterStoredLine("u=u+1+0*" + std::to_string(i) + ";");
    EXPECT_EQ(g_uiHistory_Next, 1024);
    EXPECT_EQ(g_uiHistory_Index, 1024);
    EXPECT_EQ(echoText(lg_State_History[0]), "u = u + 1 + 0 * 2; ");
    EXPECT_EQ(echoText(lg_State_History[1023]), "u = u + 1 + 0 * 1025; ");
    for (const char* acCodes : {"u", "X(1);", "u"}) enterStoredLine(acCodes);
    EXPECT_TRUE(endsWith(output(), "\nOut>\n\nOut>u :\n1025\nOut>\n\nOut>u :\n2047"));
    EXPECT_EQ(countOf(output(), "\nOut>"), 1029);   // one block for each line entered
}

TEST_F(ClDriver, BrowsingBringsBackTheHalfTypedLineWithItsCursor) {
    historyPrev();   // an empty history: nothing
    EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + "\nIn>_");
    enter({"1 + 1", "2 + 2"});
    press("7+8");
    lineAction(eT_MOVE_LEFT);
    const ClState typed = g_Current_State;
    const std::string sShown = mp_Input.mp_sText;
    const struct { void (*pfnAction)(); unsigned short uiIndex; const char* acLine; } aSTEPS[] = {
        {historyPrev, 1, "2 + 2_"}, {historyPrev, 0, "1 + 1_"}, {historyPrev, 0, "1 + 1_"},
        {historyNext, 1, "2 + 2_"}, {historyNext, 2, "7 + _8"}, {historyNext, 2, "7 + _8"}};
    for (const auto& step : aSTEPS) {
        step.pfnAction();
        EXPECT_EQ(g_uiHistory_Index, step.uiIndex);
        EXPECT_EQ(shown(), step.acLine);
    }
    EXPECT_EQ(g_Current_State.mp_uiCursor, typed.mp_uiCursor);
    EXPECT_EQ(echoText(g_Current_State), echoText(typed));
    EXPECT_EQ(mp_Input.mp_sText, sShown);
}

// The History menu's own commands are in the golden file history.in.
TEST_F(ClDriver, ClearHistoryKeepsVariablesAndClearAllDoesNot) {
    enter({"A = [5]", "A + 1"});
    clearHistory();
    EXPECT_EQ(mp_Output.mp_sText, gc_sSPACER);
    EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + "\nIn>_");
    EXPECT_EQ(g_uiHistory_Next + g_uiHistory_Index + lg_State_History[0].mp_uiLength, 0);
    EXPECT_EQ(ClCalculator::mp_mLast_Output.rows(), 0);
    EXPECT_EQ(variable(eT_A).rows(), 1);
    clearAll();
    EXPECT_EQ(variable(eT_A).rows(), 0);
}

TEST_F(ClDriver, CopyHistoryKeepsEveryTargetInside) {
    const struct { short iFirst, iLast, iOffset; int iEntry, iExpected; } aCASES[] = {
        {0, 1023, -1, 0, 1},    {0, 1023, -1, 1023, 1023}, {5, 9, 2, 11, 9},  {5, 9, 2, 5, 5},
        {1020, 1023, 2, 1023, 1021}, {3, 2, 1, 4, 4},      {0, 3, 0, 0, 0},   {-1, 3, 1, 0, 0},
        {0, 1024, 1, 1, 1},    {10, 20, -1024, 0, 0},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(::testing::Message() << c.iFirst << ", " << c.iLast << ", " << c.iOffset);
        for (int i = 0; i < gc_iHISTORY_SIZE; ++i) lg_State_History[i].mp_uiRepeat_Times = static_cast<unsigned short>(i);
        copyHistory(c.iFirst, c.iLast, c.iOffset);
        EXPECT_EQ(lg_State_History[c.iEntry].mp_uiRepeat_Times, c.iExpected);
    }
}

// A range reaching the Rpt line or later is bounded by the count as the enclosing repetition
// began, so a line reached again from inside its own repetition refuses its range (not shown as
// another line follows); only chains of ranges reaching back go 64 deep.
TEST_F(ClDriver, NestedRangesAndTheirDepth) {
    enter({"1", "Rpt(1, 1,  - 1)", "2"});
    EXPECT_EQ(outputOf("Rpt(1, 2)"), "\nOut>1 :\n1\nOut>2 :\n2\nOut>2 :\n2\nOut>\n");
    for (int i = 0; i < gc_iRPT_DEPTH; ++i) enter({"Rpt(1, 1)"});   // each runs the one before it
    EXPECT_EQ(outputOf("Rpt(1, 1)"), "\nLimit on Rpts exceeded\nOut>\n");
    EXPECT_EQ(g_uiError_Number, eE_NONE);
}

int lg_iPolls = 0;   ///< the poll's calls

bool stopAtTenLines(unsigned long ulLines, double) {
    enterAction();   // a callback let through meanwhile starts nothing
    return ulLines >= 10;
}

bool stopAtSecondPoll(unsigned long, double) { return ++lg_iPolls >= 2; }

// The window's poll is asked before every repeated line, and before every heavy operation of a
// repeated line too, so Escape stops a long line where it is; a line typed afterwards is not polled.
TEST_F(ClDriver, PollStopsEveryRepetition) {
    const struct {
        std::vector<std::string> lines;
        const char* acRpt;
        bool (*pfnPoll)(unsigned long, double);
        double dU;   ///< u afterwards
    } aCASES[] = {
        {{"u = u + 1; ", "Rpt(100, 1); ", "u = 0; "}, "Rpt(100, 3, 2)", stopAtTenLines, 9},   // the Rpt line and nine steps
        {{"u = 0; ", "u = u + Ones(1, 2) * Ones(2, 1); "}, "Rpt(5, 1)", stopAtSecondPoll, 2},   // the first product never runs
    };
    for (const auto& c : aCASES) {
        SetUp();
        enter(c.lines);
        lg_iPolls = 0;
        g_pfnRepeat_Poll = c.pfnPoll;
        EXPECT_EQ(outputOf(c.acRpt), "\nLimit on Rpts exceeded\nOut>\n");
        EXPECT_EQ(valueOf("u")(0, 0), Complex(c.dU));
        EXPECT_EQ(g_uiHistory_Next, c.lines.size() + 1);
        EXPECT_EQ(g_pfnWork_Poll, nullptr);
    }
}

// Past the limit the oldest whole blocks leave the top of both displays, typed and repeated
// lines alike; what comes next lands where it belongs, and Save Output tells what went.
TEST_F(ClDriver, DisplaysKeepABoundedScrollback) {
    g_iDisplay_Limit = 200;
    g_eWindow_Mode = eWM_ONE_WINDOW;
    for (int i = 0; i < 20; ++i) enter({"123456 + " + std::to_string(i)});
    enter({"Rpt(30, 1)"});
    EXPECT_LE(mp_Input.textLength(), 200);
    EXPECT_LE(mp_Output.textLength(), 200);
    EXPECT_EQ(mp_Output.mp_sText.substr(0, 13), gc_sSPACER + "\nOut>");
    EXPECT_EQ(mp_Output.mp_llDropped_Blocks + countOf(mp_Output.mp_sText, "\nOut>"), 20 + 30 + 1);
    EXPECT_GT(countOf(mp_Input.mp_sText, "\nOut>123456 + 19 \n123475"), 1);   // repeated lines went too
    EXPECT_TRUE(endsWith(mp_Output.mp_sText, "\nOut>123456 + 19 :\n123475\nOut>\n"));
    pressDigit(eT_DIGIT_7);
    EXPECT_TRUE(endsWith(mp_Input.mp_sText, "\n123475\nOut>\nIn>7_"));
    const std::string sHeader = "[43 earlier results left the display, which keeps the last 32 MB]\nOut>";
    EXPECT_EQ(outputFileText(mp_Output.mp_sText, mp_Output.mp_llDropped_Blocks).substr(0, sHeader.size()), sHeader);
}

// A line whose value is hidden is not formatted, unless an error shows it with its value.
TEST_F(ClDriver, HiddenValueIsNotFormatted) {
    const struct { const char* acLine; bool bFormatted; } aCASES[] = {
        {"[1, 2]", false}, {"[1, 2] + [1, 2, 3]", false}, {"[1, 2] / 0", true}};
    for (const auto& c : aCASES) {
        setLine(displayToCodes(c.acLine));
        if (ClCalculator::tLexer()) ClCalculator::tParser(false);
        EXPECT_EQ(*g_acOutput_Line != '\0', c.bFormatted) << c.acLine;
    }
}

int lg_iGraph_Calls = 0;   ///< redraws, plus a hundred for each graph brought to the front

// Rpt and Plot requests of a repeated line that failed are dropped with it; plots are stored
// while the graph window is open, repeated ones bring it to the front.
TEST_F(ClDriver, PlotsStoredWhileTheGraphWindowIsOpen) {
    g_eOutput = eGS_SHOWN;
    enter({"Roots Rpt(1)", "Plot([1], [1 / 0])", "Rpt(1, 2, 2)", "Rpt(1, 2, 2)"});
    EXPECT_FALSE(g_bRepeat || g_bPlot);
    enter({"[5, 6]"});
    EXPECT_EQ(g_uiActive_Plots, 1);   // the plot entered at the keyboard stores its invalid numbers
    SetUp();
    g_eOutput = eGS_SHOWN;
    g_pfnGraph_Changed = [](bool bShow) { lg_iGraph_Calls += bShow ? 100 : 1; };
    lg_iGraph_Calls = 0;
    enter({"Plot([1, 2], [3, 4])", "u = 0", "Plot([1, 2], [u, u]); ", "Rpt(2, 2)"});
    EXPECT_EQ(g_uiActive_Plots, 4);
    EXPECT_EQ(variable(3), mat({{1, 2}, {0, 0}}));
    EXPECT_EQ(lg_iGraph_Calls, 202);
    EXPECT_EQ(output(), "\nOut>\n\nOut>u = 0 :\n0\nOut>\n\nOut>u = 0 :\n0\nOut>u = 0 :\n0\nOut>\n");
}

}  // namespace
