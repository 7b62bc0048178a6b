// The operator levels: additive, multiplicative, Solve and power. (Operators to come.)
#include "engine_state.h"

Matrix ClCalculator::expression() { return term(); }
Matrix ClCalculator::term() { return binary(); }
Matrix ClCalculator::binary() { return unary(); }
Matrix ClCalculator::polyMultiply(const Matrix&, const Matrix&) { return Matrix(); }
