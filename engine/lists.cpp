// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix literals, argument lists and the list reader: ranges, scalar grids and blocks.
#include <cmath>
#include <vector>

#include "parse_cursor.h"

namespace {

constexpr double gc_dRANGE_SAME = 1e-36;          ///< a range whose ends agree this far is one value
constexpr int gc_iMAX_BLOCKS = 16;
constexpr int gc_iREREAD_DEPTH = 3;               ///< grids nested deeper keep their first reading

int lg_iList_Depth = 0;                           ///< lists being read around the read position

bool isListEnd(eTOKEN eToken) {
    return eToken == eT_RBRACKET || eToken == eT_RPAREN || eToken == eT_NULL;
}

/// What the list being read can serve as. Lists inside its elements have shapes of their own,
/// so lg_bIs_Arg_List and lg_bIs_Arg_List_1 are written only once the whole list is read.
struct ClList_Shape {
    bool mp_bArguments = false;   ///< one element, a range or one row of scalars
    bool mp_bSingle = true;       ///< one element or a range: no comma between elements
};

// range := a ": " b [", " h], after a has been read.
// The end point b is always the last entry; a bad step is eE_INCORRECT_STEP_SIZE.
Matrix readRange(const Complex& a, ClList_Shape& shape) {
    ++lg_uiNext_Token;
    const Matrix mEnd = ClCalculator::expression();
    if (!isScalar(mEnd)) return ClCalculator::raiseError(eE_INVALID_COORDINATES);
    const double b = mEnd(0, 0).real();
    const double d = b - a.real();
    shape.mp_bArguments = true;
    if (std::fabs(d) <= gc_dRANGE_SAME) return Matrix::Constant(1, 1, Complex(a.real(), 0.0));
    double dStep = 1.0;
    if (accept(eT_COMMA)) {
        const Matrix mStep = ClCalculator::expression();
        if (!isScalar(mStep)) return ClCalculator::raiseError(eE_INCORRECT_STEP_SIZE);
        const double h = mStep(0, 0).real();
        if (h == 0.0 || !(d * h > 0.0) || !(d / h < static_cast<double>(gc_iMAX_ENTRIES)))
            return ClCalculator::raiseError(eE_INCORRECT_STEP_SIZE);
        dStep = std::fabs(h);
    }
    const double dSigned_Step = d > 0.0 ? dStep : -dStep;
    // Past the entry limit the row is cut at the limit; the next level reports it as too large.
    const double dRatio = std::fabs(d) / dStep;
    const Eigen::Index n = dRatio <= static_cast<double>(gc_iMAX_ENTRIES)
                               ? static_cast<Eigen::Index>(dRatio + 1e-16)
                               : gc_iMAX_ENTRIES;   // also a range with a non-finite end
    const bool bEnd_Off_Step = std::fabs(d) * 0.9999999999999999 > static_cast<double>(n) * dStep;
    const Eigen::Index iCount = bEnd_Off_Step ? n + 2 : n + 1;
    Matrix mRange(1, iCount);
    for (Eigen::Index k = 0; k + 1 < iCount; ++k)
        mRange(0, k) = Complex(a.real() + static_cast<double>(k) * dSigned_Step, a.imag());
    mRange(0, iCount - 1) = Complex(b, 0.0);
    return mRange;
}

// grid := scalar {(", " | "; " | juxtaposition) scalar}, after the first scalar has been read.
// Elements are read twice: the first pass sizes the grid, the second fills it.
// Note: a grid inside a grid element is then read four times, and so on; past
// gc_iREREAD_DEPTH nested lists the first reading is kept, so work stays linear in the line.
Matrix readGrid(unsigned short uiStart, const Complex& zFirst, ClList_Shape& shape) {
    std::vector<Complex> azElements{zFirst};
    shape.mp_bArguments = true;
    Eigen::Index iFirst_Row = 0;   // elements of the first row, known at the first "; "
    Eigen::Index iColumns = 1, iRows = 1;
    while (!isListEnd(nextToken())) {
        if (accept(eT_COMMA)) {
            shape.mp_bSingle = false;
        } else if (accept(eT_SEMICOLON)) {
            shape.mp_bArguments = false;
            if (iFirst_Row == 0) iFirst_Row = iColumns;
            if (iColumns != iFirst_Row) return ClCalculator::raiseError(eE_ASSIGNMENT);
            iColumns = 0;
            ++iRows;
        }
        const Matrix mElement = ClCalculator::expression();
        if (!isScalar(mElement)) {
            if (iFirst_Row != 0 && iColumns == iFirst_Row) return Matrix();
            return ClCalculator::raiseError(eE_ASSIGNMENT);
        }
        azElements.push_back(mElement(0, 0));
        ++iColumns;
    }
    if (iFirst_Row == 0) iFirst_Row = iColumns;
    if (iColumns != iFirst_Row) return ClCalculator::raiseError(eE_ASSIGNMENT);
    if (iRows * iFirst_Row > gc_iMAX_ENTRIES) {
        shape.mp_bArguments = false;
        return ClCalculator::raiseError(eE_MATRIX_SIZE);
    }
    const unsigned short uiEnd = lg_uiNext_Token;
    Matrix mGrid(iRows, iFirst_Row);
    if (lg_iList_Depth > gc_iREREAD_DEPTH) {
        for (Eigen::Index i = 0; i < mGrid.size(); ++i) mGrid(i / iFirst_Row, i % iFirst_Row) = azElements[i];
        return mGrid;
    }
    lg_uiNext_Token = uiStart;
    Eigen::Index iRow = 0, iColumn = 0;
    while (lg_uiNext_Token < uiEnd) {
        if (!accept(eT_COMMA) && accept(eT_SEMICOLON)) {
            ++iRow;
            iColumn = 0;
        }
        const Matrix mElement = ClCalculator::expression();
        // A second reading that differs from the first (side effects) must not overrun.
        if (!isScalar(mElement) || iRow >= iRows || iColumn >= iFirst_Row)
            return ClCalculator::raiseError(eE_ASSIGNMENT);
        mGrid(iRow, iColumn++) = mElement(0, 0);
    }
    return mGrid;
}

// blocks := block {(", " | "; " | juxtaposition) block}, after the first block has been read.
// Blocks of a row share their row count; every block row has the first one's width.
Matrix readBlocks(Matrix mFirst, ClList_Shape& shape) {
    if (isListEnd(nextToken())) {
        shape.mp_bArguments = true;
        return mFirst;
    }
    std::vector<Matrix> amBlocks;
    std::vector<Eigen::Index> aiRow_Start;   // index of the first block of every block row
    amBlocks.push_back(std::move(mFirst));
    aiRow_Start.push_back(0);
    Eigen::Index iWidth = amBlocks[0].cols(), iRow_Width = iWidth;
    Eigen::Index iHeight = amBlocks[0].rows();
    while (!isListEnd(nextToken())) {
        bool bNew_Row = false;
        if (accept(eT_COMMA)) {
            shape.mp_bSingle = false;
        } else if (accept(eT_SEMICOLON)) {
            bNew_Row = true;
        }
        if (static_cast<int>(amBlocks.size()) == gc_iMAX_BLOCKS) return ClCalculator::raiseError(eE_ASSIGNMENT);
        Matrix mBlock = ClCalculator::expression();
        if (bNew_Row) {
            if (mBlock.rows() == 0 || mBlock.cols() > iRow_Width || iRow_Width != iWidth)
                return ClCalculator::raiseError(eE_ASSIGNMENT);
            aiRow_Start.push_back(static_cast<Eigen::Index>(amBlocks.size()));
            iRow_Width = 0;
            iHeight += mBlock.rows();
        } else if (mBlock.rows() != amBlocks[aiRow_Start.back()].rows()) {
            return ClCalculator::raiseError(eE_ASSIGNMENT);
        }
        iRow_Width += mBlock.cols();
        if (aiRow_Start.size() == 1) iWidth = iRow_Width;
        amBlocks.push_back(std::move(mBlock));
    }
    if (iRow_Width != iWidth) return ClCalculator::raiseError(eE_ASSIGNMENT);
    if (iHeight * iWidth > gc_iMAX_ENTRIES) {
        shape.mp_bArguments = false;
        return ClCalculator::raiseError(eE_MATRIX_SIZE);
    }
    Matrix mResult(iHeight, iWidth);
    Eigen::Index iTop = 0, iLeft = 0;
    std::size_t uiRow = 0;
    for (std::size_t ui = 0; ui < amBlocks.size(); ++ui) {
        if (uiRow + 1 < aiRow_Start.size() && static_cast<Eigen::Index>(ui) == aiRow_Start[uiRow + 1]) {
            iTop += amBlocks[aiRow_Start[uiRow]].rows();
            iLeft = 0;
            ++uiRow;
        }
        mResult.block(iTop, iLeft, amBlocks[ui].rows(), amBlocks[ui].cols()) = amBlocks[ui];
        iLeft += amBlocks[ui].cols();
    }
    return mResult;
}

Matrix readList(ClList_Shape& shape) {
    const unsigned short uiStart = lg_uiNext_Token;
    Matrix mFirst = ClCalculator::expression();
    if (mFirst.rows() == 0) return mFirst;
    const bool bEnded_Bracket = lg_aToken_Stream[lg_uiNext_Token - 1].mp_eToken == eT_RBRACKET;
    if (isScalar(mFirst) && !bEnded_Bracket) {
        if (nextToken() == eT_COLON) return readRange(mFirst(0, 0), shape);
        return readGrid(uiStart, mFirst(0, 0), shape);
    }
    return readBlocks(std::move(mFirst), shape);
}

}  // namespace

