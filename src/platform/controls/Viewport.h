// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace platform {

// The part of a picture area that its scroll bars leave uncovered, holding
// the picture that pans. When a child moves, Qt scrolls the pixels already
// on screen and repaints only the strip that comes into view, but only
// where no sibling lies over the moved part: so this area ends where the
// bars begin, and follows them as they are placed, shown and hidden.
class Viewport : public QWidget
{
    Q_OBJECT

public:
    explicit Viewport(QWidget *area);

    // Leaves out the strip from `rightBar` to the right edge and the one
    // from `bottomBar` down, each while that bar is shown.
    void keepClearOf(QWidget *rightBar, QWidget *bottomBar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit();

    QPointer<QWidget> rightBar_;
    QPointer<QWidget> bottomBar_;
};

} // namespace platform
