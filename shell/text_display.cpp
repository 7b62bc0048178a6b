// SPDX-License-Identifier: GPL-3.0-or-later
// The text display's insertion and removal, which keep every shown line short enough for the
// toolkit's wrapping, remember where they broke one, and can gather a repetition's output; the
// mouse's selection, given back as it was inserted.
#include "execution_state.h"
#include "text_display.h"

#include "line_edit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace {
ClTextDisplay* lg_pSelecting = nullptr;   ///< the display the mouse last pressed
}  // namespace

ClTextDisplay::~ClTextDisplay() {
    if (lg_pSelecting == this) lg_pSelecting = nullptr;
}

int ClTextDisplay::handle(int iEvent) {
    if ((iEvent != FL_PUSH && iEvent != FL_DRAG && iEvent != FL_RELEASE) || buffer() == nullptr)
        return Fl_Text_Display::handle(iEvent);
    // The toolkit's selecting moves the insertion point, where a repetition is writing: then the
    // mouse waits. Otherwise every writer places the insertion point first.
    if (g_bBusy && iEvent != FL_RELEASE) return 1;
    if (iEvent == FL_PUSH && lg_pSelecting != this) {
        if (lg_pSelecting != nullptr && lg_pSelecting->buffer() != nullptr) lg_pSelecting->buffer()->unselect();
        lg_pSelecting = this;
    }
    const int iHandled = Fl_Text_Display::handle(iEvent);
    if (iEvent == FL_RELEASE) {   // the toolkit's copy holds the line breaks the display added
        const std::string sText = selectedText();
        if (!sText.empty()) Fl::copy(sText.data(), static_cast<int>(sText.size()), 0);
    }
    return iHandled;
}

std::string ClTextDisplay::selection() { return lg_pSelecting != nullptr ? lg_pSelecting->selectedText() : ""; }

std::string ClTextDisplay::selectedText() const {
    int iStart = 0, iEnd = 0;
    if (buffer() == nullptr || !buffer()->selection_position(&iStart, &iEnd)) return "";
    std::string sText;
    auto itBreak = std::lower_bound(mp_aiSoft_Breaks.begin(), mp_aiSoft_Breaks.end(), iStart);
    for (int i = iStart; i < iEnd; ++i) {
        if (itBreak != mp_aiSoft_Breaks.end() && *itBreak == i) ++itBreak;
        else sText += buffer()->byte_at(i);
    }
    return sText;
}

char ClTextDisplay::lastChar() const {
    if (!mp_sPending.empty()) return mp_sPending.back();
    const int iLength = buffer()->length();
    return iLength > 0 ? buffer()->byte_at(iLength - 1) : '\0';
}

void ClTextDisplay::measureFont() {
    mp_iWidth_Size = textsize();
    fl_font(textfont(), textsize());
    for (int c = 32; c < 127; ++c) {
        const char acChar[2] = {static_cast<char>(c), 0};
        mp_adWidth[c] = fl_width(acChar);
    }
}

std::string ClTextDisplay::breakLines(int iPosition, const char* acText, bool bAt_Pending_End,
                                      std::vector<int>& aiBreaks) {
    if (!mp_bWrap_At_Edge) return acText;
    if (mp_iWidth_Size != textsize()) measureFont();
    // The toolkit's text area: the box, a margin of 3 on each side and the scrollbar.
    const double dLimit = w() - Fl::box_dw(box()) - 6 - scrollbar_width() - 1;
    const auto width = [this](char c) { return mp_adWidth[static_cast<unsigned char>(c)]; };
    // The width of the line before the position.
    double dWidth = 0;
    int iLine_End = iPosition;
    if (bAt_Pending_End) {
        const std::size_t uiNewline = mp_sPending.rfind('\n');
        for (std::size_t ui = uiNewline == std::string::npos ? 0 : uiNewline + 1; ui < mp_sPending.size(); ++ui)
            dWidth += width(mp_sPending[ui]);
        iLine_End = uiNewline == std::string::npos ? buffer()->length() : 0;
    }
    for (int i = iLine_End > 0 ? buffer()->line_start(iLine_End) : 0; i < iLine_End; ++i)
        dWidth += width(buffer()->byte_at(i));
    std::string sShown, sLine;   // sLine: the line being filled, not yet in sShown
    std::size_t uiSpace = std::string::npos;   // the last space in sLine
    double dAfter_Space = 0;     // the width of sLine after that space
    for (const char* pc = acText; *pc; ++pc) {
        if (*pc == '\n') {
            sShown += sLine + '\n';
            sLine.clear();
            dWidth = dAfter_Space = 0;
            uiSpace = std::string::npos;
            continue;
        }
        if (*pc != ' ' && dWidth > 0 && dWidth + width(*pc) > dLimit) {   // the line is full
            const std::size_t uiKeep = uiSpace == std::string::npos ? sLine.size() : uiSpace + 1;
            sShown.append(sLine, 0, uiKeep);
            sLine.erase(0, uiKeep);
            dWidth = uiSpace == std::string::npos ? 0 : dAfter_Space;
            aiBreaks.push_back(iPosition + static_cast<int>(sShown.size()));
            sShown += '\n';
            uiSpace = std::string::npos;
        }
        sLine += *pc;
        dWidth += width(*pc);
        if (*pc == ' ') {
            uiSpace = sLine.size() - 1;
            dAfter_Space = 0;
        } else {
            dAfter_Space += width(*pc);
        }
    }
    return sShown + sLine;
}

