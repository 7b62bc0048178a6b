// Argument-list matrix functions, constructors and the arguments of Rpt. (To come.)
#include "engine_state.h"

Matrix ClCalculator::diagFunction() { return raiseError(13); }
Matrix ClCalculator::normFunction(bool) { return raiseError(13); }
Matrix ClCalculator::qrFunction() { return raiseError(13); }
Matrix ClCalculator::rptFunction() { return raiseError(13); }
Matrix ClCalculator::constructMatrix(eTOKEN, const Matrix&) { return raiseError(13); }
