// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's steps without a display: the size step, the table step, entering cells,
// Done and the two Cancels, on a plain view whose two entry fields share one line.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs.h"
#include "editor_flow.h"
#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"

namespace {

std::vector<std::string> lg_asDialogs;   ///< every box shown, in order
int lg_iChoice = 0;                      ///< the button a question gets

/// The editor's widgets as values; the step shown is its title, "" for none.
class ClPlainEditorView : public ClEditorView {
public:
    int rowsChosen() const override { return mp_aiSizes[0]; }
    int columnsChosen() const override { return mp_aiSizes[1]; }
    void chooseSizes(int iRows, int iCols) override { mp_aiSizes[0] = iRows, mp_aiSizes[1] = iCols; }
    void showSizeStep(const char* acTitle) override { mp_sStep = acTitle; }
    void showTableStep(const char* acTitle, int iRows, int iCols) override {
        mp_sStep = acTitle + std::to_string(iRows) + " x " + std::to_string(iCols);
        mp_aiCell[0] = mp_aiCell[1] = gc_iNO_CELL;
    }
    void showCellEditor(int iRow, int iCol) override { mp_aiCell[0] = iRow, mp_aiCell[1] = iCol; }
    void closeSteps() override { mp_sStep.clear(); }
    ClTextPane* fillInPane() override { return &mp_Entry; }
    ClTextPane* cellPane() override { return &mp_Entry; }

    int mp_aiSizes[2] = {1, 1};
    int mp_aiCell[2] = {gc_iNO_CELL, gc_iNO_CELL};
    std::string mp_sStep;
    ClStringPane mp_Entry;
};

class ClEditorFlow : public ::testing::Test {
protected:
    void SetUp() override {
        resetExecution(&mp_Input, &mp_Output);
        resetEditor(&mp_View);
        lg_asDialogs.clear();
        lg_iChoice = 0;
        g_pfnDialog = [](eDIALOG, const char* acText, const char*, const char*, const char*) {
            lg_asDialogs.push_back(acText);
            return lg_iChoice;
        };
    }
    void TearDown() override { g_pfnDialog = nullptr; }

    /// Types display texts into the active line, and Enter when asked.
    static void type(const char* acText, bool bEnter = false) {
        for (unsigned char ucKey : displayToCodes(acText)) typeKey(ucKey);
        if (bEnter) lineAction(eT_ENTER);
    }
    static Matrix& variableA() { return ClCalculator::mp_mVariable[eT_A]; }
    /// The cell edited, as the flow and the view know it.
    std::vector<int> cell() const { return {g_iEdit_Row, g_iEdit_Col, mp_View.mp_aiCell[0], mp_View.mp_aiCell[1]}; }

    ClStringPane mp_Input, mp_Output;
    ClPlainEditorView mp_View;
};

const std::vector<int> gc_aiNO_CELL = {gc_iNO_CELL, gc_iNO_CELL, gc_iNO_CELL, gc_iNO_CELL};

TEST_F(ClEditorFlow, StepsKeepTheCalculatorLine) {
    Matrix& mU = ClCalculator::mp_mVariable[eT_u];
    mU = mat({{1}});
    type("1 + ");
    g_bBusy = true;   // a repetition runs: nothing opens
    openSizeStep(eT_u);
    EXPECT_EQ(lg_eActive_Input, eAI_CALCULATOR);
    g_bBusy = false;
    openSizeStep(eT_u);
    EXPECT_EQ(lg_eActive_Input, eAI_EDITOR_SIZES);
    EXPECT_EQ(mp_View.mp_sStep, "Size Specs for Matrix u ");
    EXPECT_EQ(g_pActive_Display, &mp_View.mp_Entry);
    EXPECT_EQ(mp_View.mp_Entry.mp_sText, "_");
    mp_View.chooseSizes(0, 1);
    openTableStep();   // zero sizes, and "Cancel" to the question: the size step, the sizes the variable's
    EXPECT_EQ(lg_eActive_Input, eAI_EDITOR_SIZES);
    EXPECT_EQ(mp_View.rowsChosen(), 1);
    mp_View.chooseSizes(1, 2);
    openTableStep();
    EXPECT_EQ(lg_eActive_Input, eAI_EDITOR_ENTRY);
    EXPECT_EQ(mp_View.mp_sStep, "Matrix u 1 x 2");
    EXPECT_EQ(cell(), gc_aiNO_CELL);
    cancelEditing();
    EXPECT_EQ(mU, mat({{1}}));
    EXPECT_EQ(mp_View.mp_sStep, "");
    EXPECT_EQ(g_pActive_Display, &mp_Input);
    openSizeStep(eT_u);
    mp_View.chooseSizes(1, 0);
    lg_iChoice = 1;   // "Clear": the variable is emptied, its counters left at 0
    openTableStep();
    EXPECT_EQ(lg_asDialogs, std::vector<std::string>(2, "Clear this matrix and exit editing?"));
    EXPECT_EQ(mU.size(), 0);
    EXPECT_EQ(mp_View.rowsChosen() + mp_View.columnsChosen(), 0);
    EXPECT_EQ(lg_eActive_Input, eAI_CALCULATOR);
    EXPECT_EQ(mp_Input.mp_sText.substr(g_Current_State.mp_uiDisplay_Start), "1 + _");
    EXPECT_EQ(g_uiHistory_Next, 0);
}

// The table holds the variable when its sizes are kept and no fill-in value but 0 was given.
TEST_F(ClEditorFlow, TableHoldsTheVariableOrTheFillIn) {
    const Matrix m1234 = mat({{1, 2}, {3, 4}});
    const struct { Matrix mVariable; int iRows, iCols; const char* acFill_In; Matrix mTable; } aCASES[] = {
        {Matrix(), 2, 3, "5", Matrix::Constant(2, 3, 5)},
        {m1234, 2, 2, "", m1234},
        {m1234, 2, 2, "0", m1234},
        {m1234, 1, 2, "", Matrix::Zero(1, 2)},
        {m1234, 2, 2, "2 + 3", Matrix::Constant(2, 2, 5)},
        {m1234, 2, 2, "[1, 2]", m1234},   // not a scalar: no value
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.acFill_In);
        SetUp();
        variableA() = c.mVariable;
        openSizeStep(eT_A);
        mp_View.chooseSizes(c.iRows, c.iCols);
        type(c.acFill_In);
        openTableStep();
        EXPECT_EQ(g_mEdit_Values, c.mTable);
        EXPECT_EQ(variableA(), c.mVariable);   // until Done
        finishEditing();
        EXPECT_EQ(variableA(), c.mTable);
        EXPECT_EQ(mp_Output.mp_sText, gc_acSPACER);   // the fill-in line is neither shown nor stored
        EXPECT_EQ(g_uiHistory_Next, 0);
    }
}

