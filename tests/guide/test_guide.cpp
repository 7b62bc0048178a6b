// SPDX-License-Identifier: GPL-3.0-or-later
// Every worked example of the user guide is run: a block
//     <!-- run
//     --format=rational        (options of orbex-batch, optional)
//     A=[1,2;3,4]              (stored lines of key codes, one a line)
//     -->
//     <PRE>...</PRE>
// must show exactly the output display's text that orbex-batch prints for those lines (without
// the display's leading spacer), and a block "<!-- type" ... "-->" <PRE>...</PRE> must show each
// line of codes as the input display shows it after "In>". Every <PRE> of the guide is one of
// these, so no example can go unchecked.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "button_table.h"
#include "calculator.h"
#include "engine_state.h"
#include "line_codes.h"

namespace {

std::string trimNewlines(const std::string& sText) {
    const std::size_t uiFirst = sText.find_first_not_of('\n'), uiLast = sText.find_last_not_of('\n');
    return uiFirst == std::string::npos ? "" : sText.substr(uiFirst, uiLast - uiFirst + 1);
}

/// The text of a <PRE> block as the viewer shows it; only the three entities are allowed, so a
/// stray tag or an unescaped sign in an example fails.
std::string unescape(const std::string& sRaw) {
    EXPECT_FALSE(std::regex_search(sRaw, std::regex("[<>]|&(?!lt;|gt;|amp;)"))) << "unescaped sign in: " << sRaw;
    std::string sText = std::regex_replace(sRaw, std::regex("&lt;"), "<");
    return std::regex_replace(std::regex_replace(sText, std::regex("&gt;"), ">"), std::regex("&amp;"), "&");
}

/// The output display's text after orbex-batch has run these lines, without the spacer and the
/// line feed that opens the first prompt.
std::string runBatch(const std::vector<std::string>& asLines) {
    std::string sOptions, sScript;
    for (const std::string& sLine : asLines) (sLine.compare(0, 2, "--") == 0 ? sOptions += " " + sLine : sScript += sLine + "\n");
    char acScript[] = "/tmp/orbex-guide-XXXXXX";
    EXPECT_GE(mkstemp(acScript), 0);
    std::ofstream(acScript) << sScript;
    const std::string sCommand = std::string(ORBEX_BATCH) + sOptions + " " + acScript;
    std::string sOutput;
    if (FILE* pPipe = popen(sCommand.c_str(), "r")) {
        for (int c; (c = std::fgetc(pPipe)) != EOF;) sOutput += static_cast<char>(c);
        EXPECT_EQ(pclose(pPipe), 0) << sCommand;
    }
    std::remove(acScript);
    EXPECT_EQ(sOutput.compare(0, 9, "\n\n\n\n\n\n\n\n\n"), 0) << sOutput;
    return trimNewlines(sOutput.size() > 9 ? sOutput.substr(9) : "");
}

/// The input display's text of a stored line of codes after the prompt.
std::string typed(const std::string& sCodes) {
    ClState line = ClCalculator::mp_NULL_STATE;
    std::copy(sCodes.begin(), sCodes.end(), line.mp_acInput);
    line.mp_uiLength = static_cast<unsigned short>(sCodes.size());
    std::vector<char> acText(8 * gc_iLINE_SIZE + 1);
    line.inputToChar(acText.data(), 0, line.mp_uiLength);
    return std::string("In>") + acText.data();
}

/// The names after each sBefore in the text up to uiTo, in order.
std::vector<std::string> namesAfter(const std::string& sText, const std::string& sBefore, std::size_t uiTo = std::string::npos) {
    std::vector<std::string> asNames;
    for (std::size_t ui = sText.find(sBefore); ui < uiTo; ui = sText.find(sBefore, ui + 1))
        asNames.push_back(sText.substr(ui + sBefore.size(), sText.find('\'', ui + sBefore.size()) - ui - sBefore.size()));
    return asNames;
}

}  // namespace

// The contents list of the guide and of the help beside it links every section in their order,
// and every link inside the text leads to one of them.
TEST(ClUserGuide, DocumentsLinkTheirSections) {
    const std::string sFolder = std::string(ORBEX_GUIDE).substr(0, std::string(ORBEX_GUIDE).rfind('/') + 1);
    for (const char* acName : {"guide.html", "help.html"}) {
        SCOPED_TRACE(acName);
        const std::string sText = readFile(sFolder + acName);
        const std::vector<std::string> asSections = namesAfter(sText, "NAME='");
        EXPECT_GE(asSections.size(), 4u);
        EXPECT_EQ(namesAfter(sText, "HREF='#", sText.find("<H3>")), asSections);
        for (const std::string& sLink : namesAfter(sText, "HREF='#"))
            EXPECT_NE(std::find(asSections.begin(), asSections.end(), sLink), asSections.end()) << sLink;
    }
}

TEST(ClUserGuide, EveryExampleShowsWhatTheProgramShows) {
    registerKeys();   // the key codes of the typed lines, as the panel registers them
    const std::string sGuide = readFile(ORBEX_GUIDE);
    // The marking must stand right before the block, with nothing but white space between.
    const std::regex example("<!--[ \n]*(\\w+)\n([\\s\\S]*?)-->[ \n]*<PRE>([\\s\\S]*?)</PRE>");
    int iRun = 0, iExamples = 0;
    for (std::sregex_iterator it(sGuide.begin(), sGuide.end(), example), end; it != end; ++it, ++iExamples) {
        const std::smatch& match = *it;
        SCOPED_TRACE("guide line " + std::to_string(1 + std::count(sGuide.begin(), match[0].first, '\n')));
        std::vector<std::string> asLines;
        std::istringstream comment(match[2].str());
        for (std::string sLine; std::getline(comment, sLine);)
            if (!sLine.empty()) asLines.push_back(sLine);
        ASSERT_FALSE(asLines.empty());
        std::string sExpected;
        if (match[1] == "run") {
            ++iRun;
            sExpected = runBatch(asLines);
        } else if (match[1] == "type") {
            for (const std::string& sCodes : asLines) sExpected += (sExpected.empty() ? "" : "\n") + typed(sCodes);
        } else {
            ADD_FAILURE() << "unknown example kind \"" << match[1] << "\"";
        }
        EXPECT_EQ(trimNewlines(unescape(match[3].str())), sExpected);
    }
    const std::regex pre("<PRE>");
    EXPECT_EQ(iExamples, std::distance(std::sregex_iterator(sGuide.begin(), sGuide.end(), pre), {}));
    EXPECT_GE(iRun, 10);   // a broken marking must not leave the guide unchecked
}
