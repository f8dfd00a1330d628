// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class QAction;
class QKeyEvent;
class QMenu;

namespace platform {

class CommandButton;
class KeymapCache;
class MenuItem;

// A top-level window with a menu bar and a client area in which controls
// are placed in twips. Its events reach the program as signals.
class Form : public QMainWindow
{
    Q_OBJECT

public:
    // Reasons a form is asked to close, as queryUnload() reports them.
    static constexpr int UserClosing = 0;
    static constexpr int OwnerClosing = 5;

    // A form with an owner stays in front of it, is minimised and restored
    // with it, and is closed when it closes.
    explicit Form(QWidget *owner = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~Form() override;

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // The parent widget for the form's controls.
    QWidget *client() const { return client_; }

    // Outer size (frame, title bar and menu bar included) and the size of
    // the client area, in twips.
    float outerWidth() const;
    float outerHeight() const;
    float clientWidth() const;
    float clientHeight() const;
    void setClientSize(float width, float height);
    // A fixed single border: the user cannot resize the form.
    void setFixedClientSize(float width, float height);

    // Key preview: every key pressed anywhere in the form is reported by
    // keyDown() before the focused control gets it (and it still does).
    // Auto-repeats of a key held while the last one was handled are
    // dropped altogether, so holding a key never queues up work.
    void setKeyPreview(bool preview);
    // A command that goes on after its key was handled (a picture still
    // being read) holds auto-repeats off until it ends, as one that keeps
    // the handler busy does.
    void setCommandRunning(bool running);

    // Enter presses the default button (or the button that has the focus),
    // Esc the cancel button.
    void setDefaultButton(CommandButton *button);
    void setCancelButton(CommandButton *button);

    // Shows the form modal to the whole program and returns once it has
    // closed.
    void showModal();

    QMenu *addMenu(const QString &caption);
    MenuItem *addItem(QMenu *menu, const QString &caption);

signals:
    void resized();
    void activated();
    void keyDown(int keyCode, int shift);
    // Raised before the form closes; a handler sets `cancel` non-zero to
    // keep it open.
    void queryUnload(int &cancel, int unloadMode);
    // The form has closed.
    void closed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The menu whose underlined letter is this Alt+letter, if any.
    QAction *menuForMnemonic(const QKeyEvent &key) const;

    QWidget *client_;
    bool ownerClosing_ = false;
    bool keyPreview_ = false;
    QPointer<CommandButton> defaultButton_;
    QPointer<CommandButton> cancelButton_;
    const QEvent *lastKey_ = nullptr;
    quint64 lastKeyTime_ = 0;
    std::optional<quint32> lastCommandEnd_; // none before the first command
    QElapsedTimer sinceLastKey_;
    bool commandRunning_ = false;
    int releasedKey_ = 0;
    quint64 releaseTime_ = 0;
    QPointer<QWidget> lastKeyReceiver_;
    // Made with key preview: only such a form turns keys into key codes,
    // and only the main window has one.
    std::unique_ptr<KeymapCache> keymap_;
};

} // namespace platform
