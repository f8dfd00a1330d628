// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"

class QScrollBar;

namespace platform {

// A scroll bar with 16-bit settings. change() is raised whenever the value
// changes (by the user, by the program, or by a lowered maximum), inside the
// call that changed it; scroll() is raised repeatedly while the thumb is
// dragged, and change() once more when it is let go.
class ScrollBar : public Control
{
    Q_OBJECT

public:
    ScrollBar(Qt::Orientation orientation, QWidget *container);

    int value() const;
    void setValue(int value);
    int min() const { return min_; }
    void setMin(int min);
    int max() const { return max_; }
    // Values beyond the 16-bit range are clamped to it.
    void setMax(int max);
    void setSmallChange(int units);
    void setLargeChange(int units);

signals:
    void change();
    void scroll();

private:
    void applyRange();

    QScrollBar *bar_;
    int min_ = 0;
    int max_ = 32767;
};

} // namespace platform
