// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor without a display: its size step, its table step, the entry of cells through
// the Enter action, Done and the two Cancels. Its widgets are reached through a view.
#pragma once

#include <string_view>

#include "engine_state.h"
#include "text_pane.h"

constexpr int gc_iNO_CELL = -1;   ///< the edited row and column when no cell is edited

/// The editor's widgets as the flow sees them: the window's panel and the tests' plain view.
class ClEditorView {
public:
    virtual ~ClEditorView() = default;

    /// The size step's row and column counters.
    virtual int rowsChosen() const = 0;
    virtual int columnsChosen() const = 0;
    virtual void chooseSizes(int iRows, int iCols) = 0;
    /// The size step under its title takes the displays' place; the calculator's menu items and
    /// its input display wait.
    virtual void showSizeStep(const char* acTitle) = 0;
    /// The table of iRows x iCols under its title takes the size step's place, no cell editor shown.
    virtual void showTableStep(const char* acTitle, int iRows, int iCols) = 0;
    /// The cell editor over that cell, or hidden for gc_iNO_CELL; the table is drawn again.
    virtual void showCellEditor(int iRow, int iCol) = 0;
    /// Both steps go; the displays and the menu items come back as the window format has them.
    virtual void closeSteps() = 0;
    /// The panes the entry line is typed in: the fill-in field and the cell editor.
    virtual ClTextPane* fillInPane() = 0;
    virtual ClTextPane* cellPane() = 0;
};

extern Matrix g_mEdit_Values;   ///< the table's values; only Done writes them to the variable
extern int g_iEdit_Row;         ///< the cell being edited, or gc_iNO_CELL
extern int g_iEdit_Col;

/// The editor as the program starts it: variable A, an empty table, no cell edited. Attaches the
/// view and installs the Enter steps of a cell; called after resetExecution, which removes them.
void resetEditor(ClEditorView* pView);

/// "Edit > Matrix": the size step for the variable, its sizes chosen and an empty fill-in line.
/// The calculator line is kept until the editor closes. Nothing happens during a repetition.
void openSizeStep(eTOKEN eVariable);
/// A counter changed (bRows: the row counter): no count below 0, no table over the entry limit.
void keepSizesInLimits(bool bRows);
/// "Edit": zero sizes ask whether to clear the variable; other sizes open the table, holding the
/// variable's values when the sizes are its own and the fill-in line gave no value but 0, else
/// the fill-in value (a scalar result of the line, 0 otherwise) in every cell.
void openTableStep();
/// The size step's "Cancel", and every way out: the calculator line comes back as it was.
void closeEditor();
/// "Done": the cell being edited is entered, then the table becomes the variable.
void finishEditing();
/// The table step's "Cancel": the variable stays; an empty one leaves its counters at 0.
void cancelEditing();
/// A cell clicked: the cell being edited is entered first, then the clicked one is edited.
void clickCell(int iRow, int iCol);
/// A header or the table outside its cells clicked: the cell being edited is entered.
void leaveCell();
/// Text pasted in either step: its block of numbers (the forms of readPastedMatrix) becomes the
/// table and the counters take its size, as if the sizes were chosen and every cell typed; the
/// fill-in or cell line being typed is dropped. A text refused is said in one message and
/// changes nothing. Nothing happens while no matrix is edited.
void pasteIntoEditor(std::string_view sText);
