// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <utility>

#include "platform/Dialogs.h"
#include "platform/Error.h"

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

// Connects a control's event to a window's handler through the guard.
template<typename Sender, typename Signal, typename Window>
void connectGuarded(ErrorGuard &guard, Sender *sender, Signal signal, Window *window,
                    void (Window::*handler)())
{
    QObject::connect(sender, signal, window,
                     [&guard, window, handler] { guard.run([&] { (window->*handler)(); }); });
}

} // namespace platform
