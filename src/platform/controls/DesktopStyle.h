// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

namespace platform {

// The platform's style with the desktop conventions the program's users
// know: pressing and letting go of Alt puts the menu bar in keyboard mode,
// so Alt, then a menu's underlined letter, opens it.
class DesktopStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};

} // namespace platform
