// SPDX-License-Identifier: GPL-3.0-or-later
// Data files, the output text and the graph picture: exact payloads, round trips through Open and
// Append, every refusal changing nothing, the menu commands' names and messages, and failed saves.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "atomic_write.h"
#include "data_file.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "file_commands.h"
#include "graph_state.h"
#include "line_codes.h"
#include "line_edit.h"
#include "output_export.h"

namespace {

const std::string gc_sSIGNATURE = "ORBEX_3.141592653897932\n";
const std::string gc_sNO_VARIABLES = "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n";
using Texts = std::vector<std::string>;

Texts lg_asDialogs;        ///< every message shown, in order
Texts lg_asTitles;         ///< the choosers' titles
std::string lg_sChosen;    ///< the name the chooser answers
int lg_iChoice = 1;        ///< 1 chosen, 0 cancelled, -1 the chooser failed

void writeFile(const std::string& sPath, const std::string& sBytes) { std::ofstream(sPath, std::ios::binary) << sBytes; }

/// The bytes coded as a file holds them, or decoded again.
std::string coded(std::string sBytes, void (*pfnCode)(char*, std::size_t) = CodeFile) {
    pfnCode(&sBytes[0], sBytes.size());
    return sBytes;
}

/// A seeded matrix of complex entries, some of them real.
Matrix seeded(Eigen::Index iRows, Eigen::Index iCols, unsigned uiSeed) {
    std::srand(uiSeed);
    Matrix mValue = Matrix::Random(iRows, iCols) * 1000.0;
    for (Eigen::Index i = 0; i < mValue.size(); i += 3) mValue(i) = mValue(i).real();
    return mValue;
}

Matrix& variable(int iSlot) { return ClCalculator::mp_mVariable[iSlot]; }

bool drawn() { return true; }

/// Save Graph with a graph window open and its picture taken.
void saveGraph() {
    g_eOutput = eGS_SHOWN;
    saveGraphCommand(drawn);
}

/// The messages a case expects: none for "", else the text with its %s made the path.
Texts messages(std::string sFormat, const std::string& sPath) {
    if (sFormat.find("%s") != std::string::npos) sFormat.replace(sFormat.find("%s"), 2, sPath);
    return sFormat.empty() ? Texts{} : Texts{sFormat};
}

class ClDataFiles : public ::testing::Test {
protected:
    void SetUp() override {
        resetExecution(&mp_Input, &mp_Output);
        lg_asDialogs.clear();
        lg_asTitles.clear();
        lg_iChoice = 1;
        g_pfnDialog = [](eDIALOG, const char* acText, const char*, const char*, const char*) {
            lg_asDialogs.push_back(acText);
            return 0;
        };
        g_pfnChoose_File = [](const char* acTitle, bool, std::string& sPath) {
            lg_asTitles.push_back(acTitle);
            sPath = lg_sChosen;
            return lg_iChoice;
        };
        mp_sFolder = std::filesystem::temp_directory_path() / ("orbex-files-" + std::to_string(::getpid()));
        std::filesystem::create_directories(mp_sFolder);
    }
    void TearDown() override {
        g_pfnDialog = nullptr;
        g_pfnChoose_File = nullptr;
        g_lWrite_Fault_After = -1;
        std::filesystem::remove_all(mp_sFolder);
    }

    std::string path(const char* acName) const { return mp_sFolder + "/" + acName; }
    void enter(const std::string& text) { enterStoredLine(displayToCodes(text)); }
    void choose(const std::string& sPath) { lg_sChosen = sPath; }
    void open(const std::string& sPath, bool bAppend = false) {
        choose(sPath);
        openCommand(bAppend);
    }
    void save(const std::string& sPath) {
        choose(sPath);
        saveInputCommand();
        EXPECT_EQ(lg_asDialogs, Texts{});
    }
    std::string historyLine(int i) const {
        const ClState& entry = lg_State_History[i];
        return std::string(reinterpret_cast<const char*>(entry.mp_acInput), entry.mp_uiLength);
    }

