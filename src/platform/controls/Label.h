// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"

class QLabel;

namespace platform {

class Label : public Control
{
    Q_OBJECT

public:
    explicit Label(QWidget *container);

    QString caption() const;
    // Repaints at once, so a status shown before a long operation is seen
    // while the operation runs.
    void setCaption(const QString &text);
    void setWordWrap(bool wrap);

signals:
    void change(const QString &caption);

private:
    QLabel *label_;
};

} // namespace platform
