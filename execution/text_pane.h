// SPDX-License-Identifier: GPL-3.0-or-later
// A text display as the line editing and the execution driver see it: the window's displays
// and orbex-batch's plain text panes are its two kinds. The names stay clear of the widget
// toolkit's own, as the window's display derives from both.
#pragma once

#include <string>

class ClTextPane {
public:
    virtual ~ClTextPane() = default;

    virtual int textLength() const = 0;
    virtual char lastChar() const = 0;                  ///< 0 when the pane is empty
    virtual void insertText(int iPosition, const char* acText) = 0;
    virtual void removeText(int iFrom, int iTo) = 0;        ///< positions iFrom to iTo - 1
    virtual void clearText() = 0;
    virtual int insertPosition() const = 0;
    virtual void setInsertPosition(int iPosition) = 0;
    virtual void showInsertPosition() = 0;              ///< scrolls to the insertion point
    virtual void setVisible(bool bVisible) = 0;
    virtual int findText(int iFrom, const char* acText) = 0;   ///< the first position at or after iFrom, or -1

    /// Inserts at the insertion point and moves it past the text, as a display's insert does.
    void appendText(const char* acText) {
        const int iPosition = insertPosition();
        const int iLength = textLength();
        insertText(iPosition, acText);
        setInsertPosition(iPosition + textLength() - iLength);   // a display may show more than the text
    }

    int mp_iSaved_Position = 0;        ///< where the next output goes
    long long mp_llDropped_Blocks = 0;  ///< blocks that left the top to bound the text
};

/// A pane held in a string: orbex-batch's displays and the tests'.
class ClStringPane : public ClTextPane {
public:
    int textLength() const override { return static_cast<int>(mp_sText.size()); }
    char lastChar() const override { return mp_sText.empty() ? '\0' : mp_sText.back(); }
    void insertText(int iPosition, const char* acText) override {
        mp_sText.insert(static_cast<std::size_t>(iPosition), acText);
        if (mp_iInsert > iPosition) mp_iInsert += static_cast<int>(std::char_traits<char>::length(acText));
    }
    void removeText(int iFrom, int iTo) override {
        mp_sText.erase(static_cast<std::size_t>(iFrom), static_cast<std::size_t>(iTo - iFrom));
        if (mp_iInsert > iTo) mp_iInsert -= iTo - iFrom;
        else if (mp_iInsert > iFrom) mp_iInsert = iFrom;
    }
    void clearText() override { mp_sText.clear(); mp_iInsert = 0; }
    int insertPosition() const override { return mp_iInsert; }
    void setInsertPosition(int iPosition) override { mp_iInsert = iPosition; }
    void showInsertPosition() override {}
    void setVisible(bool) override {}
    int findText(int iFrom, const char* acText) override {
        const std::size_t uiFound = mp_sText.find(acText, static_cast<std::size_t>(iFrom));
        return uiFound == std::string::npos ? -1 : static_cast<int>(uiFound);
    }

    std::string mp_sText;
    int mp_iInsert = 0;
};
