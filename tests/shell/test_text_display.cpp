// The text display shows long lines broken, yet gives back exactly the text it was given.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "text_display.h"

TEST(ClTextDisplay, LongLinesShowBrokenAndReadBackExactly) {
    Fl_Text_Buffer buffer;
    ClTextDisplay display(0, 0, 300, 176);
    display.buffer(&buffer);
    display.wrapAtEdge();
    std::ostringstream row;
    for (int i = 0; i < 50000; ++i) row << i * 0.25 << ", ";
    const std::string sRow = row.str() + "1 ;\n";
    const std::string sExpected = "\nOut>A :\n" + sRow + sRow + "\nIn>Det (A";
    display.appendText("\nOut>A :\n");
    display.appendText(sRow.c_str());
    display.appendText(sRow.c_str());
    display.appendText("\nIn>Det (");
    const int iLine_Start = display.textLength();
    display.appendText("A_");
    display.removeText(display.textLength() - 1, display.textLength());   // the cursor mark
    EXPECT_EQ(display.exactText(), sExpected);
    EXPECT_EQ(display.insertPosition(), display.textLength());
    EXPECT_EQ(display.textLength() - iLine_Start, 1);

    char* acShown = buffer.text();
    std::istringstream shown(acShown);
    std::free(acShown);
    std::size_t uiLongest = 0;
    int iLines = 0;
    for (std::string sLine; std::getline(shown, sLine); ++iLines) uiLongest = std::max(uiLongest, sLine.size());
    EXPECT_LE(uiLongest, 2048u);
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
