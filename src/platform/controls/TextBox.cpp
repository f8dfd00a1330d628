// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/TextBox.h"

#include <QLineEdit>

namespace platform {

TextBox::TextBox(QWidget *container)
    : Control(new QLineEdit(container)), edit_(static_cast<QLineEdit *>(widget()))
{
}

QString TextBox::text() const
{
    return edit_->text();
}

void TextBox::setText(const QString &text)
{
    edit_->setText(text);
}

void TextBox::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
}

bool TextBox::isReadOnly() const
{
    return edit_->isReadOnly();
}

} // namespace platform
