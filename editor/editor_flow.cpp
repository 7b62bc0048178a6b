// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's steps: the entry line moves between the fill-in field and the cells, while
// the calculator line waits in its backup.
#include "editor_flow.h"

#include "dialogs.h"
#include "driver.h"
#include "execution_state.h"
#include "line_edit.h"
#include "paste_parse.h"

Matrix g_mEdit_Values;
int g_iEdit_Row = gc_iNO_CELL;
int g_iEdit_Col = gc_iNO_CELL;

namespace {

ClEditorView* lg_pView = nullptr;
eTOKEN lg_eEdit_Token = eT_A;                       ///< the variable being edited
char lg_acTitle[] = "Matrix   ";                    ///< the table step's title; the letter at 7
char lg_acSize_Title[] = "Size Specs for Matrix   ";   ///< the size step's title; the letter at 22

Matrix& editedVariable() { return ClCalculator::mp_mVariable[lg_eEdit_Token]; }

/// The variable's letter as the titles show it.
char editedLetter() { return "AUBVCuPvQw"[lg_eEdit_Token - eT_A]; }

/// The cell editor over the cell, with an empty line.
void startCell(int iRow, int iCol) {
    g_iEdit_Row = iRow;
    g_iEdit_Col = iCol;
    lg_pView->showCellEditor(iRow, iCol);
    cleanUp(false);
}

/// The Enter steps of the cell being edited: a scalar is stored and the next cell opens; an
/// error or another value is said, and the line stays in its cell to be mended or is emptied.
void enterCell() {
    if (g_iEdit_Row == gc_iNO_CELL) return;
    if (g_Current_State.mp_uiLength > 0) {
        if (g_uiError_Number != eE_NONE) {
            const char* const acMessage =
                g_uiError_Number < eE_COUNT ? gc_aacERROR_MESSAGE[g_uiError_Number] : gc_aacERROR_MESSAGE[eE_NONE];
            g_uiError_Number = eE_NONE;
            showDialog(eD_MESSAGE, acMessage);
            displayCurrent();
            return;
        }
        const Matrix& mValue = ClCalculator::lineValue();
        if (mValue.rows() != 1 || mValue.cols() != 1) {
            showDialog(eD_MESSAGE, "Entry is not a scalar number");
            cleanUp(false);
            return;
        }
        g_mEdit_Values(g_iEdit_Row, g_iEdit_Col) = mValue(0, 0);
    }
    int iRow = g_iEdit_Row, iCol = g_iEdit_Col + 1;
    if (iCol >= g_mEdit_Values.cols()) {
        iCol = 0;
        ++iRow;
    }
    if (iRow < g_mEdit_Values.rows()) {
        startCell(iRow, iCol);
        return;
    }
    g_iEdit_Row = g_iEdit_Col = gc_iNO_CELL;   // the last cell was entered
    lg_pView->showCellEditor(gc_iNO_CELL, gc_iNO_CELL);
    cleanUp(false);
}

/// The table step over g_mEdit_Values, no cell edited until one is clicked.
void showTable() {
    g_iEdit_Row = g_iEdit_Col = gc_iNO_CELL;
    lg_eActive_Input = eAI_EDITOR_ENTRY;
    g_pActive_Display = lg_pView->cellPane();
    cleanUp(false);
    lg_acTitle[7] = editedLetter();
    lg_pView->showTableStep(lg_acTitle, static_cast<int>(g_mEdit_Values.rows()),
                            static_cast<int>(g_mEdit_Values.cols()));
}

}  // namespace

void resetEditor(ClEditorView* pView) {
    lg_pView = pView;
    lg_eEdit_Token = eT_A;
    g_mEdit_Values.resize(0, 0);
    g_iEdit_Row = g_iEdit_Col = gc_iNO_CELL;
    g_pfnEditor_Enter = enterCell;
}

