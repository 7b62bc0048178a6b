// SPDX-License-Identifier: GPL-3.0-or-later
// Save Output and Save Graph: the output text and the graph's picture through the one way of
// every save, so a failed save keeps the old file.
#include "output_export.h"

#include "engine_state.h"
#include "file_commands.h"
#include "graph_state.h"

namespace {

/// The eight line feeds of the spacer and the one that opens the first output prompt.
constexpr std::size_t gc_uiLEADING_CHARACTERS = 9;

bool isTextFileName(const std::string& sName) { return !hasDataFileName(sName); }

bool isImageFileName(const std::string& sName) { return imageFormatOf(sName.c_str()) != eIF_NONE; }

}  // namespace

std::string outputFileText(const std::string& sOutput_Text, long long llDropped) {
    std::string sText;
    if (llDropped > 0) sText = "[" + std::to_string(llDropped) + " earlier results left the display, which keeps the last 32 MB]\n";
    if (sOutput_Text.size() > gc_uiLEADING_CHARACTERS) sText.append(sOutput_Text, gc_uiLEADING_CHARACTERS);
    return sText;
}

void saveOutputCommand(const std::string& sOutput_Text, long long llDropped) {
    const ClSaveCommand command = {"Save ORBEX Output File", eD_ALERT, isTextFileName,
                                   "Only ORBEX Calculator Input/Matrix files should have .obx extension.",
                                   "Error opening '%s'.", "Error writing to file '%s':\n%s."};
    saveToChosenFile(command, [&](const std::string&) { return outputFileText(sOutput_Text, llDropped); });
}

void saveGraphCommand(bool (*pfnRender)()) {
    if (!isGraphOpen()) {
        showDialog(eD_MESSAGE, "No graph to save.");
        return;
    }
    if (!pfnRender()) {
        showDialog(eD_MESSAGE, "Error copying image.");
        return;
    }
    const ClSaveCommand command = {"Save ORBEX Graph File", eD_MESSAGE, isImageFileName,
                                   "ORBEX Calculator graph file name must have .ppm or .bmp extension.",
                                   "Error opening '%s'.", "Error saving file."};
    saveToChosenFile(command, [](const std::string& sName) { return encodeImage(imageFormatOf(sName.c_str())); });
}
