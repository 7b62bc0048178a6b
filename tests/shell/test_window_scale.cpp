// SPDX-License-Identifier: GPL-3.0-or-later
// The factor the window starts at, from the screen as the X server describes it.
#include <gtest/gtest.h>

#include "window_scale.h"

// Quarters of the resolution over 96 dpi, from 1 to 4, as far as the face fits the work area;
// an unbelievable physical size counts as 96 dpi; ORBEX_SCALE from 1 to 4 wins, whatever else.
TEST(ClWindowScale, StartScaleFromTheScreen) {
    const struct { ClScreen screen; const char* acOverride; int iBase_W, iBase_H; double dExpected; } aCASES[] = {
        {{0, 1024, 0, 1024, 768}, nullptr, 619, 434, 1},           // nothing known
        {{0, 1024, 260, 1024, 768}, nullptr, 619, 434, 1},         // Xvfb: 100 dpi
        {{72, 1920, 508, 1920, 1050}, nullptr, 619, 434, 1},       // never below 1
        {{120, 1920, 508, 1920, 1050}, nullptr, 619, 434, 1.25},   // Xft.dpi before the physical size
        {{0, 2560, 423, 2560, 1400}, nullptr, 619, 434, 1.5},      // 153.7 dpi
        {{192, 1920, 508, 1920, 1050}, nullptr, 619, 434, 2},      // 1238 x 868 fits
        {{192, 1920, 508, 1920, 1050}, nullptr, 375, 610, 1.5},    // portrait: 1220 high does not, 915 does
        {{0, 3840, 340, 3840, 2100}, nullptr, 619, 434, 3},        // 286.9 dpi
        {{400, 3840, 340, 3840, 2100}, nullptr, 619, 434, 4},      // at most 4
        {{0, 1920, 30, 1920, 1050}, nullptr, 619, 434, 1},         // 1625 dpi: a size no screen has
        {{192, 800, 0, 800, 400}, nullptr, 619, 434, 1},           // a screen smaller than the face
        {{0, 1024, 260, 1024, 768}, "2", 619, 434, 2},             // asked for: larger than the screen
        {{192, 1920, 508, 1920, 1050}, "1.1", 619, 434, 1.1},
        {{192, 1920, 508, 1920, 1050}, "0.5", 619, 434, 2},        // out of range: the screen's
        {{192, 1920, 508, 1920, 1050}, "2x", 619, 434, 2},
        {{192, 1920, 508, 1920, 1050}, "", 619, 434, 2},
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(testing::Message() << c.screen.dXft_Dpi << " dpi, " << c.screen.iWidth_Px << " px, "
                                        << c.screen.iWidth_Mm << " mm, " << (c.acOverride ? c.acOverride : "-"));
        EXPECT_EQ(startScale(c.screen, c.acOverride, c.iBase_W, c.iBase_H), c.dExpected);
    }
    EXPECT_EQ(fitScale(1.37, 1920, 1050, 619, 434), 1.37);   // a factor the user chose stays while it fits
}
