// SPDX-License-Identifier: GPL-3.0-or-later
// The File and History menu commands on data files, without a display: the window calls them
// from its menu callbacks; the choosers and messages go through the dialog functions.
#pragma once

#include <functional>
#include <string>

#include "dialogs.h"
#include "tokens.h"

/// The first ".obx" of the name ends it (work.obx passes, work.obx.old and work.obx.obx fail).
bool hasDataFileName(const std::string& sName);

/// File "Open" (bAppend false) and History "Append" (true): a chosen .obx file is loaded.
void openCommand(bool bAppend);
/// File "Save Input": the history and the variables of at most 4096 entries.
void saveInputCommand();
/// File "Save Variable" for one variable, which must hold a value.
void saveVariableCommand(eTOKEN eVariable);

/// A text made from a printf-style format and up to two texts, and showing it.
std::string formatText(const char* acFormat, const std::string& sFirst, const std::string& sSecond = {});
void showFormatted(eDIALOG eKind, const char* acFormat, const std::string& sFirst, const std::string& sSecond = {});

/// A chosen name is used up to its first 1023 characters.
constexpr std::size_t gc_uiMAX_FILE_NAME = 1023;

/// What a save command asks and says. The texts of a failed write take the name for their first
/// %s and the system's text for a second.
struct ClSaveCommand {
    const char* mp_acTitle;                            ///< the chooser's title
    eDIALOG mp_eRefusal;                               ///< the box of a failed chooser and of a refused name
    bool (*mp_pfnAccepts)(const std::string& sName);   ///< the name rule
    const char* mp_acRefused;                          ///< a name the rule refuses
    const char* mp_acNot_Opened;                       ///< not even the temporary file could be made
    const char* mp_acNot_Written;                      ///< the write failed later
};

/// The save commands' one way: a name is chosen (a failed chooser says "Error saving file.", a
/// cancelled one nothing), cut to gc_uiMAX_FILE_NAME characters and judged by the rule; then the
/// bytes made for it are written through a temporary file, so a failure keeps the old file.
void saveToChosenFile(const ClSaveCommand& command, const std::function<std::string(const std::string& sName)>& fnBytes);
