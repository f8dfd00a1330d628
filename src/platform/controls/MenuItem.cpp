// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/MenuItem.h"

#include <QAction>

namespace platform {

MenuItem::MenuItem(QAction *action) : QObject(action), action_(action)
{
    // Qt's own toggling of a checked item on trigger is undone before
    // anyone hears of the click.
    connect(action_, &QAction::triggered, this, [this] {
        action_->setChecked(checked_);
        emit click();
    });
}

QString MenuItem::caption() const
{
    return action_->text();
}

void MenuItem::setChecked(bool checked)
{
    checked_ = checked;
    // Only a checked item is checkable: styles draw an empty box beside
    // every checkable item, and an unchecked command shows no mark at all.
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

} // namespace platform
