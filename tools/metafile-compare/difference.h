// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

// Both pictures are scaled to fit this square, keeping their proportions, so
// a picture drawn with the wrong aspect ratio shows up as a difference.
inline constexpr int CompareSide = 400;

// Two pixels differ when any channel differs by more than this (about 10 %
// of 255): enough to let smoothing and colour rounding pass, not a wrong
// colour or a missing line.
inline constexpr int ChannelTolerance = 25;

struct Difference
{
    qint64 differing = 0;
    qint64 compared = 0;
    // The compared box: differing pixels red, agreeing ones a pale copy.
    QImage map;

    double percent() const { return compared ? 100.0 * double(differing) / double(compared) : 0.0; }
};

// Scales a trimmed picture smoothly into the CompareSide square.
QImage fitToCompareBox(const QImage &picture);

// Compares two fitted pictures over the box that holds both, both placed at
// its top left; where only one of them reaches, the pixel counts as
// differing.
Difference compare(const QImage &ours, const QImage &reference);
