// The Enter action, history and repetition on two string panes: exact output texts.
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

    /// Enters a line written as the calculator shows it.
    void enter(const std::string& text) { enterStoredLine(displayToCodes(text)); }
    void enterAll(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) enter(line);
    }
    /// The output display's text after the spacer.
    std::string output() const { return mp_Output.mp_sText.substr(gc_sSPACER.size()); }

    ClStringPane mp_Input, mp_Output;
};

const Matrix& variable(eTOKEN eVariable) { return ClCalculator::mp_mVariable[eVariable]; }

TEST_F(ClDriver, OutputLayoutInEachWindowFormat) {
    const std::vector<std::string> lines = {"A = [1, 2; 3, 4]", "2 + 3; ", "A + [1, 2]", "", "A(2, 1)"};
    const std::string sOutput = "\nOut>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>\n\nOut>A + [1, 2] :\nMatrix size mismatch"
                                "\nOut> :\n\nOut>A(2, 1) :\n3";
    const struct {
        eWINDOW_MODE eMode;
        const char* acInput;   ///< after the spacer
    } aCases[] = {
        {eWM_TWO_WINDOWS, "\nIn>A = [1, 2; 3, 4]\nIn>2 + 3; \nIn>A + [1, 2]\nIn>\nIn>A(2, 1)\nIn>_"},
        {eWM_ONE_WINDOW, "\nIn>A = [1, 2; 3, 4]\nOut>:\n1, 2 ;\n3, 4\nIn>2 + 3; \nOut>\nIn>A + [1, 2]\nOut>Matrix size mismatch"
            "\nIn>\nOut>\nIn>A(2, 1)\nOut>3\nIn>_"},
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(c.eMode);
        SetUp();
        g_eWindow_Mode = c.eMode;
        enterAll(lines);
        EXPECT_EQ(output(), sOutput);
        EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + c.acInput);
    }
}

// Results shown in the input display take it past what 16 bits can address.
TEST_F(ClDriver, LineRenderedAtTheEndOfALongInputDisplay) {
    g_eWindow_Mode = eWM_ONE_WINDOW;
    enter("Ones(120, 200)");
    ASSERT_GT(mp_Input.textLength(), 65536);
    pressDigit(eT_DIGIT_7);
    EXPECT_EQ(mp_Input.mp_sText.substr(mp_Input.mp_sText.size() - 6), "\nIn>7_");
    EXPECT_EQ(g_Current_State.mp_uiDisplay_Start, static_cast<unsigned>(mp_Input.textLength() - 2));
}

TEST_F(ClDriver, ExecuteOffStoresWithoutOutput) {
    g_bExecute = false;
    enter("A = [7]");
    EXPECT_EQ(output(), "");
    EXPECT_EQ(variable(eT_A).rows(), 0);
    EXPECT_EQ(g_uiHistory_Next, 1);
    EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + "\nIn>A = [7]\nIn>_");
}

TEST_F(ClDriver, FullHistoryDropsItsOldestLine) {
    for (int i = 1; i <= 1025; ++i) enter(std::to_string(i) + "; ");
    EXPECT_EQ(g_uiHistory_Next, 1024);
    EXPECT_EQ(g_uiHistory_Index, 1024);
    EXPECT_EQ(echoText(lg_State_History[0]), "2; ");
    EXPECT_EQ(echoText(lg_State_History[1023]), "1025; ");
}

TEST_F(ClDriver, BrowsingBringsBackTheHalfTypedLineWithItsCursor) {
    historyPrev();   // an empty history: nothing
    EXPECT_EQ(mp_Input.mp_sText, gc_sSPACER + "\nIn>_");
    enterAll({"1 + 1", "2 + 2"});
    for (const eTOKEN t : {eT_DIGIT_7, eT_PLUS, eT_DIGIT_8}) pressToken(t) || pressDigit(t);
    lineAction(eT_MOVE_LEFT);
    const ClState typed = g_Current_State;
    const std::string sShown = mp_Input.mp_sText;
    const struct {
        void (*pfnAction)();
        unsigned short uiIndex;
        const char* acLine;
    } aSteps[] = {{historyPrev, 1, "2 + 2_"}, {historyPrev, 0, "1 + 1_"}, {historyPrev, 0, "1 + 1_"},
                  {historyNext, 1, "2 + 2_"}, {historyNext, 2, "7 + _8"}, {historyNext, 2, "7 + _8"}};
    for (const auto& step : aSteps) {
        step.pfnAction();
        EXPECT_EQ(g_uiHistory_Index, step.uiIndex);
        EXPECT_EQ(mp_Input.mp_sText.substr(g_Current_State.mp_uiDisplay_Start), step.acLine);
    }
    EXPECT_EQ(g_Current_State.mp_uiCursor, typed.mp_uiCursor);
    EXPECT_EQ(echoText(g_Current_State), echoText(typed));
    EXPECT_EQ(mp_Input.mp_sText, sShown);
}

