// Save Output: the output text through a temporary file, so a failed save keeps the old one.
#include "output_export.h"

#include <algorithm>

#include "atomic_write.h"
#include "file_commands.h"

namespace {

/// The eight line feeds of the spacer and the one that opens the first output prompt.
constexpr std::size_t gc_uiLEADING_CHARACTERS = 9;

}  // namespace

std::string outputFileText(const std::string& sOutput_Text, long long llDropped) {
    std::string sText;
    if (llDropped > 0) sText = "[" + std::to_string(llDropped) + " earlier results left the display, which keeps the last 32 MB]\n";
    if (sOutput_Text.size() > gc_uiLEADING_CHARACTERS) sText.append(sOutput_Text, gc_uiLEADING_CHARACTERS);
    return sText;
}

void saveOutputCommand(const std::string& sOutput_Text, long long llDropped) {
    std::string sPath;
    const int iChoice = chooseFile("Save ORBEX Output File", true, sPath);
    if (iChoice < 0) showDialog(eD_ALERT, "Error saving file.");
    if (iChoice <= 0) return;
    sPath.resize(std::min(sPath.size(), gc_uiMAX_FILE_NAME));
    if (hasDataFileName(sPath)) {
        showDialog(eD_ALERT, "Only ORBEX Calculator Input/Matrix files should have .obx extension.");
        return;
    }
    std::string sError;
    bool bOpened = false;
    if (writeFileAtomically(sPath.c_str(), outputFileText(sOutput_Text, llDropped), sError, bOpened)) return;
    if (bOpened) showFormatted(eD_ALERT, "Error writing to file '%s':\n%s.", sPath, sError);
    else showFormatted(eD_ALERT, "Error opening '%s'.", sPath);
}
