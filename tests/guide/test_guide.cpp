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
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "button_table.h"
#include "calculator.h"
#include "engine_state.h"

namespace {

struct ClExample {
    std::string sKind;                ///< "run" or "type"
    std::vector<std::string> asLines; ///< the comment's lines
    std::string sShown;               ///< the <PRE> text, unescaped
    int iLine;                        ///< where the comment starts in the guide
};

std::string readFile(const char* acPath) {
    std::ifstream file(acPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

/// The text of a <PRE> block as the viewer shows it; only the three entities are allowed, so a
/// stray tag or an unescaped sign in an example fails.
std::string unescape(const std::string& sRaw) {
    std::string sText;
    for (std::size_t ui = 0; ui < sRaw.size(); ++ui) {
        if (sRaw[ui] == '<' || sRaw[ui] == '>') {
            ADD_FAILURE() << "unescaped '" << sRaw[ui] << "' in: " << sRaw;
        } else if (sRaw[ui] != '&') {
            sText += sRaw[ui];
        } else if (sRaw.compare(ui, 4, "&lt;") == 0) {
            sText += '<', ui += 3;
        } else if (sRaw.compare(ui, 4, "&gt;") == 0) {
            sText += '>', ui += 3;
        } else if (sRaw.compare(ui, 5, "&amp;") == 0) {
            sText += '&', ui += 4;
        } else {
            ADD_FAILURE() << "unknown entity in: " << sRaw;
        }
    }
    return sText;
}

std::string trimNewlines(std::string sText) {
    while (!sText.empty() && sText.front() == '\n') sText.erase(0, 1);
    while (!sText.empty() && sText.back() == '\n') sText.pop_back();
    return sText;
}

std::vector<ClExample> examples(const std::string& sGuide) {
    std::vector<ClExample> aExamples;
    std::size_t uiPre = 0;
    while ((uiPre = sGuide.find("<PRE>", uiPre)) != std::string::npos) {
        const int iLine = 1 + static_cast<int>(std::count(sGuide.begin(), sGuide.begin() + uiPre, '\n'));
        const std::size_t uiEnd = sGuide.find("</PRE>", uiPre);
        const std::size_t uiComment_End = sGuide.rfind("-->", uiPre);
        const std::size_t uiComment = sGuide.rfind("<!--", uiPre);
        // The marking must stand right before the block, with nothing but white space between.
        const bool bMarked = uiComment != std::string::npos && uiComment_End != std::string::npos &&
                             uiComment_End > uiComment &&
                             sGuide.find_first_not_of(" \n", uiComment_End + 3) == uiPre;
        if (!bMarked || uiEnd == std::string::npos) {
            ADD_FAILURE() << "guide line " << iLine << ": a <PRE> block without its example marking";
            uiPre += 5;
            continue;
        }
        ClExample example;
        example.iLine = iLine;
        std::istringstream comment(sGuide.substr(uiComment + 4, uiComment_End - uiComment - 4));
        comment >> example.sKind;
        for (std::string sLine; std::getline(comment, sLine);)
            if (!sLine.empty()) example.asLines.push_back(sLine);
        example.sShown = trimNewlines(unescape(sGuide.substr(uiPre + 5, uiEnd - uiPre - 5)));
        aExamples.push_back(example);
        uiPre = uiEnd;
    }
    return aExamples;
}

/// The output display's text after orbex-batch has run these lines, without the spacer and the
/// line feed that opens the first prompt.
std::string runBatch(const std::vector<std::string>& asLines) {
    std::string sOptions;
    char acScript[] = "/tmp/orbex-guide-XXXXXX";
    const int iFile = mkstemp(acScript);
    EXPECT_GE(iFile, 0);
    {
        std::ofstream script(acScript);
        for (const std::string& sLine : asLines) {
            if (sLine.compare(0, 2, "--") == 0)
                sOptions += " " + sLine;
            else
                script << sLine << '\n';
        }
    }
    const std::string sCommand = std::string(ORBEX_BATCH) + sOptions + " " + acScript;
    std::string sOutput;
    if (FILE* pPipe = popen(sCommand.c_str(), "r")) {
        char acBuffer[4096];
        for (std::size_t uiRead; (uiRead = std::fread(acBuffer, 1, sizeof acBuffer, pPipe)) > 0;)
            sOutput.append(acBuffer, uiRead);
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
        const std::string sText = readFile((sFolder + acName).c_str());
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
    ASSERT_FALSE(sGuide.empty()) << ORBEX_GUIDE;
    int iRun = 0;
    for (const ClExample& example : examples(sGuide)) {
        SCOPED_TRACE("guide line " + std::to_string(example.iLine));
        ASSERT_FALSE(example.asLines.empty());
        if (example.sKind == "run") {
            ++iRun;
            EXPECT_EQ(example.sShown, runBatch(example.asLines));
        } else if (example.sKind == "type") {
            std::string sExpected;
            for (const std::string& sCodes : example.asLines)
                sExpected += (sExpected.empty() ? "" : "\n") + typed(sCodes);
            EXPECT_EQ(example.sShown, sExpected);
        } else {
            ADD_FAILURE() << "unknown example kind \"" << example.sKind << "\"";
        }
    }
    EXPECT_GE(iRun, 10);   // a broken marking must not leave the guide unchecked
}
