// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Largest picture file read into memory; larger ones are refused as out of
// memory rather than risking the machine's memory on one file.
inline constexpr qint64 MaxPictureFileBytes = qint64(1) << 30;

// Reads a whole picture file, turning every file-system failure into the
// matching Error (not found, path not found, permission denied, ...). Only
// plain files: folders, pipes and devices are "path/file access error", and
// reading one never waits for a writer.
QByteArray readPictureFile(const QString &path);
// The same for the file's first `bytes` bytes (all of a shorter file).
QByteArray readPictureFileStart(const QString &path, qint64 bytes);

// Whether the file can be opened for reading now. Never waits: a pipe or a
// device put in the file's place is not waited for.
bool canOpenForReading(const QString &path);

} // namespace platform
