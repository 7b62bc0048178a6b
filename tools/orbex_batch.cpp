// SPDX-License-Identifier: GPL-3.0-or-later
// orbex-batch: runs stored lines of key codes through the Enter action, as the window does,
// and prints the text the output display then shows in the two-window format.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "atomic_write.h"
#include "blas_kernel.h"
#include "copy_as.h"
#include "data_file.h"
#include "driver.h"
#include "engine_state.h"
#include "execution_state.h"
#include "graph_state.h"
#include "line_edit.h"

#include "graph_box.h"

#include <FL/x.H>   // after Eigen, as X11 defines Success and None

namespace {

const char gc_acUSAGE[] =
    "usage: orbex-batch [--format=decimal|float|rational] [--zero-out=on|off] [--execute=on|off]\n"
    "                   [--graph=IMAGE.ppm|IMAGE.bmp [--graph-line=CODES] [--scales] [--corners]]\n"
    "                   [--open=FILE.obx]... [--copy-as=text|octave|numpy|latex] [--help] [--version]\n"
    "                   [FILE...]\n"
    "Each input line is one stored line of key codes (A=[1,2;3,4] or D(A)), run through the Enter\n"
    "action; a line starting with \" is a command (\"prev, \"next, \"keys CODES, \"clear-item, ...).\n"
    "--open runs the lines of a saved history file first. Without FILE or --open, lines are read\n"
    "from standard input. The output display's text is printed.\n"
    "--graph opens the graph window before the first line, its parameters from the line of\n"
    "--graph-line (the defaults without it), and saves the graph of the plots as a 600 x 400\n"
    "picture at the end, as Save Graph does; it needs an X display.\n"
    "--copy-as prints the last result (Ans) after the text and an empty line, in the form of\n"
    "Edit > Copy Result As: tab-separated rows, or an Octave/MATLAB, NumPy or LaTeX matrix.\n"
    "--version prints the version and the BLAS kernel family in use.\n";

constexpr char gc_cCOMMAND = '"';   ///< no key has this code, so no stored line starts with it

/// A setting (also a command-line option after "--") or a menu or line action.
struct ClCommand {
    const char* acName;
    void (*pfnRun)();
    bool bSetting;
};

const ClCommand gc_aCOMMANDS[] = {
    {"format=decimal", [] { g_eView_State = eVS_DECIMAL; }, true},
    {"format=float", [] { g_eView_State = eVS_FLOAT; }, true},
    {"format=rational", [] { g_eView_State = eVS_RATIONAL; }, true},
    {"zero-out=on", [] { g_bZero_Out = true; }, true},
    {"zero-out=off", [] { g_bZero_Out = false; }, true},
    {"execute=on", [] { g_bExecute = true; }, true},
    {"execute=off", [] { g_bExecute = false; }, true},
    {"error-check=on", [] { g_bError_Check = true; }, true},
    {"error-check=off", [] { g_bError_Check = false; }, true},
    {"auto-parentheses=on", [] { g_bAuto_Parentheses = true; }, true},
    {"auto-parentheses=off", [] { g_bAuto_Parentheses = false; }, true},
    {"enter", [] { lineAction(eT_ENTER); }, false},
    {"prev", [] { lineAction(eT_PREV); }, false},
    {"next", [] { lineAction(eT_NEXT); }, false},
    {"left", [] { lineAction(eT_MOVE_LEFT); }, false},
    {"right", [] { lineAction(eT_MOVE_RIGHT); }, false},
    {"bksp", [] { lineAction(eT_BKSP); }, false},
    {"clear", [] { lineAction(eT_CLEAR); }, false},
    {"insert-item", insertItem, false},
    {"clear-item", clearItem, false},
    {"clear-history", clearHistory, false},
    {"clear-all", clearAll, false},
};

const ClCommand* findCommand(const std::string& name, bool bSetting_Only) {
    for (const ClCommand& command : gc_aCOMMANDS)
        if (name == command.acName && (command.bSetting || !bSetting_Only)) return &command;
    return nullptr;
}

/// Types codes key by key, as the keyboard does: checked, with Auto Parentheses.
void typeKeys(const std::string& codes) {
    for (const char c : codes) typeKey(static_cast<unsigned char>(c));
}

/// Runs every line of a stream; returns false when a line had to be refused.
bool runStream(std::istream& input, const char* acName) {
    bool bOk = true;
    std::string text;
    for (unsigned long ulLine = 1; std::getline(input, text); ++ulLine) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const char* acProblem = nullptr;
        if (!text.empty() && text[0] == gc_cCOMMAND) {
            const ClCommand* pCommand = findCommand(text.substr(1), false);
            if (pCommand != nullptr) pCommand->pfnRun();
            else if (text.compare(1, 5, "keys ") == 0) typeKeys(text.substr(6));
            else acProblem = "unknown command";
        } else if (text.size() > gc_iLINE_MAX_STORED) {
            acProblem = "line longer than 512 codes, not evaluated";
        } else {
            enterStoredLine(text);
        }
        if (acProblem != nullptr) {
            std::fprintf(stderr, "orbex-batch: %s:%lu: %s\n", acName, ulLine, acProblem);
            bOk = false;
        }
    }
    return bOk;
}

