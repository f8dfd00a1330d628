// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/PictureSaver.h"

#include "platform/files/AtomicWrite.h"
#include "platform/system/Error.h"
#include "platform/system/Paths.h"

namespace platform {

void savePicture(const Picture &picture, const QString &path)
{
    if (picture.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("нет рисунка для сохранения"));
    if (isFolder(path))
        raise(errc::PathFileAccess, path);
    // Not QSaveFile: it cannot write a name that is not UTF-8.
    writeFileAtomically(path, picture.originalBytes());
}

} // namespace platform
