// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform {

// A file name on disk is any string of bytes; the program holds it as a
// QString. Valid UTF-8 is decoded as usual. Each byte of a sequence that is
// not valid UTF-8 becomes a lone surrogate U+DC80..U+DCFF of its own (a
// "surrogate escape"), which no valid name can contain, so every name comes
// back to exactly its bytes. Qt's own conversion puts U+FFFD in their place,
// and the name then names no file at all.
QString decodeFileName(QByteArrayView bytes);

// The bytes of a name or path for the system: escapes back to their bytes,
// everything else as UTF-8.
QByteArray encodeFileName(const QString &name);

// Whether the name holds an escaped byte, i.e. is not valid UTF-8 on disk.
bool hasEscapedBytes(const QString &name);

} // namespace platform
