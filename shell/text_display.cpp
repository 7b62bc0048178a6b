// The text display's insertion and removal, which keep every shown line short enough for the
// toolkit's wrapping and remember where they broke one.
#include "text_display.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int gc_iSOFT_LINE = 1024;   ///< a longer line is broken after its next space
}

void ClTextDisplay::insertText(int iPosition, const char* acText) {
    std::string sShown;
    std::vector<int> aiBreaks;
    int iColumn = iPosition - buffer()->line_start(iPosition);
    for (const char* pc = acText; *pc; ++pc) {
        sShown += *pc;
        iColumn = *pc == '\n' ? 0 : iColumn + 1;
        if ((iColumn >= gc_iSOFT_LINE && *pc == ' ') || iColumn >= 2 * gc_iSOFT_LINE) {
            aiBreaks.push_back(iPosition + static_cast<int>(sShown.size()));
            sShown += '\n';
            iColumn = 0;
        }
    }
    const auto itAfter = std::lower_bound(mp_aiSoft_Breaks.begin(), mp_aiSoft_Breaks.end(), iPosition);
    for (auto it = itAfter; it != mp_aiSoft_Breaks.end(); ++it) *it += static_cast<int>(sShown.size());
    mp_aiSoft_Breaks.insert(itAfter, aiBreaks.begin(), aiBreaks.end());
    buffer()->insert(iPosition, sShown.c_str());
}

void ClTextDisplay::removeText(int iFrom, int iTo) {
    const auto itFrom = std::lower_bound(mp_aiSoft_Breaks.begin(), mp_aiSoft_Breaks.end(), iFrom);
    const auto itTo = std::lower_bound(itFrom, mp_aiSoft_Breaks.end(), iTo);
    for (auto it = itTo; it != mp_aiSoft_Breaks.end(); ++it) *it -= iTo - iFrom;
    mp_aiSoft_Breaks.erase(itFrom, itTo);
    buffer()->remove(iFrom, iTo);
}

std::string ClTextDisplay::exactText() const {
    char* acText = buffer()->text();
    std::string sText;
    sText.reserve(static_cast<std::size_t>(buffer()->length()));
    int iStart = 0;
    for (int iBreak : mp_aiSoft_Breaks) {
        sText.append(acText + iStart, acText + iBreak);
        iStart = iBreak + 1;
    }
    sText.append(acText + iStart);
    std::free(acText);
    return sText;
}
