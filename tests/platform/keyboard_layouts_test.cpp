// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon.h>

#include "platform/controls/KeyboardLayouts.h"

using platform::KeymapPtr;

TEST(KeyboardLayouts, LettersFollowTheActiveLatinLayoutElseTheFirstLatinOne)
{
    // The keycode is the key's place: 57 is N on a US keyboard.
    const struct { const char *layout, *variant; unsigned activeGroup, keycode; int virtualKey; } cases[] = {
        {"us", "", 0, 57, 'N'},
        {"fr", "", 0, 52, 'W'}, // AZERTY: W where US has Z
        {"fr", "", 0, 58, 0},   // a comma where US has M
        {"fr", "", 0, 10, '1'}, // digits by place, though "&" is typed
        {"us", "dvorak", 0, 57, 'B'},
        {"us,ru", "", 1, 57, 'N'}, // Russian active: the US group's letter
        {"ru,fr", "", 0, 24, 'A'}, // ... the first Latin group's, AZERTY here
        {"ru", "", 0, 52, 'Z'},    // no Latin group: the US place
    };
    for (const auto &c : cases) {
        // A keymap as the X server would hold it after `setxkbmap LAYOUT -variant VARIANT`.
        xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{"evdev", "pc105", c.layout, c.variant, nullptr};
        const KeymapPtr keymap(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
                               xkb_keymap_unref);
        xkb_context_unref(context);
        ASSERT_TRUE(keymap) << c.layout;
        const xkb_keysym_t *syms = nullptr;
        ASSERT_GT(xkb_keymap_key_get_syms_by_level(keymap.get(), c.keycode, c.activeGroup, 0, &syms), 0);
        const auto current = [&] { return KeymapPtr(xkb_keymap_ref(keymap.get()), xkb_keymap_unref); };
        EXPECT_EQ(platform::virtualKeyForX11Key(c.keycode, syms[0], current), c.virtualKey)
            << c.layout << " " << c.variant << " keycode " << c.keycode;
    }
}
