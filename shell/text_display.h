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

    int textLength() const override { return buffer()->length(); }
    char lastChar() const override {
        const int iLength = buffer()->length();
        return iLength > 0 ? buffer()->byte_at(iLength - 1) : '\0';
    }
    void insertText(int iPosition, const char* acText) override;
    void removeText(int iFrom, int iTo) override;
    void clearText() override {
        buffer()->text("");
        mp_aiSoft_Breaks.clear();
    }
    int insertPosition() const override { return insert_position(); }
    void setInsertPosition(int iPosition) override { insert_position(iPosition); }
    void showInsertPosition() override { show_insert_position(); }
    void setVisible(bool bVisible) override {
        if (bVisible) show();
        else hide();
    }

    /// The text as it was inserted, without the line breaks the display added.
    std::string exactText() const;

    int mp_aiFrame[4];   ///< x, y, w, h as built

private:
    /// Positions of the newlines the display added, ascending. The toolkit wraps a whole line
    /// again on every redraw, so a result row of megabytes would make each key take a second;
    /// such a line is shown broken after a space every gc_iSOFT_LINE characters or so.
    std::vector<int> mp_aiSoft_Breaks;
};
