// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

namespace display {

// What the scrolled view needs to lay out its scroll bars. Lengths are
// twips in single precision, as the controls hold them.
struct ScrollArea
{
    float containerWidth = 0;  // CW
    float containerHeight = 0; // CH
    float pictureWidth = 0;    // PW
    float pictureHeight = 0;   // PH
    float hscrHeight = 255;
    float vscrWidth = 255;
    std::int16_t scrollStep = 100;
};

struct BarPlacement
{
    bool shown = false;
    float left = 0;
    float top = 0;
    float length = 0;            // width of the horizontal bar, height of the vertical
    std::int16_t firstMax = 0;   // the maximum as first computed
    std::int16_t max = 0;        // after the extra range for the other bar
};

struct ScrollBarLayout
{
    BarPlacement horizontal;
    BarPlacement vertical;
    bool squareShown = false;
    float squareLeft = 0;
    float squareTop = 0;
};

// The room the layout sets aside for a bar across; the bars themselves are
// a twip thinner.
inline constexpr float RuledBarThickness = 256;

// Rounds to the nearest integer, halves to the even neighbour, and clamps to
// the 16-bit range that scroll bars take.
std::int16_t roundToInt16(double value);

// Which bars the picture needs, where they go and how far they scroll.
ScrollBarLayout layoutScrollBars(const ScrollArea &area);

} // namespace display
