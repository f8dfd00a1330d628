#pragma once

#include <QIcon>
#include <QMainWindow>

class QMenu;

namespace platform {

class MenuItem;

// A top-level window with a menu bar and a client area in which controls
// are placed in twips. Its events reach the program as signals.
class Form : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form(QWidget *owner = nullptr);

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

    QMenu *addMenu(const QString &caption);
    MenuItem *addItem(QMenu *menu, const QString &caption);

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *client_;
};

} // namespace platform
