// Matrix functions and decompositions of the prefix chain. (To come.)
#include "engine_state.h"

bool ClCalculator::isMatrixFunction(eTOKEN) { return false; }
Matrix ClCalculator::matrixFunction(eTOKEN, const Matrix&) { return raiseError(13); }
Matrix ClCalculator::charPoly(const Matrix&) { return Matrix(); }
