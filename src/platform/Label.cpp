#include "platform/Label.h"

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

} // namespace platform
