// orbex-batch: evaluates stored lines of key codes from files or standard input and prints
// what the output display shows for each.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "engine_state.h"
#include "run_line.h"

namespace {

const char gc_acUSAGE[] =
    "usage: orbex-batch [--format=decimal|float|rational] [--zero-out=on|off] [FILE...]\n"
    "Each input line is one stored line of key codes (A=[1,2;3,4] or D(A)); without FILE,\n"
    "lines are read from standard input.\n";

/// Runs every line of a stream; returns false when a line had to be refused.
bool runStream(std::istream& input, const char* acName) {
    bool bOk = true;
    std::string line;
    for (unsigned long ulLine = 1; std::getline(input, line); ++ulLine) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > gc_iLINE_MAX_TYPED) {
            std::fprintf(stderr, "orbex-batch: %s:%lu: line longer than %d codes, not evaluated\n",
                         acName, ulLine, gc_iLINE_MAX_TYPED);
            bOk = false;
            continue;
        }
        g_Current_State = ClCalculator::mp_NULL_STATE;
        std::memcpy(g_Current_State.mp_acInput, line.data(), line.size());
        g_Current_State.mp_uiLength = static_cast<unsigned short>(line.size());
        const bool bShow = evaluateCurrentLine(true);
        std::fputs(outputBlock(g_Current_State, bShow).c_str(), stdout);
    }
    return bOk;
}

bool parseOption(const char* acArgument) {
    static const char* const aacFORMATS[] = {"--format=decimal", "--format=float", "--format=rational"};
    for (int i = 0; i < 3; ++i)
        if (std::strcmp(acArgument, aacFORMATS[i]) == 0) {
            g_eView_State = i;
            return true;
        }
    if (std::strcmp(acArgument, "--zero-out=on") == 0 || std::strcmp(acArgument, "--zero-out=off") == 0) {
        g_bZero_Out = acArgument[11] == 'n';
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    resetEngine();
    int iFirst_File = 1;
    for (; iFirst_File < argc && std::strncmp(argv[iFirst_File], "--", 2) == 0; ++iFirst_File) {
        if (std::strcmp(argv[iFirst_File], "--") == 0) {
            ++iFirst_File;
            break;
        }
        if (std::strcmp(argv[iFirst_File], "--help") == 0) {
            std::fputs(gc_acUSAGE, stdout);
            return 0;
        }
        if (!parseOption(argv[iFirst_File])) {
            std::fprintf(stderr, "orbex-batch: unknown option %s\n%s", argv[iFirst_File], gc_acUSAGE);
            return 2;
        }
    }
    bool bOk = true;
    if (iFirst_File == argc) bOk = runStream(std::cin, "standard input");
    for (int i = iFirst_File; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "orbex-batch: cannot read %s: %s\n", argv[i], std::strerror(errno));
            bOk = false;
            continue;
        }
        bOk = runStream(file, argv[i]) && bOk;
    }
    std::fputs("\n", stdout);
    return bOk ? 0 : 1;
}