    ClStringPane mp_Input, mp_Output;
    std::string mp_sFolder;
};

// Files of any copy of the program open here: one coded by hand from the format's description
// (multiplier 173, offset 59), and three byte pairs of the code, a permutation that decodes
// buffers past 65535 bytes too.
TEST_F(ClDataFiles, CodeAndAHandCodedFile) {
    EXPECT_EQ(coded("\n0O"), "\xfd\xab\x9e");
    std::string sAll;
    for (int i = 0; i < 70000; ++i) sAll += static_cast<char>(i % 256);
    EXPECT_EQ(coded(coded(sAll), DCodeFile), sAll);
    std::string sFirst = coded(sAll).substr(0, 256);
    std::sort(sFirst.begin(), sFirst.end());
    EXPECT_EQ(std::unique(sFirst.begin(), sFirst.end()), sFirst.end());
    open(ORBEX_TEST_DATA "/pinned.obx");
    EXPECT_EQ(lg_asDialogs, Texts{});
    EXPECT_EQ(g_uiHistory_Next, 2);
    EXPECT_EQ(historyLine(0) + " " + historyLine(1), "A=[1,2;3,4] D(A)");
    EXPECT_EQ(variable(eT_A), mat({{1, 2}, {3, 4}}));
    EXPECT_EQ(variable(eT_U), Matrix::Constant(1, 1, Complex(0.5, -2)));
    clearAll();
    save(path("empty.obx"));
    EXPECT_EQ(readFile(path("empty.obx")), coded(gc_sSIGNATURE + "0\n0\n" + gc_sNO_VARIABLES));
}

// What is written reads back to what was written, infinities and NaNs with their signs included.
TEST_F(ClDataFiles, EntriesInFifteenDigits) {
    const double dInf = std::numeric_limits<double>::infinity(), dNaN = std::numeric_limits<double>::quiet_NaN();
    const struct { Complex z; const char* acText; } aCASES[] = {
        {{2, 0}, "2"},         {{2, -0.5}, "(2,-0.5)"},        {{1.0 / 3, 0}, "0.333333333333333"},
        {{1e20, 0}, "1e+20"},  {{1.5, -2}, "(1.5,-2)"},        {{-2.5, 1e-7}, "(-2.5,1e-07)"},
        {{-dInf, 0}, "-inf"},  {{dInf, -dNaN}, "(inf,-nan)"},  {{dNaN, 1}, "(nan,1)"},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.acText);
        variable(eT_w) = Matrix::Constant(1, 1, c.z);
        const std::string sPayload = variablePayload(eT_w);
        EXPECT_EQ(sPayload, gc_sSIGNATURE + "15\n1\n1\n" + c.acText + " \n");
        ClDataFile file;
        ASSERT_EQ(parsePayload(sPayload, file), eRR_OK);
        variable(eT_w) = file.amVariables[0];
        EXPECT_EQ(variablePayload(eT_w), sPayload);
    }
    variable(eT_A) = mat({{1, 2}, {3, Complex(0, 1)}});
    EXPECT_EQ(variablePayload(eT_A), gc_sSIGNATURE + "6\n2\n2\n1 2 \n3 (0,1) \n");
}

// Append keeps the newest 1024 lines; a variable file overwrites its variable in Open and Append.
TEST_F(ClDataFiles, AppendAndVariableFiles) {
    std::string sPayload = gc_sSIGNATURE + "0\n100\n";
    for (int i = 0; i < 100; ++i) sPayload += "A+" + std::to_string(i) + "\n";
    writeFile(path("a.obx"), coded(sPayload + gc_sNO_VARIABLES));
    g_bExecute = false;
    for (int i = 0; i < 1000; ++i) enterStoredLine(std::to_string(i));
    g_bExecute = true;
    open(path("a.obx"), true);
    ASSERT_EQ(g_uiHistory_Next, 1024);
    EXPECT_EQ(historyLine(0) + " " + historyLine(923) + " " + historyLine(924) + " " + historyLine(1023), "76 999 A+0 A+99");
    const Matrix mC = variable(eT_C) = seeded(512, 512, 7);
    choose(path("c.obx"));
    saveVariableCommand(eT_C);
    for (bool bAppend : {false, true}) {
        variable(eT_C) = Matrix::Constant(1, 1, 3);
        open(path("c.obx"), bAppend);
        EXPECT_LT((variable(eT_C) - mC).norm(), 1e-14 * mC.norm());
    }
    EXPECT_EQ(lg_asTitles, (Texts{"Append ORBEX History File", "Save ORBEX Variable File", "Open ORBEX Data File",
                                  "Append ORBEX History File"}));
    EXPECT_EQ(lg_asDialogs, Texts{});
}

