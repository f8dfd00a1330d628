// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// The text that shows a path (or a single name) to the user. A component
// that is valid UTF-8 on disk is shown as it is. One that is not (a name
// from an old archive) is shown whole as Windows-1251, the encoding such
// names nearly always have for this program's Russian-speaking users: so
// "\xcf\xf0\xe8\xe2\xe5\xf2.bmp" reads "Привет.bmp", not a row of U+FFFD,
// and the same name reads the same in the lists, the folder box, the title
// and every message. Byte 0x98, which Windows-1251 leaves undefined, shows
// as U+FFFD. The text is for reading only: the program keeps the real name.
QString displayPath(const QString &path);

} // namespace platform