void openSizeStep(eTOKEN eVariable) {
    if (g_bBusy) return;
    lg_eEdit_Token = eVariable;
    lg_pView->chooseSizes(static_cast<int>(editedVariable().rows()), static_cast<int>(editedVariable().cols()));
    // The calculator line is saved at the first opening only: coming back from the question
    // whether to clear, the current line is the fill-in line.
    if (lg_eActive_Input == eAI_CALCULATOR) g_Current_State_Bkp = g_Current_State;
    lg_eActive_Input = eAI_EDITOR_SIZES;
    lg_acSize_Title[22] = editedLetter();
    lg_pView->showSizeStep(lg_acSize_Title);
    g_pActive_Display = lg_pView->fillInPane();
    cleanUp(false);   // the fill-in line starts empty
}

void keepSizesInLimits(bool bRows) {
    int iRows = lg_pView->rowsChosen(), iCols = lg_pView->columnsChosen();
    int& iChanged = bRows ? iRows : iCols;
    if (iChanged < 0) iChanged = 0;
    if (static_cast<double>(iRows) * iCols > static_cast<double>(gc_iMAX_ENTRIES)) --iChanged;
    lg_pView->chooseSizes(iRows, iCols);
}

void openTableStep() {
    const int iRows = lg_pView->rowsChosen(), iCols = lg_pView->columnsChosen();
    if (iRows == 0 || iCols == 0) {
        if (showDialog(eD_CHOICE, "Clear this matrix and exit editing?", "Cancel", "Clear") != 1) {
            openSizeStep(lg_eEdit_Token);
            return;
        }
        editedVariable().resize(0, 0);
        cancelEditing();
        return;
    }
    Complex cFill_In = 0.0;
    if (g_Current_State.mp_uiLength > 0) {
        enterAction();   // evaluated into Ans, nothing shown or stored
        const Matrix& mAns = ClCalculator::mp_mLast_Output;
        if (mAns.rows() == 1 && mAns.cols() == 1) cFill_In = mAns(0, 0);
    }
    const Matrix& mVariable = editedVariable();
    if (mVariable.rows() == iRows && mVariable.cols() == iCols && cFill_In == 0.0)
        g_mEdit_Values = mVariable;
    else
        g_mEdit_Values = Matrix::Constant(iRows, iCols, cFill_In);
    showTable();
}

void closeEditor() {
    lg_eActive_Input = eAI_CALCULATOR;
    g_Current_State = g_Current_State_Bkp;
    g_pActive_Display = g_pInput_Display;
    lg_pView->closeSteps();
    displayCurrent();
}

void finishEditing() {
    leaveCell();
    editedVariable() = g_mEdit_Values;
    closeEditor();
}

void cancelEditing() {
    if (editedVariable().rows() == 0) lg_pView->chooseSizes(0, 0);
    closeEditor();
}

void clickCell(int iRow, int iCol) {
    leaveCell();
    startCell(iRow, iCol);
}

void leaveCell() {
    if (g_iEdit_Row == gc_iNO_CELL) return;
    enterAction();
    g_iEdit_Row = g_iEdit_Col = gc_iNO_CELL;
}

void pasteIntoEditor(std::string_view sText) {
    if (lg_eActive_Input == eAI_CALCULATOR || g_bBusy) return;
    ClPasted pasted = readPastedMatrix(sText);
    if (pasted.mp_eError != eP_NONE) {
        showDialog(eD_ALERT, pasteRefusal(pasted).c_str());
        return;
    }
    // A typed cell is a result, cleaned like every result when Zero Out is on.
    Matrix mEntry(1, 1);
    Complex* const pz = pasted.mp_mValues.data();
    for (Eigen::Index i = 0; g_bZero_Out && i < pasted.mp_mValues.size(); ++i) {
        mEntry(0, 0) = pz[i];
        ClCalculator::cleanMatrix(mEntry);
        pz[i] = mEntry(0, 0);
    }
    g_mEdit_Values = std::move(pasted.mp_mValues);
    lg_pView->chooseSizes(static_cast<int>(g_mEdit_Values.rows()), static_cast<int>(g_mEdit_Values.cols()));
    showTable();
}
