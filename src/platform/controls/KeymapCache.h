// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>
#include <memory>

#include "platform/controls/KeyboardLayouts.h"

namespace platform {

// The X server's keymap, kept between key presses. Fetching it costs a
// round trip and a keymap compile, too much for every auto-repeat of a
// held key; it is fetched again only after the server reports a new one
// (setxkbmap, another keyboard plugged in).
class KeymapCache : public QAbstractNativeEventFilter
{
public:
    // Keeps what `fetch` returns until an XKB event, numbered from
    // `xkbFirstEvent` on the connection, reports a new keymap.
    KeymapCache(std::function<KeymapPtr()> fetch, int xkbFirstEvent);

    // A cache of the application's X server keymap, watching its events
    // for changes. Off X11 it holds nothing, as there is no keymap to fetch.
    static std::unique_ptr<KeymapCache> forApplication();

    // Another reference to the kept keymap, fetched first if need be.
    KeymapPtr keymap();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::function<KeymapPtr()> fetch_;
    int xkbFirstEvent_;
    KeymapPtr keymap_;
};

} // namespace platform
