// ClTextDisplay: the toolkit's text display seen as a text pane, with its remembered output
// position and the frame it was built with.
#pragma once

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
    void insertText(int iPosition, const char* acText) override { buffer()->insert(iPosition, acText); }
    void removeText(int iFrom, int iTo) override { buffer()->remove(iFrom, iTo); }
    void clearText() override { buffer()->text(""); }
    int insertPosition() const override { return insert_position(); }
    void setInsertPosition(int iPosition) override { insert_position(iPosition); }
    void showInsertPosition() override { show_insert_position(); }
    void setVisible(bool bVisible) override {
        if (bVisible) show();
        else hide();
    }

    int mp_aiFrame[4];   ///< x, y, w, h as built
};
