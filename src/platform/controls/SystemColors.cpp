// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/SystemColors.h"

#include <QApplication>
#include <QPalette>

namespace platform {

QColor systemColor(int number)
{
    const QPalette palette = QApplication::palette();
    switch (number) {
    case syscolor::MenuBackground: return palette.color(QPalette::Window);
    case syscolor::WindowBackground: return palette.color(QPalette::Base);
    case syscolor::ButtonFace: return palette.color(QPalette::Button);
    default: return palette.color(QPalette::Window);
    }
}

} // namespace platform
