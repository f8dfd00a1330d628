// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Qt's own file dialog cannot name a file whose name is not UTF-8: it
// decodes the name with U+FFFD for its bytes, and the path it hands back
// names no file (Qt 6.4 even leaves such names out of its lists). This is
// the path the user meant: each component of an absolute path that is not
// there as written is taken for the one entry of its folder that reads so,
// as the program shows it (displayPath) or as Qt decodes it. A component
// that matches no entry, or more than one, stays as written.
QString pathChosenInQt(const QString &chosen);

} // namespace platform
