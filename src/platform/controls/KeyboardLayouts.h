// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

struct xkb_keymap;

namespace platform {

using KeymapPtr = std::unique_ptr<xkb_keymap, void (*)(xkb_keymap *)>;

// The keymap the X server holds now, with all its groups (layouts); null
// when the program does not run on X11.
KeymapPtr x11Keymap();

// The virtual-key code of an X11 key, as the desktop's own layouts make it:
// - a key that types a Latin letter in the active group is that letter
//   (AZERTY's W key is W);
// - a key that types a letter of another script (Cyrillic, Greek...) is the
//   Latin letter it types in the keymap's first Latin group, or, with no
//   Latin group at all, the letter at its place on a US keyboard;
// - digits and Delete go by their place, whatever the layout types there.
// `activeKeysym` is what the key types in the active group; `keymap` is
// asked for only when another group must be looked at.
int virtualKeyForX11Key(unsigned keycode, quint32 activeKeysym,
                        const std::function<KeymapPtr()> &keymap);

} // namespace platform
