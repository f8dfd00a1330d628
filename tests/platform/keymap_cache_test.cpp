// SPDX-License-Identifier: GPL-2.0-or-later
#include <QByteArray>

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/controls/KeymapCache.h"

using platform::KeymapCache;
using platform::KeymapPtr;

TEST(KeymapCache, FetchesAgainOnlyAfterTheServerReportsANewKeymap)
{
    constexpr uint8_t Xkb = 85; // where this server numbers XKB's events
    // xkbType in XKB's own numbers.
    const struct { const char *event; uint8_t type, xkbType; int fetches; } cases[] = {
        {"new keyboard", Xkb, 0, 2},
        {"map changed", Xkb, 1, 2},
        {"state changed", Xkb, 2, 1}, // every modifier press sends one
        {"key press", XCB_KEY_PRESS, 1, 1},
    };
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", "us", "", nullptr};
    const KeymapPtr us(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
                       xkb_keymap_unref);
    xkb_context_unref(context);
    ASSERT_TRUE(us);
    for (const auto &c : cases) {
        int fetches = 0;
        KeymapCache cache([&] { ++fetches; return KeymapPtr(xkb_keymap_ref(us.get()), xkb_keymap_unref); },
                          Xkb);
        cache.keymap();
        xcb_generic_event_t event{};
        event.response_type = c.type;
        event.pad0 = c.xkbType;
        EXPECT_FALSE(cache.nativeEventFilter("xcb_generic_event_t", &event, nullptr)) << c.event;
        cache.keymap();
        EXPECT_EQ(cache.keymap().get(), us.get()) << c.event;
        EXPECT_EQ(fetches, c.fetches) << c.event;
    }
}
