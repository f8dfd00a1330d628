// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_files/save_name.h"

bool nameWasChosen(const QString &name, const QString &ext)
{
    return !name.isEmpty() && !name.endsWith(QStringLiteral("*.") + ext, Qt::CaseSensitive);
}
