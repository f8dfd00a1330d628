// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <utility>

#include "platform/system/Dialogs.h"
#include "platform/system/Error.h"

namespace platform {

// The program's handling of uncaught errors. Every event handler runs inside
// run(), so no exception ever crosses a Qt signal or event boundary: the
// error's number and description are shown and the program goes on.
class ErrorGuard
{
public:
    explicit ErrorGuard(Dialogs &dialogs) : dialogs_(dialogs) {}

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
};

// A window's error guard, and the one way its handlers are connected to
// their controls' events: through the guard. As a base of the window, the
// guard is made before the window's controls and outlives them.
template<typename Window>
class GuardedWindow
{
protected:
    explicit GuardedWindow(Dialogs &dialogs) : guard_(dialogs) {}

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
