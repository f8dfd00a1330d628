// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/DesktopStyle.h"

namespace platform {

int DesktopStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_MenuBar_AltKeyNavigation)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace platform
