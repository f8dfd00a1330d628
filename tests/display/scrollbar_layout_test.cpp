// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "display/scrollbar_layout.h"

using display::layoutScrollBars;
using display::ScrollArea;

namespace {

struct Case
{
    const char *name;
    float cw, ch, pw, ph;
    bool hShown, vShown;
    int hMax, vMax; // final maxima, checked only for shown bars
};

// Area 3000 × 2000 twips unless a case says otherwise.
const Case cases[] = {
    {"fits", 3000, 2000, 2000, 1000, false, false, 0, 0},
    {"fits exactly beside both bars", 3000, 2000, 2644, 1644, false, false, 0, 0},
    {"exactly CW - 100 wide and short", 3000, 2000, 2900, 1000, false, false, 0, 0},
    {"100 narrower and much taller", 3000, 2000, 2900, 6000, true, true, 3, 44},
    {"wider only", 3000, 2000, 5000, 1000, true, false, 21, 0},
    {"taller only", 3000, 2000, 1000, 5000, false, true, 0, 31},
    {"within 256 of the area in both", 3000, 2000, 2700, 1700, true, true, 1, 1},
    {"both larger", 3000, 2000, 9000, 7000, true, true, 64, 54},
    {"half rounds down to even", 3000, 2000, 4150, 1000, true, false, 12, 0},
    {"half rounds up to even", 3000, 2000, 4250, 1000, true, false, 14, 0},
    {"maximum clamped to 16 bits", 3000, 2000, 5e6f, 1000, true, false, 32767, 0},
};

} // namespace

TEST(ScrollBarLayout, DecidesBarsAndMaxima)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScrollArea area;
        area.containerWidth = c.cw;
        area.containerHeight = c.ch;
        area.pictureWidth = c.pw;
        area.pictureHeight = c.ph;
        const auto layout = layoutScrollBars(area);

        EXPECT_EQ(layout.horizontal.shown, c.hShown);
        EXPECT_EQ(layout.vertical.shown, c.vShown);
        EXPECT_EQ(layout.squareShown, c.hShown || c.vShown);
        if (c.hShown) {
            EXPECT_EQ(layout.horizontal.max, c.hMax);
        }
        if (c.vShown) {
            EXPECT_EQ(layout.vertical.max, c.vMax);
        }
    }
}

TEST(ScrollBarLayout, LastColumnComesOutFromUnderTheBars)
{
    // At the maximum position the canvas's right edge lies within 50 twips
    // of CW - 100 with one bar, and of CW - 400 with both.
    for (float pw : {5000.f, 12345.f, 33333.f}) {
        for (float ph : {1000.f, 9000.f}) {
            const ScrollArea area{3000, 2000, pw, ph};
            const auto layout = layoutScrollBars(area);
            const float right = pw - 100.f * layout.horizontal.max;
            const float goal = layout.vertical.shown ? 3000 - 400 : 3000 - 100;
            EXPECT_NEAR(right, goal, 50) << pw << " x " << ph;
        }
    }
}

TEST(ScrollBarLayout, RoundsHalvesToEven)
{
    EXPECT_EQ(display::roundToInt16(12.5), 12);
    EXPECT_EQ(display::roundToInt16(13.5), 14);
    EXPECT_EQ(display::roundToInt16(-2.5), -2);
    EXPECT_EQ(display::roundToInt16(2.56 + 41), 44);
    EXPECT_EQ(display::roundToInt16(1e9), 32767);
    EXPECT_EQ(display::roundToInt16(-1e9), -32768);
}
