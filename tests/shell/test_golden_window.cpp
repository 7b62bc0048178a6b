// Golden scripts typed into the window key by key: the output display holds exactly the text
// orbex-batch prints for them, so both paths give the same transcript.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "engine_state.h"
#include "execution_state.h"

#include <FL/Fl.H>

#include "callbacks.h"
#include "window_fixture.h"

namespace {

/// A key as the X server delivers it to the main window.
void pressKey(int iKeysym, char cText) {
    static char acText[2];
    acText[0] = cText;
    Fl::e_keysym = iKeysym;
    Fl::e_text = acText;
    Fl::e_length = 1;
    Fl::e_state = std::isupper(static_cast<unsigned char>(cText)) ? FL_SHIFT : 0;
    Fl::handle(FL_KEYDOWN, g_Main_Window.mp_pPanel->mp_pWindow);
}

std::string readFile(const std::string& sPath) {
    std::ifstream file(sPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST(ClGoldenWindow, ScriptsTypedGiveTheBatchTranscript) {
    ensureWindow();
    for (const char* acName : {"student", "rpt_loops", "rpt_nested", "rpt_errors"}) {
        SCOPED_TRACE(acName);
        ClCallback::clearEverything_cb(nullptr, nullptr);
        // Every key types exactly its code: no automatic "(" and no refusals.
        ClORBEXUI::mp_miParentheses->clear();
        ClORBEXUI::mp_miError_Item->clear();
        ClCallback::settings_cb(nullptr, nullptr);
        std::istringstream script(readFile(std::string(ORBEX_GOLDEN_DIR) + "/" + acName + ".in"));
        for (std::string sLine; std::getline(script, sLine);) {
            for (char c : sLine) pressKey(std::tolower(static_cast<unsigned char>(c)), c);
            pressKey(FL_Enter, '\r');
        }
        EXPECT_EQ(g_Main_Window.mp_pPanel->mp_pOutput_Display->exactText() + "\n",
                  readFile(std::string(ORBEX_GOLDEN_DIR) + "/" + acName + ".out"));
    }
}
