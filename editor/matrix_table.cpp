// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's grid: headers, and the edited values formatted in the current output format.
// Eigen's headers come before X11's, which define Success and None.
#include "editor_flow.h"

#include "matrix_table.h"

#include <cstdio>

#include <FL/fl_draw.H>

ClTable::ClTable(int iX, int iY, int iW, int iH, const char* acLabel, bool bHeaders)
    : Fl_Table(iX, iY, iW, iH, acLabel) {
    rows(0);
    cols(0);
    row_height_all(20);
    col_width_all(80);
    row_header(bHeaders);
    row_header_width(52);
    col_header(bHeaders);
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
    case CONTEXT_STARTPAGE: fl_font(FL_HELVETICA, 14); break;
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
