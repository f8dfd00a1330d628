// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "platform/pictures/Picture.h"

namespace platform {

// Writes a picture in the encoding it was loaded from: the file's original
// bytes, whatever the new name's extension. The new file replaces an
// existing one only once it is complete, so a failed save leaves the old
// file untouched and no half-written file behind. The empty picture cannot
// be saved.
void savePicture(const Picture &picture, const QString &path);

} // namespace platform
