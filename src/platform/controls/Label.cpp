// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/Label.h"

#include <QLabel>

namespace platform {

Label::Label(QWidget *container)
    : Control(new QLabel(container)), label_(static_cast<QLabel *>(widget()))
{
    label_->setTextFormat(Qt::PlainText);
}

QString Label::caption() const
{
    return label_->text();
}

void Label::setCaption(const QString &text)
{
    label_->setText(text);
    if (label_->isVisible())
        label_->repaint();
    emit change(text);
}

void Label::setWordWrap(bool wrap)
{
    label_->setWordWrap(wrap);
    label_->setAlignment(Qt::AlignLeft | (wrap ? Qt::AlignTop : Qt::AlignVCenter));
}

} // namespace platform
