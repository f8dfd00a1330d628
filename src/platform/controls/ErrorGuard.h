// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <utility>

#include "platform/controls/Dialogs.h"
#include "platform/system/Error.h"

namespace platform {

// The program's handling of uncaught errors. Every event handler runs inside
// run(), so no exception ever crosses a Qt signal or event boundary: the
// error's number and description are shown and the program goes on.
class ErrorGuard
{
public:
    // `caption` is the program's title, which the boxes of the guard carry.
    ErrorGuard(Dialogs &dialogs, const QString &caption) : dialogs_(dialogs), caption_(caption) {}

    template<typename Handler>
    void run(Handler &&handler) noexcept
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            report(currentError());
        }
    }

    void report(const Error &error) noexcept;

private:
    Dialogs &dialogs_;
    QString caption_;
};

// A window's error guard, and the one way its handlers are connected to
// their controls' events: through the guard. As a base of the window, the
// guard is made before the window's controls and outlives them.
template<typename Window>
class GuardedWindow
{
protected:
    GuardedWindow(Dialogs &dialogs, const QString &caption) : guard_(dialogs, caption) {}

    template<typename Sender, typename Signal>
    void on(Sender *sender, Signal signal, void (Window::*handler)())
    {
        auto *window = static_cast<Window *>(this);
        QObject::connect(sender, signal, window,
                         [this, window, handler] { guard_.run([&] { (window->*handler)(); }); });
    }

    ErrorGuard guard_;
};

} // namespace platform
