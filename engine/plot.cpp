// The Plot command: the 2 x n matrix of a curve's points for the open graph window.
#include "engine_state.h"

namespace {
eTOKEN nextToken() { return lg_aToken_Stream[lg_uiNext_Token].mp_eToken; }

/// A row or column becomes a row; anything else the empty matrix.
Matrix asRow(Matrix m) {
    if (m.rows() != 1 && m.cols() == 1) m.transposeInPlace();
    if (m.rows() != 1) return Matrix();
    return m;
}
}  // namespace

// plot := "Plot" "(" x ", " y ")" [";"], a whole statement.
Matrix ClCalculator::plotFunction() {
    if (g_eOutput != 1 && g_eOutput != 2) return raiseError(eE_PLOT_WINDOW_NOT_OPEN);
    ++lg_uiNext_Token;
    if (nextToken() != eT_LPAREN) return raiseError(eE_EXPRESSION);
    ++lg_uiNext_Token;
    const Matrix mX = asRow(expression());
    if (mX.rows() == 0) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    if (nextToken() != eT_COMMA) return raiseError(eE_SCALAR_OUT_OF_RANGE);
    ++lg_uiNext_Token;
    const Matrix mY = asRow(expression());
    if (mY.cols() != mX.cols()) return raiseError(eE_EXPRESSION);
    if (nextToken() != eT_RPAREN) return raiseError(eE_EXPRESSION);
    ++lg_uiNext_Token;
    if (nextToken() == eT_SEMICOLON) ++lg_uiNext_Token;
    if (nextToken() != eT_NULL) return raiseError(eE_EXPRESSION);
    if (g_uiActive_Plots >= 6) return raiseError(eE_GRAPH_LIMIT_EXCEEDED);
    Matrix mPlot(2, mX.cols());
    mPlot.row(0) = mX;
    mPlot.row(1) = mY;
    g_bPlot = true;
    return mPlot;
}
