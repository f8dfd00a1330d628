// SPDX-License-Identifier: GPL-2.0-or-later
#include "display/scrollbar_layout.h"

#include <algorithm>
#include <cmath>

namespace display {

namespace {

// Room the picture wants beyond its own size, so its last column and row
// are not flush against the area's edge.
constexpr float Margin = 100;

// (picture − container + margin) / step, formed in single precision.
std::int16_t firstMaximum(float picture, float container, std::int16_t step)
{
    if (step <= 0)
        return 0; // no step set yet: nothing to scroll by
    const float range = picture - container + Margin;
    return roundToInt16(range / static_cast<float>(step));
}

// The extra range that lets the picture come out from under the other bar,
// formed in double precision.
std::int16_t withBarRange(std::int16_t max, std::int16_t step)
{
    if (step <= 0)
        return max;
    return roundToInt16(double(RuledBarThickness) / step + max);
}

} // namespace

std::int16_t roundToInt16(double value)
{
    // nearbyint rounds in the default mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

ScrollBarLayout layoutScrollBars(const ScrollArea &a)
{
    const float cw = a.containerWidth;
    const float ch = a.containerHeight;
    const float wideBy = a.pictureWidth + Margin;
    const float tallBy = a.pictureHeight + Margin;
    const bool tallBesideBar = tallBy > ch - RuledBarThickness;

    ScrollBarLayout layout;
    BarPlacement &h = layout.horizontal;
    BarPlacement &v = layout.vertical;

    h.shown = wideBy > cw || (tallBesideBar && wideBy > cw - RuledBarThickness);
    if (h.shown) {
        h.left = 0;
        h.top = ch - a.hscrHeight - 50;
        h.length = cw - 75 - RuledBarThickness + 20;
        h.firstMax = h.max = firstMaximum(a.pictureWidth, cw, a.scrollStep);
    }

    v.shown = tallBy > ch || (tallBesideBar && h.shown);
    if (v.shown) {
        v.left = cw - a.vscrWidth - 50;
        v.top = 0;
        v.length = ch - 75 - RuledBarThickness + 10;
        v.firstMax = v.max = firstMaximum(a.pictureHeight, ch, a.scrollStep);
        if (h.shown)
            v.max = withBarRange(v.firstMax, a.scrollStep);
    }

    if (h.shown && v.shown)
        h.max = withBarRange(h.firstMax, a.scrollStep);

    layout.squareShown = h.shown || v.shown;
    if (layout.squareShown) {
        layout.squareLeft = cw - a.vscrWidth - 70;
        layout.squareTop = ch - a.hscrHeight - 75;
    }
    return layout;
}

} // namespace display
