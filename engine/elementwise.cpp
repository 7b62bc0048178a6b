// Element-wise prefix functions. (To come.)
#include "engine_state.h"

Matrix ClCalculator::elementFunction(eTOKEN, const Matrix&) { return raiseError(13); }
