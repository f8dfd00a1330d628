// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "platform/pictures/PictureFile.h"

namespace platform {

// The file reads that loading and decoding ahead make, in one place: the
// file system's own, or a stand-in that stalls as a dead network share
// does, for the tests of what the program does meanwhile.
struct PictureReads
{
    std::function<QByteArray(const QString &path)> whole = readPictureFile;
    std::function<QByteArray(const QString &path, qint64 bytes)> start = readPictureFileStart;
};

} // namespace platform
