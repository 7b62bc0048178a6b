// SPDX-License-Identifier: GPL-3.0-or-later
// ClTable: the matrix editor's grid. Only the cells on screen are formatted when it draws; the
// cell being edited is left to the cell editor laid over it.
#pragma once

#include <FL/Fl_Table.H>

class ClTable : public Fl_Table {
public:
    /// Like every table, it is left open for child widgets: end() it after adding them.
    ClTable(int iX, int iY, int iW, int iH, const char* acLabel, bool bHeaders);

    /// Lays the widget over the cell.
    void placeOverCell(Fl_Widget* pWidget, int iRow, int iCol);
    /// Cells, headers and font dFactor times their size as built.
    void scale(double dFactor);
    /// New rows and columns take the cells' size too.
    void rows(int iRows) override;
    void cols(int iCols) override;
    using Fl_Table::rows;
    using Fl_Table::cols;
    void drawHeader(const char* acText, int iX, int iY, int iW, int iH);
    void drawData(const char* acText, int iX, int iY, int iW, int iH);

protected:
    void draw_cell(TableContext eContext, int iRow, int iCol, int iX, int iY, int iW, int iH) override;

private:
    int scaled(int iLength) const;
    void sizeCells(int iRows, int iCols);
    double mp_dScale = 1;
};
