// SPDX-License-Identifier: GPL-3.0-or-later
// ClTextDisplay: the toolkit's text display seen as a text pane, with its remembered output
// position and the frame it was built with.
#pragma once

#include <string>
#include <vector>

#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include "text_pane.h"

class ClTextDisplay : public Fl_Text_Display, public ClTextPane {
public:
    ClTextDisplay(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
        : Fl_Text_Display(iX, iY, iW, iH, acLabel), mp_aiFrame{iX, iY, iW, iH} {}
    ~ClTextDisplay() override;

    /// The mouse selects text: a press ends the selection of the display pressed before, the
    /// primary selection gets the text as it was inserted, and nothing is selected while a
    /// repetition runs.
    int handle(int iEvent) override;
    /// The text selected in the display last pressed, as it was inserted; "" when none.
    static std::string selection();

    int textLength() const override { return buffer()->length() + static_cast<int>(mp_sPending.size()); }
    char lastChar() const override;
    void insertText(int iPosition, const char* acText) override;
    void removeText(int iFrom, int iTo) override;
    void clearText() override;
    int insertPosition() const override { return mp_iPending_Insert >= 0 ? mp_iPending_Insert : insert_position(); }
    void setInsertPosition(int iPosition) override;
    void showInsertPosition() override;
    int findText(int iFrom, const char* acText) override;
    void setVisible(bool bVisible) override {
        if (bVisible) show();
        else hide();
    }
    /// A new width or text size breaks the text again where it wraps at the edge; the
    /// insertion point, the output position and the start of the line shown in it keep their
    /// places in the text, and the view its place.
    void resize(int iX, int iY, int iW, int iH) override;

    /// Wraps the text at the display's edge itself, after the last space that fits (the
    /// toolkit's own wrapping measures the whole text again on every change, seconds for a
    /// large result). The toolkit then only shows lines.
    void wrapAtEdge();
    /// Positions in the text as inserted and as shown, the added line breaks counted.
    int exactPosition(int iShown) const;
    int shownPosition(int iExact) const;

    /// While deferring, text added at the end is kept aside and reaches the toolkit's buffer in
    /// one piece at the next flush: the toolkit counts every line of a wrapped buffer again
    /// after each insertion, which a repetition of thousands of lines would pay each time.
    void defer(bool bDefer);
    void flush();
    /// The text as it was inserted, without the line breaks the display added.
    std::string exactText();

    int mp_aiFrame[4];   ///< x, y, w, h as built

private:
    std::string selectedText() const;
    /// The width of each character in the text font as it is now.
    void measureFont();
    /// The text to insert at iPosition as shown, its added breaks put into aiBreaks.
    std::string breakLines(int iPosition, const char* acText, bool bAt_Pending_End, std::vector<int>& aiBreaks);

    std::vector<int> mp_aiSoft_Breaks;   ///< positions of the newlines the display added, ascending
    bool mp_bWrap_At_Edge = false;
    double mp_adWidth[256] = {};         ///< the width of each character in the text font
    Fl_Fontsize mp_iWidth_Size = 0;      ///< the text size those widths are of; 0 before they are known
    bool mp_bDeferring = false;
    std::string mp_sPending;           ///< deferred text, as it will be shown
    int mp_iPending_Insert = -1;       ///< the insertion point while it lies in the deferred text
    bool mp_bPending_Show = false;     ///< a scroll to the insertion point was asked meanwhile
};
