// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"

class QLineEdit;

namespace platform {

// A single-line text box.
class TextBox : public Control
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *container);

    QString text() const;
    void setText(const QString &text);
    // A read-only box still lets its text be selected and copied.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;

private:
    QLineEdit *edit_;
};

} // namespace platform
