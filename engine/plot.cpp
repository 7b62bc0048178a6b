// SPDX-License-Identifier: GPL-3.0-or-later
// The Plot command: the 2 x n matrix of a curve's points for the open graph window.
#include "parse_cursor.h"

namespace {
/// A row or column becomes a row; anything else the empty matrix.
Matrix asRow(Matrix m) {
    if (m.rows() != 1 && m.cols() == 1) m.transposeInPlace();
    if (m.rows() != 1) return Matrix();
    return m;
}
}  // namespace

// plot := "Plot" "(" x ", " y ")" [";"], a whole statement.
Matrix ClCalculator::plotFunction() {
    if (!isGraphOpen()) return raiseError(eE_PLOT_WINDOW_NOT_OPEN);
    if (!openList()) return raiseError(eE_EXPRESSION);
    const Matrix mX = asRow(expression());
    if (mX.rows() == 0) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    if (!accept(eT_COMMA)) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    const Matrix mY = asRow(expression());
    if (mY.cols() != mX.cols()) return raiseError(eE_EXPRESSION);
    if (!accept(eT_RPAREN)) return raiseError(eE_EXPRESSION);
    accept(eT_SEMICOLON);
    if (nextToken() != eT_NULL) return raiseError(eE_EXPRESSION);
    if (g_uiActive_Plots >= 6) return raiseError(eE_GRAPH_LIMIT_EXCEEDED);
    Matrix mPlot(2, mX.cols());
    mPlot.row(0) = mX;
    mPlot.row(1) = mY;
    g_bPlot = true;
    return mPlot;
}
