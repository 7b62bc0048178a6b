// The matrix editor's callbacks: the size step, the table step, Done and the two Cancels.
#include "matrix_editor.h"

#include <cstring>

#include "dialogs.h"
#include "driver.h"
#include "execution_state.h"
#include "line_edit.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "main_window.h"
#include "matrix_table.h"

eTOKEN* lg_pEdit_Token = nullptr;
Matrix* lg_pEdit_Matrix = nullptr;
char lg_cEdit_Name = 'A';
std::complex<double> lg_cFill_In = 0.0;   // X11 names a macro Complex

namespace {

char lg_acTitle[] = "Matrix   ";                    ///< the table step's title; the letter at 7
char lg_acSize_Title[] = "Size Specs for Matrix   ";   ///< the size step's title; the letter at 22

ClORBEXUI& panel() { return *g_Main_Window.mp_pPanel; }

void setActive(Fl_Menu_Item* pItem, bool bActive) {
    if (bActive) pItem->activate();
    else pItem->deactivate();
}

/// The menu items of the window formats, the File and Edit menus, the graph window and Execute.
void setEditItems(bool bActive) {
    for (Fl_Menu_Item* pItem : {ClORBEXUI::mp_miTwo_Windows, ClORBEXUI::mp_miOne_Window, ClORBEXUI::mp_miPortrait,
                                ClORBEXUI::mp_smFile, ClORBEXUI::mp_smEdit, ClORBEXUI::mp_miGraph,
                                ClORBEXUI::mp_miExecute})
        setActive(pItem, bActive);
    for (Fl_Menu_Item* pItem : {ClORBEXUI::mp_miCorners, ClORBEXUI::mp_miScales, ClORBEXUI::mp_miText})
        setActive(pItem, bActive && g_eOutput != 0);
    ClTextDisplay* pInput = panel().mp_pInput_Display;
    if (bActive) pInput->activate();
    else pInput->deactivate();
}

/// Back to the calculator line, as it was when the editor opened.
void closeEditor() {
    ClORBEXUI& ui = panel();
    lg_eActive_Input = 0;
    editEnableItems();
    g_Current_State = g_Current_State_Bkp;
    g_pActive_Display = g_pInput_Display;
    for (Fl_Group* pGroup : {ui.mp_pSize_Group, ui.mp_pTable_Group}) {
        pGroup->hide();
        pGroup->deactivate();
    }
    g_Main_Window.resizeInWindow();   // the input display and the right-hand view come back
    displayCurrent();
}

void readSizes() {
    ClORBEXUI& ui = panel();
    ui.mp_pRows->value(static_cast<double>(lg_pEdit_Matrix->rows()));
    ui.mp_pColumns->value(static_cast<double>(lg_pEdit_Matrix->cols()));
}

}  // namespace

void editDisableItems() {
    setEditItems(false);
    panel().mp_pWindow->redraw();
}

void editEnableItems() {
    setEditItems(true);
    panel().mp_pWindow->redraw();
}

void ClCallback::editSizes_cb(Fl_Widget*, void* pData) {
    if (g_bBusy) return;
    ClORBEXUI& ui = panel();
    lg_pEdit_Token = static_cast<eTOKEN*>(pData);
    lg_pEdit_Matrix = &ClCalculator::mp_mVariable[*lg_pEdit_Token];
    readSizes();
    // The calculator line is saved at the first opening only: coming back from the choice
    // box, the current line is the fill-in line.
    if (lg_eActive_Input == 0) g_Current_State_Bkp = g_Current_State;
    lg_eActive_Input = 2;
    editDisableItems();
    lg_cEdit_Name = "AUBVCuPvQw"[*lg_pEdit_Token - eT_A];
    lg_acSize_Title[22] = lg_cEdit_Name;
    ui.mp_pInput_Display->hide();
    ui.mp_pOutput_Display->hide();
    ui.mp_pGraph_Box->hide();
    ui.mp_pNote_Display->label(lg_acSize_Title);
    ui.mp_pSize_Group->activate();
    ui.mp_pSize_Group->show();
    g_pActive_Display = ui.mp_pFill_In_Display;
    cleanUp(false);   // the fill-in line starts empty
}

void ClCallback::editCounter_cb(Fl_Widget* pWidget, void*) {
    ClORBEXUI& ui = panel();
    Fl_Simple_Counter* pCounter = static_cast<Fl_Simple_Counter*>(pWidget);
    if (pCounter->value() < 0) pCounter->value(0);
    if (ui.mp_pRows->value() * ui.mp_pColumns->value() > static_cast<double>(gc_iMAX_ENTRIES)) 
        pCounter->value(pCounter->value() - 1);
}