TEST_F(ClDriver, HistoryMenuCommands) {
    enterAll({"A = [1, 2]", "1", "2", "3"});
    insertItem();   // not browsing: nothing
    historyPrev();
    historyPrev();   // shows "2"
    insertItem();    // "3" goes in front of it, "2" stays shown
    EXPECT_EQ(g_uiHistory_Index, 3);
    EXPECT_EQ(echoText(lg_State_History[2]) + echoText(lg_State_History[3]), "32");
    clearItem();     // deletes "2"
    EXPECT_EQ(g_uiHistory_Next, 3);
    EXPECT_EQ(echoText(g_Current_State), "");
    EXPECT_EQ(lg_State_History[3].mp_uiLength, 0);
    EXPECT_EQ(g_uiHistory_Index, g_uiHistory_Next);   // browsing ended with the last entry
    for (const eTOKEN t : {eT_A, eT_PLUS, eT_DIGIT_1}) pressToken(t) || pressDigit(t);
    clearItem();     // "A + 1": nothing
    EXPECT_EQ(variable(eT_A).cols(), 2);
    cleanUp(true);
    pressToken(eT_A);
    clearItem();
    EXPECT_EQ(variable(eT_A).rows(), 0);
    EXPECT_EQ(g_Current_State.mp_uiLength, 0);
}

TEST_F(ClDriver, ClearHistoryKeepsVariablesAndClearAllDoesNot) {
    enterAll({"A = [5]", "A + 1"});
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
    for (int i = 0; i < gc_iHISTORY_SIZE; ++i) lg_State_History[i].mp_uiRepeat_Times = static_cast<unsigned short>(i);
    const struct {
        short iFirst, iLast, iOffset;
        int iEntry, iExpected;
    } aCases[] = {
        {0, 1023, -1, 0, 1},    {0, 1023, -1, 1023, 1023}, {5, 9, 2, 11, 9},  {5, 9, 2, 5, 5},
        {1020, 1023, 2, 1023, 1021}, {3, 2, 1, 4, 4},      {0, 3, 0, 0, 0},   {-1, 3, 1, 0, 0},
        {0, 1024, 1, 1, 1},    {10, 20, -1024, 0, 0},
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(::testing::Message() << c.iFirst << ", " << c.iLast << ", " << c.iOffset);
        for (int i = 0; i < gc_iHISTORY_SIZE; ++i) lg_State_History[i].mp_uiRepeat_Times = static_cast<unsigned short>(i);
        copyHistory(c.iFirst, c.iLast, c.iOffset);
        EXPECT_EQ(lg_State_History[c.iEntry].mp_uiRepeat_Times, c.iExpected);
    }
}

// A range reaching the Rpt line or later is bounded by the count as the enclosing repetition
// began, so a line reached again from inside its own repetition refuses its range (eE_SCALAR_OUT_OF_RANGE,
// not shown as another line follows); only chains of ranges reaching back go 64 deep.
TEST_F(ClDriver, NestedRangesAndTheirDepth) {
    enterAll({"1", "Rpt(1, 1,  - 1)", "2"});
    std::string sBefore = output();
    enter("Rpt(1, 2)");
    EXPECT_EQ(output().substr(sBefore.size()), "\nOut>1 :\n1\nOut>2 :\n2\nOut>2 :\n2\nOut>\n");
    for (int i = 0; i < gc_iRPT_DEPTH; ++i) enter("Rpt(1, 1)");   // each runs the one before it
    sBefore = output();
    enter("Rpt(1, 1)");
    EXPECT_EQ(output().substr(sBefore.size()), "\nLimit on Rpts exceeded\nOut>\n");
    EXPECT_EQ(g_uiError_Number, eE_NONE);
}

// Steps back kept in 16 bits: -65436 becomes 100, so the nested range would start before entry 0.
TEST_F(ClDriver, RangeBeforeTheFirstEntryIsRefused) {
    enterAll({"u = 0", "Rpt(1,  - 65436,  - 65536)"});
    const std::string sBefore = output();
    enter("Rpt(1, 1)");
    EXPECT_EQ(output().substr(sBefore.size()), "\nScalar value not in correct range\nOut>\n");
}

bool stopAtTen(unsigned long ulLines, double) {
    enterAction();   // a callback let through meanwhile starts nothing
    return ulLines >= 10;
}

