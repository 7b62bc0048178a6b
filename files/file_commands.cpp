// SPDX-License-Identifier: GPL-3.0-or-later
// Open, Append, Save Input and Save Variable, and the one way every save takes: the chooser,
// the name rule, the write and the messages.
#include "file_commands.h"

#include <algorithm>
#include <cstdio>

#include "atomic_write.h"
#include "data_file.h"

namespace {

/// Save Input (eT_NULL) or Save Variable.
void saveDataCommand(const char* acTitle, eTOKEN eVariable) {
    const ClSaveCommand command = {acTitle, eD_ALERT, hasDataFileName,
                                   "ORBEX Calculator file name must have .obx extension.",
                                   "Error saving file '%s':\n%s.", "Error saving file '%s':\n%s."};
    saveToChosenFile(command, [eVariable](const std::string&) {
        return codedFile(eVariable == eT_NULL ? historyPayload() : variablePayload(eVariable));
    });
}

}  // namespace

bool hasDataFileName(const std::string& sName) {
    const std::size_t uiFound = sName.find(".obx");
    return uiFound != std::string::npos && uiFound + 4 == sName.size();
}

std::string formatText(const char* acFormat, const std::string& sFirst, const std::string& sSecond) {
    std::string sText(std::char_traits<char>::length(acFormat) + sFirst.size() + sSecond.size(), '\0');
    const int iLength = std::snprintf(&sText[0], sText.size() + 1, acFormat, sFirst.c_str(), sSecond.c_str());
    sText.resize(iLength > 0 ? static_cast<std::size_t>(iLength) : 0);
    return sText;
}

void showFormatted(eDIALOG eKind, const char* acFormat, const std::string& sFirst, const std::string& sSecond) {
    showDialog(eKind, formatText(acFormat, sFirst, sSecond).c_str());
}

void saveToChosenFile(const ClSaveCommand& command, const std::function<std::string(const std::string& sName)>& fnBytes) {
    std::string sName;
    const int iChoice = chooseFile(command.mp_acTitle, true, sName);
    if (iChoice < 0) showDialog(command.mp_eRefusal, "Error saving file.");
    if (iChoice <= 0) return;
    sName.resize(std::min(sName.size(), gc_uiMAX_FILE_NAME));
    if (!command.mp_pfnAccepts(sName)) {
        showDialog(command.mp_eRefusal, command.mp_acRefused);
        return;
    }
    std::string sError;
    bool bOpened = false;
    if (writeFileAtomically(sName.c_str(), fnBytes(sName), sError, bOpened)) return;
    showFormatted(eD_ALERT, bOpened ? command.mp_acNot_Written : command.mp_acNot_Opened, sName, sError);
}

void openCommand(bool bAppend) {
    std::string sPath;
    const int iChoice = chooseFile(bAppend ? "Append ORBEX History File" : "Open ORBEX Data File", false, sPath);
    if (iChoice < 0) showFormatted(eD_ALERT, "Error opening file '%s'", sPath);
    if (iChoice <= 0) return;
    if (!hasDataFileName(sPath)) {
        showDialog(eD_ALERT, "ORBEX Calculator Input/Matrix file must have .obx extension.");
        return;
    }
    loadInFile(sPath.c_str(), bAppend ? 1 : 0);
}

void saveInputCommand() { saveDataCommand("Save ORBEX Input File", eT_NULL); }

void saveVariableCommand(eTOKEN eVariable) {
    if (!isVariableToken(eVariable)) return;
    if (ClCalculator::mp_mVariable[eVariable].rows() == 0) {
        showFormatted(eD_ALERT, "Nothing to save: Variable %s is undefined.\n", gc_aacTOKEN_NAME[eVariable]);
        return;
    }
    saveDataCommand("Save ORBEX Variable File", eVariable);
}