TEST_F(ClEditorFlow, CellsEnteredRowByRowUntilTheLast) {
    variableA() = mat({{1, 2}, {3, 4}});
    openSizeStep(eT_A);
    openTableStep();
    clickCell(0, 1);
    type("1 / 3", true);
    EXPECT_EQ(cell(), (std::vector<int>{1, 0, 1, 0}));
    type("[1, 2]", true);       // not a scalar: said, and the line emptied
    EXPECT_EQ(mp_View.mp_Entry.mp_sText, "_");
    type("1 / [1, 2]", true);   // an error: said, and the line stays to be mended
    EXPECT_EQ(mp_View.mp_Entry.mp_sText, "1 / [1, 2]_");
    EXPECT_EQ(lg_asDialogs, (std::vector<std::string>{"Entry is not a scalar number", "Non-square matrix"}));
    EXPECT_EQ(cell(), (std::vector<int>{1, 0, 1, 0}));
    lineAction(eT_CLEAR);
    type("7");
    clickCell(1, 1);   // the cell being edited is entered first
    EXPECT_EQ(cell(), (std::vector<int>{1, 1, 1, 1}));
    type("8", true);   // the last cell: then none is edited
    EXPECT_EQ(cell(), gc_aiNO_CELL);
    EXPECT_NEAR(g_mEdit_Values(0, 1).real(), 1.0 / 3, 1e-15);
    EXPECT_EQ(g_mEdit_Values.col(0), mat({{1}, {7}}));
    EXPECT_EQ(g_mEdit_Values(1, 1), Complex(8));
    cancelEditing();
    EXPECT_EQ(variableA(), mat({{1, 2}, {3, 4}}));
    openSizeStep(eT_A);
    openTableStep();
    clickCell(1, 1);
    type("9");
    finishEditing();   // Done enters the cell being edited
    EXPECT_EQ(variableA(), mat({{1, 2}, {3, 9}}));
}

// A pasted block is the table in either step, as if sized and typed; a refused one changes nothing.
TEST_F(ClEditorFlow, PasteFillsTheTable) {
    pasteIntoEditor("1 2");   // the calculator line takes no text
    EXPECT_EQ(lg_eActive_Input, eAI_CALCULATOR);
    variableA() = mat({{1, 2}, {3, 4}});
    openSizeStep(eT_A);
    type("5");
    pasteIntoEditor("1+1e-40i\t2\t3\r\n4\t5\t6\r\n");   // cleaned like a typed result
    EXPECT_EQ(g_mEdit_Values, mat({{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(mp_View.mp_sStep + mp_View.mp_Entry.mp_sText, "Matrix A 2 x 3_");   // the fill-in line dropped
    EXPECT_EQ(mp_View.rowsChosen() * 10 + mp_View.columnsChosen(), 23);
    clickCell(0, 1);
    type("9");
    pasteIntoEditor("1\t2\n3");
    EXPECT_EQ(lg_asDialogs, std::vector<std::string>{
                                "Paste refused: row 2, column 2 is missing; every row must be as long as row 1."});
    EXPECT_EQ(cell(), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(mp_View.mp_Entry.mp_sText, "9_");
    pasteIntoEditor("[[7, 8j]]");   // the cell being typed goes with the old table
    EXPECT_EQ(cell(), gc_aiNO_CELL);
    EXPECT_EQ(variableA(), mat({{1, 2}, {3, 4}}));   // until Done
    finishEditing();
    EXPECT_EQ(variableA(), mat({{7, {0, 8}}}));
    EXPECT_EQ(g_uiHistory_Next, 0);
}

// The counter just changed steps back when the table would pass 262144 entries.
TEST_F(ClEditorFlow, CountersKeepToTheEntryLimit) {
    const struct { int iRows, iCols; bool bRows; int iKept_Rows, iKept_Cols; } aCASES[] = {
        {512, 512, true, 512, 512}, {512, 513, false, 512, 512}, {512, 513, true, 511, 513},
        {-1, 512, true, 0, 512},    {3, -1, false, 3, 0},       {0, 300000, true, 0, 300000}};
    for (const auto& c : aCASES) {
        SCOPED_TRACE(std::to_string(c.iRows) + " x " + std::to_string(c.iCols));
        mp_View.chooseSizes(c.iRows, c.iCols);
        keepSizesInLimits(c.bRows);
        EXPECT_EQ(mp_View.rowsChosen(), c.iKept_Rows);
        EXPECT_EQ(mp_View.columnsChosen(), c.iKept_Cols);
    }
}

}  // namespace
