// The matrix editor's state: the variable being edited and the flow between its size step,
// its table step and the calculator line.
#pragma once

#include "engine_state.h"

extern eTOKEN* lg_pEdit_Token;      ///< the variable being edited (an entry of eToken_Matrix)
extern Matrix* lg_pEdit_Matrix;     ///< its slot
extern char lg_cEdit_Name;          ///< its letter
extern Complex lg_cFill_In;         ///< the value of new entries

/// Menu items that wait while a matrix is edited, and back.
void editDisableItems();
void editEnableItems();
/// The Enter steps for the cell being edited: a scalar is stored and the next cell opens.
void editorEnterEntry();
