// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/KeymapCache.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

// The XKB header names a member "explicit", a word C++ keeps for itself.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace platform {

namespace {

// Event numbers are 0 to 127 once the "sent by a client" bit is off.
constexpr int NoEvents = -1;

} // namespace

KeymapCache::KeymapCache(std::function<KeymapPtr()> fetch, int xkbFirstEvent)
    : fetch_(std::move(fetch)), xkbFirstEvent_(xkbFirstEvent), keymap_(nullptr, xkb_keymap_unref)
{
}

std::unique_ptr<KeymapCache> KeymapCache::forApplication()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Qt has asked for the extension already, so this is no round trip.
    const xcb_query_extension_reply_t *xkb = x11 && x11->connection()
        ? xcb_get_extension_data(x11->connection(), &xcb_xkb_id) : nullptr;
    if (!xkb || !xkb->present)
        return std::make_unique<KeymapCache>(x11Keymap, NoEvents);
    auto cache = std::make_unique<KeymapCache>(x11Keymap, xkb->first_event);
    // The filter takes itself off when the cache is destroyed.
    qGuiApp->installNativeEventFilter(cache.get());
    return cache;
}

KeymapPtr KeymapCache::keymap()
{
    // A failed fetch is not kept: the next key tries again.
    if (!keymap_)
        keymap_ = fetch_();
    return KeymapPtr(keymap_ ? xkb_keymap_ref(keymap_.get()) : nullptr, xkb_keymap_unref);
}

bool KeymapCache::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // All of XKB's events share one number; their own type is the second
    // byte. Qt selects these on its connection for its own keymap. State
    // notifications come with every modifier and group change and leave
    // the keymap as it is.
    const bool xkbEvent = (event->response_type & ~0x80) == xkbFirstEvent_;
    if (xkbEvent && (event->pad0 == XCB_XKB_NEW_KEYBOARD_NOTIFY || event->pad0 == XCB_XKB_MAP_NOTIFY))
        keymap_.reset();
    return false; // Qt's keyboard needs the event too
}

} // namespace platform
