// The File menu in the window: a session saved, cleared and opened again, and the output saved
// as text, with the chooser answered by the test.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "engine_state.h"
#include "execution_state.h"
#include "line_codes.h"
#include "output_export.h"

#include "callbacks.h"
#include "window_fixture.h"

TEST(ClFileMenu, SessionSavedClearedAndOpenedAgain) {
    ensureWindow();
    eTOKEN eEnter = eT_ENTER;
    for (const char* acLine : {"B = [1, 2; 3, 4]", "Det (B)"}) {
        setLine(displayToCodes(acLine));
        ClCallback::state_cb(nullptr, &eEnter);
    }
    char acFolder[] = "/tmp/orbex-files-XXXXXX";
    ASSERT_NE(mkdtemp(acFolder), nullptr);
    g_Answers.sFile = std::string(acFolder) + "/work.obx";
    ClCallback::saveIn_cb(nullptr, nullptr);
    g_Answers.sFile = std::string(acFolder) + "/out.txt";
    ClCallback::saveOut_cb(nullptr, nullptr);
    std::ifstream saved(g_Answers.sFile);
    std::stringstream text;
    text << saved.rdbuf();
    EXPECT_EQ(text.str(), outputFileText(g_Main_Window.mp_pPanel->mp_pOutput_Display->exactText()));
    EXPECT_NE(text.str().find("Det (B) :\n-2"), std::string::npos);

    ClCallback::clearEverything_cb(nullptr, nullptr);
    EXPECT_EQ(g_uiHistory_Next, 0);
    g_Answers.sFile = std::string(acFolder) + "/work.obx";
    ClCallback::open_cb(nullptr, nullptr);
    EXPECT_EQ(g_uiHistory_Next, 2);
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_B], mat({{1, 2}, {3, 4}}));
    EXPECT_EQ(g_Answers.asTexts, (std::vector<std::string>{"Save ORBEX Input File", "Save ORBEX Output File",
                                                           "Open ORBEX Data File"}));
    for (const char* acName : {"/work.obx", "/out.txt"}) unlink((acFolder + std::string(acName)).c_str());
    EXPECT_EQ(rmdir(acFolder), 0);
}
