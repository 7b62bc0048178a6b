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
#include "key_events.h"
#include "window_fixture.h"

namespace {

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
            for (char c : sLine) {
                const char acText[2] = {c, '\0'};
                const bool bUpper = std::isupper(static_cast<unsigned char>(c)) != 0;
                pressKey(std::tolower(static_cast<unsigned char>(c)), acText, bUpper ? FL_SHIFT : 0);
            }
            pressKey(FL_Enter, "\r");
        }
        EXPECT_EQ(g_Main_Window.mp_pPanel->mp_pOutput_Display->exactText() + "\n",
                  readFile(std::string(ORBEX_GOLDEN_DIR) + "/" + acName + ".out"));
    }
}