/// Runs the lines of a data file (--open); a refused file is reported with the window's message.
bool openDataFile(const char* acPath) {
    ClDataFile file;
    const eREAD_RESULT eResult = readDataFile(acPath, file);
    if (eResult == eRR_OK) {
        runDataFile(file);
        return true;
    }
    std::fprintf(stderr, "orbex-batch: %s: %s\n", acPath, readResultMessage(eResult, file, acPath).c_str());
    return false;
}

/// The options of the graph picture.
struct ClGraphOptions {
    const char* acFile = nullptr;   ///< the picture, or null for none
    std::string sLine;              ///< the parameter line, as stored key codes
};

/// Opens the graph window as the window's Graph Window item does, with the line as the
/// current line. Returns false, with the reason on standard error, when no picture can be made.
bool openGraphWindow(const ClGraphOptions& options) {
    if (imageFormatOf(options.acFile) == eIF_NONE) {
        std::fprintf(stderr, "orbex-batch: %s: the graph file name must end in .ppm or .bmp\n", options.acFile);
        return false;
    }
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        const char* acName = std::getenv("DISPLAY");
        std::fprintf(stderr, "orbex-batch: --graph draws with the X display, and \"%s\" cannot be opened\n",
                     acName ? acName : "");
        return false;
    }
    fl_open_display(pDisplay);
    ClState& line = g_Current_State;
    const std::size_t uiLength = std::min<std::size_t>(options.sLine.size(), gc_iLINE_MAX_TYPED);
    std::memcpy(line.mp_acInput, options.sLine.data(), uiLength);
    line.mp_uiLength = line.mp_uiCursor = static_cast<unsigned short>(uiLength);
    openGraph();
    return true;
}

