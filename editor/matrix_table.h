// ClTable: the matrix editor's grid. Only the cells on screen are formatted when it draws;
// one cell at a time is edited in the small text display laid over it.
#pragma once

#include "engine_state.h"

#include <FL/Fl_Table.H>

#include "text_display.h"

class ClTable : public Fl_Table {
public:
    static constexpr int gc_iNONE = -1;   ///< the edit row and column when no cell is edited

    ClTable(int iX, int iY, int iW, int iH, const char* acLabel, bool bHeaders);

    /// Lays the cell editor over the cell and starts an empty line in it.
    void startEditing(int iRow, int iCol);
    /// Enters the line of the cell being edited, which stores its value; then no cell is edited.
    void endEditing();
    void drawHeader(const char* acText, int iX, int iY, int iW, int iH);
    void drawData(const char* acText, int iX, int iY, int iW, int iH);

    int mp_iEdit_Row = gc_iNONE;
    int mp_iEdit_Col = gc_iNONE;
    ClTextDisplay* mp_pCell_Editor;   ///< a child of the table, deleted with it
    Matrix mp_mMatrix;   ///< the values shown; only Done writes them to the variable

protected:
    void draw_cell(TableContext eContext, int iRow, int iCol, int iX, int iY, int iW, int iH) override;
};