// A refused file changes nothing, not even the line being typed; its message is the only trace
// and says why. A file at the edge of a rule opens.
TEST_F(ClDataFiles, RefusedFilesChangeNothing) {
    const std::string sLong(gc_iLINE_MAX_STORED + 1, '1');
    const std::string sBlocks = gc_sNO_VARIABLES;
    const char* const acCOMMENT = "File read error: history line 1 is a comment that is too long or not closed.";
    const char* const acLARGE = "File read error: a variable is larger than 262144 entries.";
    const char* const acENTRIES = "File read error: a variable has too few entries, or one that is not a number.";
    const char* const acNOT_ORBEX = "'%s' is not a valid ORBEX file.";
    const struct {
        std::string sPayload;    ///< coded and written; "-" for no file
        const char* acMessage;   ///< %s is the path; "" for a file that opens
        int iRows_A = 1;         ///< rows of A afterwards, which the refusals leave at 1
    } aCASES[] = {
        {"-", "File could not be opened"},
        {"", "File is empty"},
        {"ORBEX_3.14159\n0\n0\n" + sBlocks, acNOT_ORBEX},
        {gc_sSIGNATURE + "5\n1\n1\n1 \n", acNOT_ORBEX},
        {gc_sSIGNATURE + "16\n1\n1\n1 \n", acNOT_ORBEX},
        {gc_sSIGNATURE + "x\n1\n1\n1 \n", acNOT_ORBEX},
        {gc_sSIGNATURE + "0\n1\nA\xC3\xA9\n" + sBlocks, acNOT_ORBEX},
        {gc_sSIGNATURE, "File read error: the file ends after its first line."},
        {gc_sSIGNATURE + "0\n", "File read error: the file ends before its history."},
        {gc_sSIGNATURE + "0\n3\nA\nB\n", "File read error: the file ends before history line 3."},
        {gc_sSIGNATURE + "0\n1025\n" + sBlocks, "File read error: it holds more than 1024 history lines."},
        {gc_sSIGNATURE + "0\n1\n" + sLong + "\n" + sBlocks, "File read error: history line 1 is longer than 512 codes."},
        {gc_sSIGNATURE + "0\n1\nA\"B\n" + sBlocks, "File read error: history line 1 holds a code that no key types."},
        {gc_sSIGNATURE + "0\n1\n\"open comment\n" + sBlocks, acCOMMENT},
        {gc_sSIGNATURE + "0\n1\n\"" + std::string(8189, 'x') + " y\"\n" + sBlocks, acCOMMENT},
        {gc_sSIGNATURE + "0\n1\n\"a " + std::string(256, 'x') + "\"\n" + sBlocks, acCOMMENT},
        {gc_sSIGNATURE + "0\n0\n0\n0\n513\n512\n", acLARGE},
        {gc_sSIGNATURE + "0\n0\n0\n0\n0\n262145\n", acLARGE},
        {gc_sSIGNATURE + "0\n0\n2\n2\n1 2\n3\n", "File read error"},
        {gc_sSIGNATURE + "0\n0\n1\n1\n1.5x\n" + sBlocks, "File read error"},
        {gc_sSIGNATURE + "0\n0\n1\n1\ninfinity\n" + sBlocks, "File read error"},
        {gc_sSIGNATURE + "6\n2\n2\n1 2 3\n", acENTRIES},
        {gc_sSIGNATURE + "6\n1\n1\n(1,)\n", acENTRIES},
        {gc_sSIGNATURE + "6\n1\n1\nNaN\n", acENTRIES},
        {gc_sSIGNATURE + "6\n1\n-1\n1\n", "File read error: a variable's size is missing or not a count."},
        {gc_sSIGNATURE + "6\n262145\n1\n", acLARGE},
        {gc_sSIGNATURE + "6\n0\n5\n", ""},   // nothing to load
        {gc_sSIGNATURE + "6\n2\n262144\n", ""},   // more entries than a value may hold
        {gc_sSIGNATURE + "6 2 1 (1) (2,3) trailing words", "", 2},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.sPayload.substr(0, 60));
        SetUp();
        enter("A = 1");
        pressDigit(eT_DIGIT_2);   // a line being typed
        const std::string sInput = mp_Input.mp_sText, sOutput = mp_Output.mp_sText;
        const std::string sPath = path("r.obx");
        std::filesystem::remove(sPath);
        if (c.sPayload != "-") writeFile(sPath, coded(c.sPayload));
        open(sPath);
        EXPECT_EQ(lg_asDialogs, messages(c.acMessage, sPath));
        EXPECT_EQ(g_uiHistory_Next, *c.acMessage ? 1 : 2);   // an accepted file enters the typed line
        EXPECT_EQ(variable(eT_A).rows(), c.iRows_A);
        if (!*c.acMessage) continue;
        EXPECT_EQ(variable(eT_A), Matrix::Constant(1, 1, 1));
        EXPECT_EQ(mp_Input.mp_sText, sInput);
        EXPECT_EQ(mp_Output.mp_sText, sOutput);
    }
    // A longer first line starting with the signature is a history file; its block fills an empty A.
    variable(eT_A).resize(0, 0);
    writeFile(path("e.obx"), coded("ORBEX_3.141592653897932_and_more\n0\n0\n1\n1\n4 \n" + gc_sNO_VARIABLES.substr(4)));
    open(path("e.obx"));
    EXPECT_EQ(variable(eT_A), Matrix::Constant(1, 1, 4));
}

