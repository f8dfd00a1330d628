#include "platform/Form.h"

#include <QEvent>
#include <QMenuBar>

#include "platform/MenuItem.h"
#include "platform/Twips.h"

namespace platform {

Form::Form(QWidget *owner) : QMainWindow(owner), client_(new QWidget(this))
{
    setCentralWidget(client_);
}

float Form::outerWidth() const
{
    return toTwips(frameGeometry().width());
}

float Form::outerHeight() const
{
    return toTwips(frameGeometry().height());
}

float Form::clientWidth() const
{
    return toTwips(client_->width());
}

float Form::clientHeight() const
{
    return toTwips(client_->height());
}

void Form::setClientSize(float width, float height)
{
    const QWidget *bar = menuWidget();
    resize(toPixels(width), toPixels(height) + (bar ? bar->sizeHint().height() : 0));
}

QMenu *Form::addMenu(const QString &caption)
{
    return menuBar()->addMenu(caption);
}

MenuItem *Form::addItem(QMenu *menu, const QString &caption)
{
    return new MenuItem(menu->addAction(caption));
}

void Form::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    emit resized();
}

void Form::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Minimising and restoring count as resizes.
    if (event->type() == QEvent::WindowStateChange)
        emit resized();
}

} // namespace platform
