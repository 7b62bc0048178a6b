// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's steps on the panel: the widgets each step shows and hides, the menu items
// that wait, and the cell editor following the cell, on a shown window.
#include <gtest/gtest.h>

#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "matrix_table.h"
#include "window_fixture.h"

TEST(ClEditorWindow, StepsOnThePanel) {
    ensureWindow();
    ClORBEXUI& ui = *g_Main_Window.mp_pPanel;
    ClCalculator::mp_mVariable[eT_A] = mat({{1, 2}, {3, 4}});
    ClCallback::editSizes_cb(nullptr, const_cast<eTOKEN*>(&eToken_Matrix[0]));
    EXPECT_TRUE(ui.mp_pSize_Group->visible() && !ui.mp_pInput_Display->visible() && !ui.mp_pOutput_Display->visible());
    EXPECT_FALSE(ClORBEXUI::mp_smFile->active() || ClORBEXUI::mp_miExecute->active());
    EXPECT_STREQ(ui.mp_pNote_Display->label(), "Size Specs for Matrix A ");
    EXPECT_EQ(ui.mp_pRows->value(), 2);
    ui.mp_pColumns->value(131073);
    ui.mp_pColumns->do_callback();   // past the entry limit: the column counter steps back
    EXPECT_EQ(ui.mp_pColumns->value(), 131072);
    ui.mp_pColumns->value(2);
    ClCallback::editMatrixTable_cb(nullptr, nullptr);
    EXPECT_TRUE(!ui.mp_pSize_Group->visible() && ui.mp_pTable_Group->visible());
    EXPECT_STREQ(ui.mp_pTable_Title->label(), "Matrix A ");
    EXPECT_TRUE(ui.mp_pTable->rows() == 2 && ui.mp_pTable->cols() == 2);
    Fl::e_number = FL_PUSH;
    ui.mp_pTable->do_callback(Fl_Table::CONTEXT_CELL, 1, 0);
    EXPECT_TRUE(ui.mp_pCell_Editor->visible());
    const int iX = ui.mp_pCell_Editor->x();
    eTOKEN aeKeys[] = {eT_DIGIT_7, eT_ENTER};
    ClCallback::digit_cb(nullptr, &aeKeys[0]);
    ClCallback::state_cb(nullptr, &aeKeys[1]);
    EXPECT_EQ(ui.mp_pCell_Editor->x(), iX + 80);   // over the next cell
    ui.mp_pTable->do_callback(Fl_Table::CONTEXT_COL_HEADER, 0, 0);   // its empty line ends the entry
    EXPECT_FALSE(ui.mp_pCell_Editor->visible());
    ClCallback::editDone_cb(nullptr, nullptr);
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_A], mat({{1, 2}, {7, 4}}));
    EXPECT_FALSE(ui.mp_pSize_Group->visible() || ui.mp_pTable_Group->visible());
    EXPECT_TRUE(ui.mp_pInput_Display->visible() && ui.mp_pOutput_Display->visible());
    EXPECT_TRUE(ClORBEXUI::mp_smFile->active() && ClORBEXUI::mp_miExecute->active());
}
