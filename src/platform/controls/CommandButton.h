// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"

class QPushButton;

namespace platform {

// A push button; "&" in its caption marks the Alt mnemonic.
class CommandButton : public Control
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *container);

    QString caption() const;
    void setCaption(const QString &caption);
    void setDefault(bool isDefault);
    // Presses the button as a click would.
    void press();

signals:
    void click();

private:
    QPushButton *button_;
};

} // namespace platform
