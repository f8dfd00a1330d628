// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>

#include "platform/controls/Control.h"

namespace platform {

// A straight line between two points given in twips, drawn in one colour
// and a width in pixels; its container clips it.
class Line : public Control
{
    Q_OBJECT

public:
    explicit Line(QWidget *container);

    void setPoints(float x1, float y1, float x2, float y2);
    void setColor(const QColor &color);
    void setPixelWidth(int width);

private:
    void place();

    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int pixelWidth_ = 1;
};

} // namespace platform
