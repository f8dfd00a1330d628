// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/CommandButton.h"

#include <QPushButton>

namespace platform {

CommandButton::CommandButton(QWidget *container)
    : Control(new QPushButton(container)), button_(static_cast<QPushButton *>(widget()))
{
    button_->setAutoDefault(false);
    connect(button_, &QPushButton::clicked, this, &CommandButton::click);
}

QString CommandButton::caption() const
{
    return button_->text();
}

void CommandButton::setCaption(const QString &caption)
{
    button_->setText(caption);
}

void CommandButton::press()
{
    button_->click();
}

void CommandButton::setDefault(bool isDefault)
{
    button_->setDefault(isDefault);
}

} // namespace platform
