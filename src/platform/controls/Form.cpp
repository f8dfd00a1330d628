// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QMenuBar>

#include "platform/controls/CommandButton.h"
#include "platform/controls/KeyRepeat.h"
#include "platform/controls/KeymapCache.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/system/Twips.h"

namespace platform {

Form::Form(QWidget *owner, Qt::WindowFlags flags)
    : QMainWindow(owner, flags | Qt::Window), client_(new QWidget(this))
{
    setCentralWidget(client_);
}

Form::~Form() = default;

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

void Form::setFixedClientSize(float width, float height)
{
    const QWidget *bar = menuWidget();
    setFixedSize(toPixels(width), toPixels(height) + (bar ? bar->sizeHint().height() : 0));
}

void Form::setKeyPreview(bool preview)
{
    if (preview == keyPreview_)
        return;
    keyPreview_ = preview;
    if (preview) {
        keymap_ = KeymapCache::forApplication();
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        keymap_.reset();
    }
}

QAction *Form::menuForMnemonic(const QKeyEvent &key) const
{
    if (key.modifiers() != Qt::AltModifier)
        return nullptr;
    for (QAction *menu : menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        if (!mnemonic.isEmpty() && mnemonic[0].key() == Qt::Key(key.key()))
            return menu;
    }
    return nullptr;
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    const bool shortcutOverride = event->type() == QEvent::ShortcutOverride;
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        const auto *release = static_cast<QKeyEvent *>(event);
        releasedKey_ = release->key();
        releaseTime_ = release->timestamp();
    }
    if ((event->type() != QEvent::KeyPress && !shortcutOverride) || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    // A key a widget leaves alone is passed on to its parents, the same
    // event again; report it once, for the widget that received it first.
    const bool passedOn = event == lastKey_ && key->timestamp() == lastKeyTime_
        && lastKeyReceiver_ && widget != lastKeyReceiver_ && widget->isAncestorOf(lastKeyReceiver_);
    if (passedOn)
        return false;
    // Keys of message boxes and other windows are theirs, and so are those
    // of the menu bar once Alt has given it the keyboard (its letters,
    // arrows and Esc), also when it passes them on to the form.
    if (widget->window() != this || qobject_cast<QMenuBar *>(QApplication::focusWidget()))
        return false;
    // Alt with a letter belongs to the menu bar first, as on Windows: a
    // button sharing the menu's letter ("&Следующий", "&Справка") would
    // otherwise make the shortcut ambiguous and do neither.
    if (QAction *menu = menuForMnemonic(*key)) {
        if (shortcutOverride)
            event->accept(); // no shortcut: the key comes here as a key press
        else
            menuBar()->setActiveAction(menu);
        return true;
    }
    if (shortcutOverride)
        return false;
    const bool repeat = isAutoRepeat(key->isAutoRepeat(), key->key(), key->timestamp(), releasedKey_, releaseTime_);
    if (repeat && commandRunning_)
        return true;
    if (lastCommandEnd_ && isStaleRepeat(repeat, quint32(key->timestamp()), *lastCommandEnd_))
        return true;
    const auto remember = [&] {
        lastKey_ = event;
        lastKeyTime_ = key->timestamp();
        lastKeyReceiver_ = widget;
        sinceLastKey_.start();
    };
    remember();
    QElapsedTimer busy;
    busy.start();
    emit keyDown(virtualKeyCode(*key, [this] { return keymap_->keymap(); }), shiftState(*key));
    // The end of the command on the events' own clock.
    lastCommandEnd_ = quint32(key->timestamp() + quint64(busy.elapsed()));
    // A command may have run a message box with keys of its own meanwhile.
    remember();
    return false;
}

void Form::setCommandRunning(bool running)
{
    if (commandRunning_ && !running && sinceLastKey_.isValid())
        lastCommandEnd_ = quint32(lastKeyTime_ + quint64(sinceLastKey_.elapsed())); // on the events' clock
    commandRunning_ = running;
}

QMenu *Form::addMenu(const QString &caption)
{
    return menuBar()->addMenu(caption);
}

MenuItem *Form::addItem(QMenu *menu, const QString &caption)
{
    return new MenuItem(menu->addAction(caption));
}

bool Form::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        emit activated();
    return handled;
}

void Form::closeEvent(QCloseEvent *event)
{
    int cancel = 0;
    emit queryUnload(cancel, ownerClosing_ ? OwnerClosing : UserClosing);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    // Forms this one owns close with it, each asked first, with the reason
    // that its owner is closing.
    for (Form *owned : findChildren<Form *>(Qt::FindDirectChildrenOnly)) {
        owned->ownerClosing_ = true;
        owned->close();
        owned->ownerClosing_ = false;
    }
    event->accept();
    emit closed();
}

void Form::setDefaultButton(CommandButton *button)
{
    defaultButton_ = button;
}

void Form::setCancelButton(CommandButton *button)
{
    cancelButton_ = button;
}

void Form::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
        if (focused && focused->window() == this) {
            focused->click();
            return;
        }
        if (defaultButton_) {
            defaultButton_->press();
            return;
        }
    }
    if (key == Qt::Key_Escape && cancelButton_) {
        cancelButton_->press();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QMetaObject::Connection closed = connect(this, &Form::closed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    loop.exec();
    disconnect(closed);
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
