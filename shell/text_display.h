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

    int textLength() const override { return buffer()->length() + static_cast<int>(mp_sPending.size()); }
    char lastChar() const override;
    void insertText(int iPosition, const char* acText) override;
    void removeText(int iFrom, int iTo) override;
    void clearText() override;
    int insertPosition() const override { return mp_iPending_Insert >= 0 ? mp_iPending_Insert : insert_position(); }
    void setInsertPosition(int iPosition) override;
    void showInsertPosition() override;
    void setVisible(bool bVisible) override {
        if (bVisible) show();
        else hide();
    }

    /// While deferring, text added at the end is kept aside and reaches the toolkit's buffer in
    /// one piece at the next flush: the toolkit counts every line of a wrapped buffer again
    /// after each insertion, which a repetition of thousands of lines would pay each time.
    void defer(bool bDefer);
    void flush();
    /// The text as it was inserted, without the line breaks the display added.
    std::string exactText();

    int mp_aiFrame[4];   ///< x, y, w, h as built

private:
    /// Positions of the newlines the display added, ascending. The toolkit wraps a whole line
    /// again on every redraw, so a result row of megabytes would make each key take a second;
    /// such a line is shown broken after a space every gc_iSOFT_LINE characters or so.
    std::vector<int> mp_aiSoft_Breaks;
    bool mp_bDeferring = false;
    std::string mp_sPending;           ///< deferred text, as it will be shown
    int mp_iPending_Insert = -1;       ///< the insertion point while it lies in the deferred text
    bool mp_bPending_Show = false;     ///< a scroll to the insertion point was asked meanwhile
};