// The name rules, the chooser's answers, and saves that fail: a full disk or a missing folder
// keep the old file byte for byte, and every failure is reported.
TEST_F(ClDataFiles, SaveCommandsRefuseAndFail) {
    variable(eT_A) = Matrix::Constant(2, 2, 1);
    enter("A + 1");
    const std::string sNot_Data = "ORBEX Calculator Input/Matrix file must have .obx extension.";
    const std::string sSave_Name = "ORBEX Calculator file name must have .obx extension.";
    const std::string sNo_Space = "Error saving file '%s':\nNo space left on device.";
    const std::string sLong_Name = std::string(1100, '/') + "x.obx";   // cut, it ends in slashes
    const struct {
        void (*pfnCommand)();
        const char* acName;
        int iChoice;
        long lFault;            ///< bytes written before the disk is full; -1: no old file, and no fault
        std::string sMessage;   ///< "" none; %s the name
    } aCASES[] = {
        {[] { openCommand(false); }, "work.obx.old", 1, -1, sNot_Data},
        {[] { openCommand(true); }, "work.obx.obx", 1, -1, sNot_Data},
        {[] { openCommand(false); }, "x", -1, -1, "Error opening file '%s'"},
        {[] { openCommand(false); }, "x", 0, -1, ""},
        {saveInputCommand, "work.obx.old", 1, -1, sSave_Name},
        {saveInputCommand, "x", -1, -1, "Error saving file."},
        {saveInputCommand, "x", 0, -1, ""},
        {saveInputCommand, sLong_Name.c_str(), 1, -1, sSave_Name},
        {saveInputCommand, "old.obx", 1, 10, sNo_Space},
        {saveInputCommand, "missing/new.obx", 1, -1, "Error saving file '%s':\nNo such file or directory."},
        {[] { saveVariableCommand(eT_A); }, "a.txt", 1, -1, sSave_Name},
        {[] { saveVariableCommand(eT_A); }, "old.obx", 1, 0, sNo_Space},
        {[] { saveOutputCommand("\n\n\n\n\n\n\n\n\nOut>1"); }, "notes.obx", 1, -1,
         "Only ORBEX Calculator Input/Matrix files should have .obx extension."},
        {[] { saveOutputCommand(""); }, "x", -1, -1, "Error saving file."},
        {[] { saveOutputCommand(""); }, "x", 0, -1, ""},
        {[] { saveOutputCommand("\n\n\n\n\n\n\n\n\nOut>A + 1 :\n2"); }, "old.txt", 1, 3,
         "Error writing to file '%s':\nNo space left on device."},
        {[] { saveOutputCommand("x"); }, "missing/new.txt", 1, -1, "Error opening '%s'."},
        {[] { g_eOutput = eGS_NONE; saveGraphCommand(drawn); }, "g.ppm", 1, -1, "No graph to save."},
        {[] { g_eOutput = eGS_SHOWN; saveGraphCommand([] { return false; }); }, "g.ppm", 1, -1, "Error copying image."},
        {saveGraph, "graph.PPM", 1, -1, "ORBEX Calculator graph file name must have .ppm or .bmp extension."},
        {saveGraph, "x", -1, -1, "Error saving file."},
        {saveGraph, "old.bmp", 1, 1000, "Error saving file."},
        {saveGraph, "missing/new.ppm", 1, -1, "Error opening '%s'."},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(c.acName);
        lg_asDialogs.clear();
        lg_iChoice = c.iChoice;
        const std::string sPath = path(c.acName);
        if (c.lFault >= 0) writeFile(sPath, "the old file");
        g_lWrite_Fault_After = c.lFault;
        choose(sPath);
        c.pfnCommand();
        EXPECT_EQ(lg_asDialogs, messages(c.sMessage, sPath));
        if (c.lFault >= 0) EXPECT_EQ(readFile(sPath), "the old file");
        else EXPECT_FALSE(std::filesystem::exists(sPath));
    }
    EXPECT_TRUE(hasDataFileName("work.obx"));
    lg_asTitles.clear();
    saveVariableCommand(eT_B);
    EXPECT_EQ(lg_asDialogs.back(), "Nothing to save: Variable B is undefined.\n");
    EXPECT_TRUE(lg_asTitles.empty());
}

