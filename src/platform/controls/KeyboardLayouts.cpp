// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/KeyboardLayouts.h"

#include <QChar>
#include <QGuiApplication>

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/controls/VirtualKeys.h"

namespace platform {

namespace {

// The key at the US "A" place types a letter in every Latin layout (a on
// QWERTY and Dvorak, q on AZERTY): what tells a Latin group from others.
constexpr unsigned ReferenceKeycode = 38;

int latinLetter(xkb_keysym_t sym)
{
    if (sym >= XKB_KEY_a && sym <= XKB_KEY_z)
        return int(sym - XKB_KEY_a) + 'A';
    if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z)
        return int(sym - XKB_KEY_A) + 'A';
    return 0;
}

bool isLetterOfAnotherScript(xkb_keysym_t sym)
{
    const char32_t code = xkb_keysym_to_utf32(sym);
    if (code == 0 || code > 0xFFFF)
        return false;
    const QChar character{char16_t(code)};
    return character.isLetter() && character.script() != QChar::Script_Latin;
}

xkb_keysym_t firstLevelSym(xkb_keymap *keymap, unsigned keycode, xkb_layout_index_t group)
{
    const xkb_keysym_t *syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, group, 0, &syms);
    return count > 0 ? syms[0] : XKB_KEY_NoSymbol;
}

int letterInFirstLatinGroup(xkb_keymap *keymap, unsigned keycode)
{
    const xkb_layout_index_t groups = xkb_keymap_num_layouts(keymap);
    for (xkb_layout_index_t group = 0; group < groups; ++group) {
        if (latinLetter(firstLevelSym(keymap, ReferenceKeycode, group)) != 0)
            return latinLetter(firstLevelSym(keymap, keycode, group));
    }
    return -1; // no Latin group
}

bool isLetter(int virtualKey)
{
    return virtualKey >= 'A' && virtualKey <= 'Z';
}

} // namespace

KeymapPtr x11Keymap()
{
    KeymapPtr none(nullptr, xkb_keymap_unref);
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return none;
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return none;
    xcb_connection_t *connection = x11->connection();
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    xkb_keymap *keymap = device < 0 ? nullptr
        : xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    return KeymapPtr(keymap, xkb_keymap_unref);
}

int virtualKeyForX11Key(unsigned keycode, quint32 activeKeysym,
                        const std::function<KeymapPtr()> &keymap)
{
    if (const int letter = latinLetter(activeKeysym))
        return letter;
    const int byPlace = virtualKeyForX11Keycode(keycode);
    if (isLetterOfAnotherScript(activeKeysym)) {
        const KeymapPtr map = keymap();
        const int letter = map ? letterInFirstLatinGroup(map.get(), keycode) : -1;
        return letter >= 0 ? letter : byPlace;
    }
    // Neither a Latin letter nor another script's: a digit, Delete, or a
    // key that types no letter here (AZERTY's comma at the US "M" place).
    return isLetter(byPlace) ? 0 : byPlace;
}

} // namespace platform
