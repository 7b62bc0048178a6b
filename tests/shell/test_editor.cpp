// The matrix editor in the panel: its size step, its table step and the ways back, on a shown
// window with its message boxes answered by the tests.
#include <gtest/gtest.h>

#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "line_edit.h"
#include "matrix_editor.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "matrix_table.h"
#include "window_fixture.h"

class ClEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWindow();
    }
    static ClORBEXUI& ui() { return *g_Main_Window.mp_pPanel; }
    static ClTable& table() { return *ui().mp_pTable; }
    static Matrix& variableA() { return ClCalculator::mp_mVariable[eT_A]; }
    static void open() { ClCallback::editSizes_cb(nullptr, const_cast<eTOKEN*>(&eToken_Matrix[0])); }
    /// Types display texts into the active line, and Enter when asked.
    static void type(const char* acText, bool bEnter = false) {
        for (unsigned char ucKey : displayToCodes(acText)) typeKey(ucKey);
        if (bEnter) lineAction(eT_ENTER);
    }
    static void setSizes(int iRows, int iCols) {
        ui().mp_pRows->value(iRows);
        ui().mp_pRows->do_callback();
        ui().mp_pColumns->value(iCols);
        ui().mp_pColumns->do_callback();
    }
    static void click(int iRow, int iCol) {
        Fl::e_number = FL_PUSH;
        table().do_callback(Fl_Table::CONTEXT_CELL, iRow, iCol);
    }
    static void expectClosed() {
        EXPECT_EQ(lg_eActive_Input, 0);
        EXPECT_FALSE(ui().mp_pSize_Group->visible() || ui().mp_pTable_Group->visible());
        EXPECT_TRUE(ui().mp_pInput_Display->visible());
        EXPECT_TRUE(ClORBEXUI::mp_smFile->active());
    }
};

TEST_F(ClEditor, UndefinedVariableFilledIn) {
    type("1 + ");   // the calculator line comes back afterwards
    open();
    EXPECT_EQ(ui().mp_pRows->value(), 0);
    EXPECT_EQ(lg_eActive_Input, 2);
    EXPECT_FALSE(ClORBEXUI::mp_smFile->active() || ClORBEXUI::mp_miExecute->active());
    EXPECT_STREQ(ui().mp_pNote_Display->label(), "Size Specs for Matrix A ");
    setSizes(2, 3);
    type("5");
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    EXPECT_EQ(lg_eActive_Input, 1);
    EXPECT_STREQ(ui().mp_pTable_Title->label(), "Matrix A ");
    EXPECT_EQ(table().mp_iEdit_Row, ClTable::gc_iNONE);
    ClCallback::editDone_cb(nullptr, nullptr);
    EXPECT_EQ(variableA(), Matrix::Constant(2, 3, 5.0));
    expectClosed();
    EXPECT_EQ(bufferText(lg_pBuff_In).substr(g_Current_State.mp_uiDisplay_Start), std::string("1 + _"));
}

TEST_F(ClEditor, CellsEnteredRowByRowUntilTheLast) {
    variableA() = mat({{1, 2}, {3, 4}});
    open();
    ClCallback::editMatrixTable_cb(nullptr, nullptr);   // same size, no fill-in: the entries
    EXPECT_EQ(table().mp_mMatrix, variableA());
    click(0, 1);
    type("1 / 3", true);
    EXPECT_EQ(table().mp_iEdit_Row, 1);
    EXPECT_EQ(table().mp_iEdit_Col, 0);
    type("[1, 2]", true);   // not a scalar: said, and the cell stays
    type("1 / [1, 2]", true);   // an error: said, and the cell stays
    EXPECT_EQ(g_Answers.asTexts, (std::vector<std::string>{"Entry is not a scalar number", "Non-square matrix"}));
    EXPECT_EQ(table().mp_iEdit_Row, 1);
    click(1, 1);   // the cell being edited is entered first
    type("7");
    click(0, 0);
    EXPECT_EQ(table().mp_mMatrix(1, 1), std::complex<double>(7));
    EXPECT_EQ(table().mp_mMatrix(1, 0), std::complex<double>(3));
    click(1, 1);
    type("8", true);   // the last cell: then none is edited
    EXPECT_EQ(table().mp_iEdit_Row, ClTable::gc_iNONE);
    ClCallback::editCancel_cb(nullptr, nullptr);
    EXPECT_EQ(variableA(), mat({{1, 2}, {3, 4}}));
    expectClosed();
    open();
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    click(0, 1);
    type("1 / 3", true);
    ClCallback::editDone_cb(nullptr, nullptr);
    EXPECT_NEAR(variableA()(0, 1).real(), 1.0 / 3, 1e-15);
}

TEST_F(ClEditor, NewSizeClearsToTheFillIn) {
    variableA() = mat({{1, 2}, {3, 4}});
    open();
    setSizes(2, 3);
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    ClCallback::editDone_cb(nullptr, nullptr);
    EXPECT_EQ(variableA(), Matrix::Zero(2, 3));
}

TEST_F(ClEditor, ZeroSizeAsksToClear) {
    variableA() = mat({{1}});
    type("2 * ");
    open();
    setSizes(0, 1);
    g_Answers.iChoice = 0;   // "Cancel": back to the size step, the calculator line kept
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    EXPECT_EQ(lg_eActive_Input, 2);
    EXPECT_EQ(ui().mp_pRows->value(), 1);
    setSizes(0, 1);
    g_Answers.iChoice = 1;   // "Clear"
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    EXPECT_EQ(g_Answers.asTexts, std::vector<std::string>(2, "Clear this matrix and exit editing?"));
    EXPECT_EQ(variableA().size(), 0);
    expectClosed();
    EXPECT_EQ(bufferText(lg_pBuff_In).substr(g_Current_State.mp_uiDisplay_Start), std::string("2 * _"));
}

TEST_F(ClEditor, CountersKeepToTheEntryLimit) {
    open();
    setSizes(512, 512);
    setSizes(512, 513);
    EXPECT_EQ(ui().mp_pColumns->value(), 512);
    setSizes(-1, 512);
    EXPECT_EQ(ui().mp_pRows->value(), 0);
    ClCallback::sizeCancel_cb(nullptr, nullptr);
    expectClosed();
}
