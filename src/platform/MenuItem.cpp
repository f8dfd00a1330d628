#include "platform/MenuItem.h"

#include <QAction>

namespace platform {

MenuItem::MenuItem(QAction *action) : QObject(action), action_(action)
{
    // Checkable so the mark can be drawn; Qt's own toggling on trigger is
    // undone before anyone hears of the click.
    action_->setCheckable(true);
    action_->setChecked(false);
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
    action_->setChecked(checked);
}

} // namespace platform