// list := range | grid | blocks
// Returns the empty matrix on failure; the first error of the line is already stored. The list
// flags describe this list on return, whatever lists its elements held.
Matrix ClCalculator::list() {
    ClList_Shape shape;
    ++lg_iList_Depth;
    Matrix mList = readList(shape);
    --lg_iList_Depth;
    lg_bIs_Arg_List = shape.mp_bArguments;
    lg_bIs_Arg_List_1 = shape.mp_bSingle;
    return mList;
}

// mvlist := "[" list "]"
Matrix ClCalculator::mvlist() {
    if (!accept(eT_LBRACKET)) return raiseError(eE_MISSING_PARENTHESES);
    Matrix mList = list();
    if (mList.rows() > 0) accept(eT_RBRACKET);
    return mList;
}

// rowlist := "(" list ")", a list usable as arguments.
// An unusable list is eE_BAD_PARAMETER_LIST, a missing ")" eE_MISSING_PARENTHESES; both give the empty matrix.
Matrix ClCalculator::rowlist() {
    lg_bIs_Arg_List = false;
    if (!accept(eT_LPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    Matrix mList = list();
    if (!lg_bIs_Arg_List) return raiseError(eE_BAD_PARAMETER_LIST);
    if (!accept(eT_RPAREN)) return raiseError(eE_MISSING_PARENTHESES);
    return mList;
}
