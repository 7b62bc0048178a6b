// SPDX-License-Identifier: GPL-3.0-or-later
// The text display shows long lines broken, yet gives back exactly the text it was given, also
// while text is gathered aside during a repetition.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "window_fixture.h"   // Eigen before the toolkit

#include "text_display.h"

TEST(ClTextDisplay, LongLinesShowBrokenAndReadBackExactly) {
    Fl_Text_Buffer buffer;
    ClTextDisplay display(0, 0, 300, 176);
    display.buffer(&buffer);
    display.wrapAtEdge();
    std::ostringstream row;
    for (int i = 0; i < 50000; ++i) row << i * 0.25 << ", ";
    const std::string sRow = row.str() + "1 ;\n";
    for (const std::string& sText : {std::string("\nOut>A :\n"), sRow, sRow, std::string("\nIn>Det (")})
        display.appendText(sText.c_str());
    const int iLine_Start = display.textLength();
    display.appendText("A_");
    display.removeText(display.textLength() - 1, display.textLength());   // the cursor mark
    EXPECT_EQ(display.exactText(), "\nOut>A :\n" + sRow + sRow + "\nIn>Det (A");
    EXPECT_EQ(display.insertPosition(), display.textLength());
    EXPECT_EQ(display.textLength() - iLine_Start, 1);
    std::istringstream shown(bufferText(&buffer));   // broken into lines of 2048 characters at most
    int iLines = 0;
    for (std::string sLine; std::getline(shown, sLine); ++iLines) EXPECT_LE(sLine.size(), 2048u);
    EXPECT_GT(iLines, 2 * static_cast<int>(sRow.size() / 2048));
    display.removeText(9, display.textLength());
    display.appendText("2");
    EXPECT_EQ(display.exactText(), "\nOut>A :\n2");
    display.defer(true);   // gathered aside, as during a repetition
    display.appendText("\nOut>");
    display.setInsertPosition(display.textLength());
    display.appendText(sRow.c_str());
    EXPECT_EQ(buffer.length(), 10);
    EXPECT_EQ(display.insertPosition(), display.textLength());
    EXPECT_EQ(display.lastChar(), '\n');
    EXPECT_EQ(display.findText(1, "\nOut>"), 10);   // the gathered text is searched too
    EXPECT_EQ(display.findText(11, "\nOut>"), -1);
    display.defer(false);
    EXPECT_EQ(display.exactText(), "\nOut>A :\n2\nOut>" + sRow);
    EXPECT_EQ(display.insertPosition(), buffer.length());
    display.clearText();
    EXPECT_EQ(display.exactText(), "");
}
