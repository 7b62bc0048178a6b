// nCr, Mod and the complex gamma function. (To come.)
#include "engine_state.h"

Matrix ClCalculator::nCrFunction() { return raiseError(13); }
Matrix ClCalculator::modFunction() { return raiseError(13); }
Complex ClCalculator::gamma(Complex) { return Complex(); }