// The output text without the spacer; the graph picture in the format its name asks for.
TEST_F(ClDataFiles, OutputTextAndGraphPicture) {
    enter("2 + 3");
    choose(path("notes.obx.txt"));
    saveOutputCommand(mp_Output.mp_sText);
    EXPECT_EQ(readFile(path("notes.obx.txt")), "Out>2 + 3 :\n5");
    EXPECT_EQ(outputFileText("\n\n\n\n\n\n\n\n"), "");
    for (int i = 0; i < gc_iIMAGE_BYTES; ++i) g_aucLarge_Graph_Image[i] = static_cast<unsigned char>(i);
    for (const auto& format : {std::make_pair("g.bmp", eIF_BMP), std::make_pair("g.ppm", eIF_PPM)}) {
        choose(path(format.first));
        saveGraph();
        EXPECT_EQ(readFile(path(format.first)), encodeImage(format.second));
    }
    EXPECT_EQ(lg_asTitles, (Texts{"Save ORBEX Output File", "Save ORBEX Graph File", "Save ORBEX Graph File"}));
    EXPECT_TRUE(lg_asDialogs.empty());
}

// orbex-batch --open: the lines run as typed ones, after the file's variables filled the empty ones.
TEST_F(ClDataFiles, RunAsAScript) {
    ClDataFile file;
    ASSERT_EQ(parsePayload(gc_sSIGNATURE + "0\n2\n\"sum:\"\nA+1\n1\n1\n4 \n" + gc_sNO_VARIABLES.substr(4), file), eRR_OK);
    runDataFile(file);
    EXPECT_EQ(mp_Output.mp_sText.substr(8), "\n\"sum:\"\nOut>A + 1 :\n5");
    EXPECT_EQ(g_uiHistory_Next, 1);
}

}  // namespace