void ClTextDisplay::insertText(int iPosition, const char* acText) {
    const bool bDefer = mp_bDeferring && iPosition == textLength();
    if (!bDefer) flush();
    std::vector<int> aiBreaks;
    const std::string sShown = breakLines(iPosition, acText, bDefer, aiBreaks);
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

// Note: the toolkit's own search compares past the end of its buffer near the end of the text.
int ClTextDisplay::findText(int iFrom, const char* acText) {
    flush();
    const Fl_Text_Buffer& text = *buffer();
    const int iLength = static_cast<int>(std::strlen(acText));
    for (int iAt = std::max(iFrom, 0); iAt + iLength <= text.length(); ++iAt) {
        int i = 0;
        while (i < iLength && text.byte_at(iAt + i) == acText[i]) ++i;
        if (i == iLength) return iAt;
    }
    return -1;
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
    if (mp_bDeferring) mp_bPending_Show = true;   // once, at the flush
    else show_insert_position();
}

void ClTextDisplay::defer(bool bDefer) {
    if (!bDefer) flush();
    mp_bDeferring = bDefer;
}

void ClTextDisplay::flush() {
    if (!mp_sPending.empty()) {
        const int iInsert = insertPosition();
        buffer()->append(mp_sPending.c_str());
        mp_sPending.clear();
        mp_iPending_Insert = -1;
        insert_position(iInsert);
    }
    if (mp_bPending_Show) show_insert_position();
    mp_bPending_Show = false;
}

void ClTextDisplay::wrapAtEdge() {
    mp_bWrap_At_Edge = true;
    wrap_mode(WRAP_NONE, 0);
}

int ClTextDisplay::exactPosition(int iShown) const {
    return iShown - static_cast<int>(std::lower_bound(mp_aiSoft_Breaks.begin(), mp_aiSoft_Breaks.end(), iShown) -
                                     mp_aiSoft_Breaks.begin());
}

int ClTextDisplay::shownPosition(int iExact) const {
    int iShown = iExact;
    for (int iBreak : mp_aiSoft_Breaks) {
        if (iBreak > iShown) break;
        ++iShown;
    }
    return iShown;
}

void ClTextDisplay::resize(int iX, int iY, int iW, int iH) {
    const bool bBreak_Again =
        mp_bWrap_At_Edge && buffer() != nullptr && (iW != w() || (mp_iWidth_Size != 0 && mp_iWidth_Size != textsize()));
    if (!bBreak_Again) return Fl_Text_Display::resize(iX, iY, iW, iH);
    const std::string sText = exactText();
    const int iInsert = exactPosition(insertPosition()), iSaved = exactPosition(mp_iSaved_Position);
    const int iTop = exactPosition(mFirstChar);
    const bool bInsert_Shown = insert_position() >= mFirstChar && insert_position() <= mLastChar;
    unsigned* puiLine_Start = lineStartIn(this);
    const int iLine_Start = puiLine_Start ? exactPosition(static_cast<int>(*puiLine_Start)) : 0;
    // The new width and font first: the toolkit resizes the display again while its text changes.
    Fl_Text_Display::resize(iX, iY, iW, iH);
    measureFont();
    clearText();
    insertText(0, sText.c_str());
    setInsertPosition(shownPosition(iInsert));
    mp_iSaved_Position = shownPosition(iSaved);
    if (puiLine_Start) *puiLine_Start = static_cast<unsigned>(shownPosition(iLine_Start));
    // The view stays where it was: on the insertion point when that was in sight, else on the
    // first line shown.
    if (bInsert_Shown) show_insert_position();
    else scroll(buffer()->count_lines(0, shownPosition(iTop)) + 1, 0);
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
