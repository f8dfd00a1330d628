// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/Viewport.h"

#include <QEvent>

namespace platform {

Viewport::Viewport(QWidget *area) : QWidget(area)
{
    area->installEventFilter(this);
    fit();
}

void Viewport::keepClearOf(QWidget *rightBar, QWidget *bottomBar)
{
    rightBar_ = rightBar;
    bottomBar_ = bottomBar;
    rightBar_->installEventFilter(this);
    bottomBar_->installEventFilter(this);
    fit();
}

bool Viewport::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        fit();
        break;
    default:
        break;
    }
    return false;
}

void Viewport::fit()
{
    const QWidget *area = parentWidget();
    int width = area->width();
    int height = area->height();
    if (rightBar_ && !rightBar_->isHidden())
        width = qBound(0, rightBar_->x(), width);
    if (bottomBar_ && !bottomBar_->isHidden())
        height = qBound(0, bottomBar_->y(), height);
    setGeometry(0, 0, width, height);
}

} // namespace platform
