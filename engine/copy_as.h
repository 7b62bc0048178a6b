// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix as text for other programs: rows of tab-separated entries, or a matrix literal of
// Octave/MATLAB, NumPy or LaTeX; every number with 17 significant digits, so it reads back
// to the same double.
#pragma once

#include <string>

#include "calculator.h"

enum eCOPY_FORM : int { eCF_TEXT, eCF_OCTAVE, eCF_NUMPY, eCF_LATEX, eCF_COUNT };

/// The forms' names as orbex-batch's --copy-as takes them: "text", "octave", "numpy", "latex".
extern const char* const gc_aacCOPY_FORM_NAME[eCF_COUNT];

/// The matrix in the form; a 1 x 1 matrix is the bare number, the empty matrix the empty text.
std::string copyAs(const Matrix& m, eCOPY_FORM eForm);
