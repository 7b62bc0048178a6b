// The text display's insertion and removal, which keep every shown line short enough for the
// toolkit's wrapping, remember where they broke one, and can gather a repetition's output.
#include "text_display.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int gc_iSOFT_LINE = 1024;   ///< a longer line is broken after its next space
}

char ClTextDisplay::lastChar() const {
    if (!mp_sPending.empty()) return mp_sPending.back();
    const int iLength = buffer()->length();
    return iLength > 0 ? buffer()->byte_at(iLength - 1) : '\0';
}

void ClTextDisplay::insertText(int iPosition, const char* acText) {
    const int iLength = textLength();
    const bool bDefer = mp_bDeferring && iPosition == iLength;
    if (!bDefer) flush();
    // The column at the position: counted back to the last newline.
    int iColumn = 0;
    if (bDefer) {
        const std::size_t uiNewline = mp_sPending.rfind('\n');
        iColumn = static_cast<int>(uiNewline == std::string::npos ? mp_sPending.size() : mp_sPending.size() - uiNewline - 1);
        if (uiNewline == std::string::npos) iColumn += buffer()->length() - buffer()->line_start(buffer()->length());
    } else {
        iColumn = iPosition - buffer()->line_start(iPosition);
    }
    std::string sShown;
    std::vector<int> aiBreaks;
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
    if (bDefer) mp_sPending += sShown;
    else buffer()->insert(iPosition, sShown.c_str());
}

void ClTextDisplay::removeText(int iFrom, int iTo) {
    flush();
    const auto itFrom = std::lower_bound(mp_aiSoft_Breaks.begin(), mp_aiSoft_Breaks.end(), iFrom);
    const auto itTo = std::lower_bound(itFrom, mp_aiSoft_Breaks.end(), iTo);
    for (auto it = itTo; it != mp_aiSoft_Breaks.end(); ++it) *it -= iTo - iFrom;
    mp_aiSoft_Breaks.erase(itFrom, itTo);
    buffer()->remove(iFrom, iTo);
}

void ClTextDisplay::clearText() {
    mp_sPending.clear();
    mp_iPending_Insert = -1;
    mp_bPending_Show = false;
    buffer()->text("");
    mp_aiSoft_Breaks.clear();
}

void ClTextDisplay::setInsertPosition(int iPosition) {
    if (iPosition > buffer()->length()) {   // inside the deferred text: placed at the flush
        mp_iPending_Insert = iPosition;
        return;
    }
    mp_iPending_Insert = -1;
    insert_position(iPosition);
}

void ClTextDisplay::showInsertPosition() {
    if (mp_sPending.empty()) show_insert_position();
    else mp_bPending_Show = true;
}

void ClTextDisplay::defer(bool bDefer) {
    if (!bDefer) flush();
    mp_bDeferring = bDefer;
}

void ClTextDisplay::flush() {
    if (mp_sPending.empty()) return;
    const int iInsert = insertPosition();
    buffer()->append(mp_sPending.c_str());
    mp_sPending.clear();
    mp_iPending_Insert = -1;
    insert_position(iInsert);
    if (mp_bPending_Show) show_insert_position();
    mp_bPending_Show = false;
}

std::string ClTextDisplay::exactText() {
    flush();
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
