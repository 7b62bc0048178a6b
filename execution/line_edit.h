// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the input line: inserting tokens, the cursor, deletion, clearing and its rendering.
#pragma once

#include "text_pane.h"
#include "tokens.h"

/// Inserts t at the cursor, with a "(" after it when Auto Parentheses applies.
void insertToken(eTOKEN t);
/// Re-renders the current line into the active display with the cursor mark.
void displayCurrent();
/// Empties the current line: erased where it stands (true) or a new prompt line started (false).
void cleanUp(bool bInPlace);

/// A non-digit token pressed or typed: checked, inserted, shown. Returns false when refused.
bool pressToken(eTOKEN t);
/// A number character (digits, ".", "E"). Returns false when refused.
bool pressDigit(eTOKEN t);
/// The line actions: cursor moves, BkSp, Clear, Prev, Next, Enter.
void lineAction(eTOKEN t);

/// What a typed character does.
enum eKEY_ACTION { eKA_IGNORE, eKA_TOKEN, eKA_DIGIT, eKA_STATE, eKA_ALT };
/// Types one key as the keyboard does: a token or a number character, both checked, or a line
/// action. Returns what the key was; the Alt key is the window's own business.
eKEY_ACTION typeKey(unsigned char ucKey);

/// Removes the cursor mark "_" when it ends the pane's text.
void removeCursorMark(ClTextPane& pane);
/// Where the line shown in the pane starts: the line being edited in the active display; in the
/// input display while the matrix editor has the keys, the line put aside meanwhile; null for a
/// pane that shows no line.
unsigned* lineStartIn(const ClTextPane* pPane);
