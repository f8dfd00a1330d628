// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/Line.h"

#include <QPainter>

#include "platform/system/Twips.h"

namespace platform {

namespace {

class LineWidget : public QWidget
{
public:
    using QWidget::QWidget;

    QColor color = Qt::black;
    QPoint from, to; // in the widget's own pixels
    int width = 1;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(from, to);
    }
};

} // namespace

Line::Line(QWidget *container) : Control(new LineWidget(container))
{
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setPoints(float x1, float y1, float x2, float y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void Line::setColor(const QColor &color)
{
    static_cast<LineWidget *>(widget())->color = color;
    widget()->update();
}

void Line::setPixelWidth(int width)
{
    pixelWidth_ = width;
    static_cast<LineWidget *>(widget())->width = width;
    place();
}

void Line::place()
{
    // The widget is the line's bounding box, widened by the pen.
    const float pad = toTwips(pixelWidth_);
    const float left = std::min(x1_, x2_) - pad;
    const float top = std::min(y1_, y2_) - pad;
    move(left, top, std::abs(x2_ - x1_) + 2 * pad, std::abs(y2_ - y1_) + 2 * pad);
    auto *line = static_cast<LineWidget *>(widget());
    line->width = pixelWidth_;
    line->from = QPoint(toPixels(x1_ - left), toPixels(y1_ - top));
    line->to = QPoint(toPixels(x2_ - left), toPixels(y2_ - top));
    line->update();
}

} // namespace platform
