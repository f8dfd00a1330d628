// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {
class Workers;
}

// Whether the Save dialog handed back a name to save under: not empty, and
// not ending in the starting pattern "*." + ext (letter case counts). A
// dialog closed without a choice hands back one of those.
bool nameWasChosen(const QString &name, const QString &ext);

// The folder the Save dialog opens in: the program's own, unless the user
// may not save pictures there (an installed program's folder) or its disk
// does not answer within the time a check of a file is given; then the one
// open in the picker.
QString saveFolder(platform::Workers &workers, const QString &programFolder, const QString &pickerFolder);