TEST_F(ClDriver, PollStopsEveryRepetition) {
    enterAll({"u = u + 1; ", "Rpt(100, 1); ", "u = 0; "});
    g_pfnRepeat_Poll = stopAtTen;
    const std::string sBefore = output();
    enter("Rpt(100, 3, 2)");   // a step and the inner Rpt line, a hundred times
    EXPECT_EQ(output().substr(sBefore.size()), "\nLimit on Rpts exceeded\nOut>\n");
    EXPECT_EQ(valueOf("u")(0, 0), Complex(9.0));   // ten lines ran: the Rpt line and nine steps
    EXPECT_EQ(g_uiHistory_Next, 4);
}

bool endsWith(const std::string& sText, const std::string& sEnd) {
    return sText.size() >= sEnd.size() && sText.compare(sText.size() - sEnd.size(), sEnd.size(), sEnd) == 0;
}

/// How often the text holds the pattern.
int countOf(const std::string& sText, const std::string& sPattern) {
    int iCount = 0;
    for (std::size_t ui = sText.find(sPattern); ui != std::string::npos; ui = sText.find(sPattern, ui + 1)) ++iCount;
    return iCount;
}

// Past the limit the oldest whole blocks leave the top of both displays, typed and repeated
// lines alike; what comes next lands where it belongs, and Save Output tells what went.
TEST_F(ClDriver, DisplaysKeepABoundedScrollback) {
    g_iDisplay_Limit = 200;
    g_eWindow_Mode = eWM_ONE_WINDOW;
    for (int i = 0; i < 20; ++i) enter("123456 + " + std::to_string(i));
    enter("Rpt(30, 1)");
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

int lg_iPolls = 0;

// The window is asked before every heavy operation of a repeated line too, so Escape stops a
// long line where it is: here the product of the first repeated line never runs.
TEST_F(ClDriver, PollIsHeardInsideARepeatedLine) {
    enterAll({"u = 0; ", "u = u + Ones(1, 2) * Ones(2, 1); "});
    lg_iPolls = 0;
    g_pfnRepeat_Poll = [](unsigned long, double) { return ++lg_iPolls >= 2; };
    const std::string sBefore = output();
    enter("Rpt(5, 1)");
    EXPECT_EQ(output().substr(sBefore.size()), "\nLimit on Rpts exceeded\nOut>\n");
    EXPECT_EQ(valueOf("u")(0, 0), Complex(2.0));
    EXPECT_EQ(g_pfnWork_Poll, nullptr);   // a line typed afterwards is not polled
}

TEST_F(ClDriver, HiddenValueIsNotFormatted) {
    const auto evaluateHidden = [](const char* acLine) {
        setLine(displayToCodes(acLine));
        if (ClCalculator::tLexer()) ClCalculator::tParser(false);
    };
    evaluateHidden("[1, 2]");
    EXPECT_STREQ(g_acOutput_Line, "");
    evaluateHidden("[1, 2] + [1, 2, 3]");   // an error is shown with its value
    evaluateHidden("[1, 2] / 0");
    EXPECT_STRNE(g_acOutput_Line, "");
}

int lg_iGraph_Calls = 0;   ///< redraws, plus a hundred for each graph brought to the front
void countGraph(bool bShow) { lg_iGraph_Calls += bShow ? 100 : 1; }

// Rpt and Plot requests of a repeated line that failed are dropped with it.
TEST_F(ClDriver, FailedRepeatedLineLeavesNoRequest) {
    g_eOutput = eGS_SHOWN;
    enterAll({"Roots Rpt(1)", "Plot([1], [1 / 0])", "Rpt(1, 2, 2)", "Rpt(1, 2, 2)"});
    EXPECT_FALSE(g_bRepeat || g_bPlot);
    enter("[5, 6]");
    EXPECT_EQ(g_uiActive_Plots, 1);   // the plot entered at the keyboard stores its invalid numbers
}

TEST_F(ClDriver, PlotStoredWhenTheGraphWindowIsOpen) {
    g_eOutput = eGS_SHOWN;
    g_pfnGraph_Changed = countGraph;
    lg_iGraph_Calls = 0;
    enterAll({"Plot([1, 2], [3, 4])", "u = 0", "Plot([1, 2], [u, u]); ", "Rpt(2, 2)"});
    EXPECT_EQ(g_uiActive_Plots, 4);
    EXPECT_EQ(variable(static_cast<eTOKEN>(3)), mat({{1, 2}, {0, 0}}));
    EXPECT_EQ(lg_iGraph_Calls, 202);
    EXPECT_EQ(output(), "\nOut>\n\nOut>u = 0 :\n0\nOut>\n\nOut>u = 0 :\n0\nOut>u = 0 :\n0\nOut>\n");
}

}  // namespace