void ClCallback::editMatrixTable_cb(Fl_Widget*, void*) {
    ClORBEXUI& ui = panel();
    const int iRows = static_cast<int>(ui.mp_pRows->value()), iCols = static_cast<int>(ui.mp_pColumns->value());
    ClTable& table = *ui.mp_pTable;
    if (iRows == 0 || iCols == 0) {
        if (showDialog(eD_CHOICE, "Clear this matrix and exit editing?", "Cancel", "Clear") != 1) {
            editSizes_cb(nullptr, lg_pEdit_Token);
            return;
        }
        lg_pEdit_Matrix->resize(0, 0);
        editCancel_cb(nullptr, nullptr);
        return;
    }
    lg_cFill_In = 0.0;
    if (g_Current_State.mp_uiLength > 0) {
        enterAction();   // evaluated into Ans, nothing shown or stored
        const Matrix& mAns = ClCalculator::mp_mLast_Output;
        if (mAns.rows() == 1 && mAns.cols() == 1) lg_cFill_In = mAns(0, 0);
    }
    if (lg_pEdit_Matrix->rows() == iRows && lg_pEdit_Matrix->cols() == iCols && lg_cFill_In == 0.0)
        table.mp_mMatrix = *lg_pEdit_Matrix;
    else
        table.mp_mMatrix = Matrix::Constant(iRows, iCols, lg_cFill_In);
    lg_eActive_Input = 1;
    g_pActive_Display = table.mp_pCell_Editor;
    cleanUp(false);
    table.rows(iRows);
    table.cols(iCols);
    lg_acTitle[7] = lg_cEdit_Name;
    ui.mp_pTable_Title->label(lg_acTitle);
    ui.mp_pSize_Group->hide();
    ui.mp_pSize_Group->deactivate();
    ui.mp_pInput_Display->hide();
    ui.mp_pTable_Group->activate();
    ui.mp_pTable_Group->show();
    table.mp_pCell_Editor->hide();
    table.mp_iEdit_Row = table.mp_iEdit_Col = ClTable::gc_iNONE;   // no cell until one is clicked
}

void ClCallback::sizeCancel_cb(Fl_Widget*, void*) { closeEditor(); }

void ClCallback::editDone_cb(Fl_Widget*, void*) {
    ClTable& table = *panel().mp_pTable;
    table.endEditing();
    *lg_pEdit_Matrix = table.mp_mMatrix;
    closeEditor();
}

void ClCallback::editCancel_cb(Fl_Widget*, void*) {
    if (lg_pEdit_Matrix->rows() == 0) {
        panel().mp_pRows->value(0);
        panel().mp_pColumns->value(0);
    }
    closeEditor();
}

void ClCallback::editView_cb(Fl_Widget* pWidget, void*) {
    ClTable& table = *static_cast<ClTable*>(pWidget);
    switch (table.callback_context()) {
    case Fl_Table::CONTEXT_CELL:
        if (Fl::event() != FL_PUSH) break;
        table.endEditing();   // the cell being edited is entered first
        table.startEditing(table.callback_row(), table.callback_col());
        break;
    case Fl_Table::CONTEXT_ROW_HEADER:
    case Fl_Table::CONTEXT_COL_HEADER:
    case Fl_Table::CONTEXT_TABLE: table.endEditing(); break;
    default: break;
    }
}

void editorEnterEntry() {
    ClTable& table = *panel().mp_pTable;
    if (table.mp_iEdit_Row == ClTable::gc_iNONE) return;
    if (g_Current_State.mp_uiLength > 0) {
        if (g_uiError_Number != eE_NONE) {   // the line stays in its cell to be mended
            const char* const acMessage =
                g_uiError_Number < eE_COUNT ? gc_aacERROR_MESSAGE[g_uiError_Number] : gc_aacERROR_MESSAGE[eE_NONE];
            g_uiError_Number = eE_NONE;
            showDialog(eD_MESSAGE, acMessage);
            displayCurrent();
            return;
        }
        const Matrix& mValue = ClCalculator::mp_mParser_Output;
        if (mValue.rows() != 1 || mValue.cols() != 1) {
            showDialog(eD_MESSAGE, "Entry is not a scalar number");
            cleanUp(false);
            return;
        }
        table.mp_mMatrix(table.mp_iEdit_Row, table.mp_iEdit_Col) = mValue(0, 0);
    }
    int iRow = table.mp_iEdit_Row, iCol = table.mp_iEdit_Col + 1;
    if (iCol >= table.cols()) {
        iCol = 0;
        ++iRow;
    }
    table.mp_pCell_Editor->hide();
    if (iRow >= table.rows()) {
        table.mp_iEdit_Row = table.mp_iEdit_Col = ClTable::gc_iNONE;
        cleanUp(false);
    } else {
        table.startEditing(iRow, iCol);
    }
    table.redraw();
}
