// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's grid: headers, and the edited values formatted in the current output format.
// Eigen's headers come before X11's, which define Success and None.
#include "editor_flow.h"

#include "matrix_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <FL/fl_draw.H>

namespace {

// Sizes as built.
constexpr int gc_iROW_H = 25, gc_iCOL_W = 80, gc_iROW_HEADER_W = 52, gc_iCOL_HEADER_H = 18, gc_iFONT_SIZE = 14;

}  // namespace

ClTable::ClTable(int iX, int iY, int iW, int iH, const char* acLabel, bool bHeaders)
    : Fl_Table(iX, iY, iW, iH, acLabel) {
    row_header(bHeaders);
    col_header(bHeaders);
    scale(1);
}

int ClTable::scaled(int iLength) const { return static_cast<int>(std::lround(iLength * mp_dScale)); }

void ClTable::scale(double dFactor) {
    mp_dScale = dFactor;
    row_header_width(scaled(gc_iROW_HEADER_W));
    col_header_height(scaled(gc_iCOL_HEADER_H));
    sizeCells(rows(), cols());
}

void ClTable::rows(int iRows) { sizeCells(iRows, cols()); }

void ClTable::cols(int iCols) { sizeCells(rows(), iCols); }

// The toolkit adds up every row and column again after each single size it sets, and new ones
// copy the last one's: the table shrinks to one row and column, which take the size, and grows
// again, each in one step.
void ClTable::sizeCells(int iRows, int iCols) {
    Fl_Table::rows(std::min(iRows, 1));
    Fl_Table::cols(std::min(iCols, 1));
    if (iRows > 0) row_height(0, scaled(gc_iROW_H));
    if (iCols > 0) col_width(0, scaled(gc_iCOL_W));
    Fl_Table::rows(iRows);
    Fl_Table::cols(iCols);
}

void ClTable::placeOverCell(Fl_Widget* pWidget, int iRow, int iCol) {
    int iX, iY, iW, iH;
    find_cell(CONTEXT_CELL, iRow, iCol, iX, iY, iW, iH);
    pWidget->resize(iX, iY, iW, iH);
}

void ClTable::drawHeader(const char* acText, int iX, int iY, int iW, int iH) {
    fl_push_clip(iX, iY, iW, iH);
    fl_draw_box(FL_THIN_UP_BOX, iX, iY, iW, iH, row_header_color());
    fl_color(FL_BLACK);
    fl_draw(acText, iX, iY, iW, iH, FL_ALIGN_CENTER);
    fl_pop_clip();
}

void ClTable::drawData(const char* acText, int iX, int iY, int iW, int iH) {
    fl_push_clip(iX, iY, iW, iH);
    fl_color(FL_WHITE);
    fl_rectf(iX, iY, iW, iH);
    fl_color(FL_GRAY0);
    fl_draw(acText, iX, iY, iW, iH, FL_ALIGN_CENTER);
    fl_color(color());
    fl_rect(iX, iY, iW, iH);
    fl_pop_clip();
}

void ClTable::draw_cell(TableContext eContext, int iRow, int iCol, int iX, int iY, int iW, int iH) {
    char acHeader[32];
    switch (eContext) {
    case CONTEXT_STARTPAGE: fl_font(FL_HELVETICA, scaled(gc_iFONT_SIZE)); break;
    case CONTEXT_ROW_HEADER:
        std::snprintf(acHeader, sizeof acHeader, "Row %d", iRow + 1);
        drawHeader(acHeader, iX, iY, iW, iH);
        break;
    case CONTEXT_COL_HEADER:
        std::snprintf(acHeader, sizeof acHeader, "Col %d", iCol + 1);
        drawHeader(acHeader, iX, iY, iW, iH);
        break;
    case CONTEXT_CELL: {
        if (iRow == g_iEdit_Row && iCol == g_iEdit_Col) break;   // the cell editor covers it
        if (iRow >= g_mEdit_Values.rows() || iCol >= g_mEdit_Values.cols()) break;
        const Matrix mEntry = g_mEdit_Values.block(iRow, iCol, 1, 1);
        ClCalculator::matrixDisplay(mEntry);
        drawData(g_acOutput_Line, iX, iY, iW, iH);
        g_acOutput_Line[0] = '\0';
        break;
    }
    default: break;
    }
}
