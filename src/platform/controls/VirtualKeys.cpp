// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/controls/KeyboardLayouts.h"

namespace platform {

namespace {

// Keys by their place on the keyboard, as the X server numbers them.
constexpr struct
{
    unsigned keycode;
    int virtualKey;
} X11Keys[] = {
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'}, {17, '8'},
    {18, '9'}, {19, '0'},
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'},
    {32, 'O'}, {33, 'P'},
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'},
    {46, 'L'},
    {52, 'Z'}, {53, 'X'}, {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
    {119, vk::Delete},
};

// From Qt's key for platforms that report no usable scan code.
int virtualKeyForQtKey(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // Qt's codes for these are their ASCII codes
    if (key == Qt::Key_Delete)
        return vk::Delete;
    return 0;
}

} // namespace

int virtualKeyForX11Keycode(unsigned keycode)
{
    for (const auto &key : X11Keys) {
        if (key.keycode == keycode)
            return key.virtualKey;
    }
    return 0;
}

int virtualKeyCode(const QKeyEvent &event, const std::function<KeymapPtr()> &keymap)
{
#ifdef Q_OS_WIN
    Q_UNUSED(keymap);
    return int(event.nativeVirtualKey());
#else
    // X11 and Wayland both report the evdev code plus 8.
    const QString platform = QGuiApplication::platformName();
    if ((platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        && event.nativeScanCode() != 0) {
        // The numeric keypad's Delete has a keycode of its own.
        if (event.key() == Qt::Key_Delete)
            return vk::Delete;
        // Qt's native virtual key on X11 is the keysym of the active group.
        return virtualKeyForX11Key(event.nativeScanCode(), event.nativeVirtualKey(), keymap);
    }
    return virtualKeyForQtKey(event.key());
#endif
}

int shiftState(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= shift::Shift;
    if (modifiers & Qt::ControlModifier)
        state |= shift::Ctrl;
    if (modifiers & Qt::AltModifier)
        state |= shift::Alt;
    return state;
}

} // namespace platform
