// The shared window and the test answers to its dialogs.
#include "window_fixture.h"

#include <cstdlib>

ClAnswers g_Answers;

namespace {

int answerDialog(eDIALOG, const char* acText, const char*, const char*, const char*) {
    g_Answers.asTexts.push_back(acText);
    return g_Answers.iChoice;
}

int answerChooser(const char* acTitle, bool, std::string& sPath) {
    g_Answers.asTexts.push_back(acTitle);
    sPath = g_Answers.sFile;
    return sPath.empty() ? 0 : 1;
}

}  // namespace

void ensureWindow() {
    if (!g_Main_Window.mp_pPanel) {
        g_pfnDialog = answerDialog;
        g_pfnChoose_File = answerChooser;
        g_Main_Window.initializeWindow();
    }
    g_Answers = ClAnswers();
}

std::string bufferText(Fl_Text_Buffer* pBuffer) {
    char* acText = pBuffer->text();
    const std::string sText = acText;
    std::free(acText);
    return sText;
}