/// Draws the plots as the window's Save Graph does and saves the picture.
bool saveGraphPicture(const char* acFile) {
    std::string sError;
    bool bOpened;
    if (renderGraphImage() && writeFileAtomically(acFile, encodeImage(imageFormatOf(acFile)), sError, bOpened))
        return true;
    std::fprintf(stderr, "orbex-batch: cannot save %s: %s\n", acFile, sError.empty() ? "no picture" : sError.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    useBestKernel(argv);
    configureProcess();
    ClStringPane input, output;
    resetExecution(&input, &output);
    int iFirst_File = 1;
    std::vector<const char*> aacOpen;   ///< run after every setting is made
    ClGraphOptions graph;
    int iCopy_Form = -1;   ///< an eCOPY_FORM, or -1 for none
    for (; iFirst_File < argc && std::strncmp(argv[iFirst_File], "--", 2) == 0; ++iFirst_File) {
        if (std::strcmp(argv[iFirst_File], "--") == 0) {
            ++iFirst_File;
            break;
        }
        if (std::strcmp(argv[iFirst_File], "--help") == 0) {
            std::fputs(gc_acUSAGE, stdout);
            return 0;
        }
        if (std::strcmp(argv[iFirst_File], "--version") == 0) {
            std::printf("orbex-batch %s, BLAS kernels %s\n", ORBEX_VERSION, kernelInUse());
            return 0;
        }
        if (std::strncmp(argv[iFirst_File], "--open=", 7) == 0) {
            aacOpen.push_back(argv[iFirst_File] + 7);
            continue;
        }
        if (std::strncmp(argv[iFirst_File], "--graph=", 8) == 0) {
            graph.acFile = argv[iFirst_File] + 8;
            continue;
        }
        if (std::strncmp(argv[iFirst_File], "--graph-line=", 13) == 0) {
            graph.sLine = argv[iFirst_File] + 13;
            continue;
        }
        if (std::strncmp(argv[iFirst_File], "--copy-as=", 10) == 0) {
            const char* acForm = argv[iFirst_File] + 10;
            iCopy_Form = static_cast<int>(std::find_if(gc_aacCOPY_FORM_NAME, gc_aacCOPY_FORM_NAME + eCF_COUNT,
                                                       [acForm](const char* acName) { return std::strcmp(acName, acForm) == 0; }) -
                                          gc_aacCOPY_FORM_NAME);
            if (iCopy_Form == eCF_COUNT) {
                std::fprintf(stderr, "orbex-batch: --copy-as takes text, octave, numpy or latex, not \"%s\"\n%s", acForm,
                             gc_acUSAGE);
                return 2;
            }
            continue;
        }
        if (std::strcmp(argv[iFirst_File], "--scales") == 0 || std::strcmp(argv[iFirst_File], "--corners") == 0) {
            (argv[iFirst_File][2] == 's' ? g_bGraph_Scales : g_bGraph_Corners) = true;
            continue;
        }
        const ClCommand* pSetting = findCommand(argv[iFirst_File] + 2, true);
        if (pSetting == nullptr) {
            std::fprintf(stderr, "orbex-batch: unknown option %s\n%s", argv[iFirst_File], gc_acUSAGE);
            return 2;
        }
        pSetting->pfnRun();
    }
    if (graph.acFile != nullptr && !openGraphWindow(graph)) return 1;
    bool bOk = true;
    for (const char* acPath : aacOpen) bOk = openDataFile(acPath) && bOk;
    if (iFirst_File == argc && aacOpen.empty()) bOk = runStream(std::cin, "standard input");
    for (int i = iFirst_File; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "orbex-batch: cannot read %s: %s\n", argv[i], std::strerror(errno));
            bOk = false;
            continue;
        }
        bOk = runStream(file, argv[i]) && bOk;
    }
    if (graph.acFile != nullptr) bOk = saveGraphPicture(graph.acFile) && bOk;
    if (output.mp_llDropped_Blocks > 0)
        std::fprintf(stderr, "orbex-batch: %lld earlier results left the output display, which keeps the last 32 MB\n",
                     output.mp_llDropped_Blocks);
    std::fwrite(output.mp_sText.data(), 1, output.mp_sText.size(), stdout);
    std::fputs("\n", stdout);   // ends the last line
    if (iCopy_Form >= 0) {   // after an empty line: the result's text holds none
        const std::string sCopy = copyAs(ClCalculator::mp_mLast_Output, static_cast<eCOPY_FORM>(iCopy_Form));
        if (sCopy.empty()) std::fputs("orbex-batch: no result to copy\n", stderr);
        std::fputs("\n", stdout);
        std::fwrite(sCopy.data(), 1, sCopy.size(), stdout);
        std::fputs("\n", stdout);
    }
    return bOk ? 0 : 1;
}
