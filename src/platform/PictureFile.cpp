#include "platform/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Error.h"
#include "platform/Prefault.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

QByteArray readPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        const bool folderExists = info.absoluteDir().exists();
        raise(folderExists ? errc::FileNotFound : errc::PathNotFound, path);
    }
    // Folders, pipes and devices are no picture files, and reading a pipe
    // could wait forever.
    if (!info.isFile())
        raise(errc::PathFileAccess, path);

    // Asked first: a refused open tells Qt's callers no more than "open error".
    if (!info.isReadable())
        raise(errc::PermissionDenied, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raise(errc::PathFileAccess, path);
    if (file.size() > MaxPictureFileBytes)
        raise(errc::OutOfMemory, path);

    QByteArray bytes(file.size(), Qt::Uninitialized);
    prefault(bytes.data(), std::size_t(bytes.size()));
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0 || file.error() != QFileDevice::NoError)
        raise(errc::PathFileAccess, path);
    bytes.resize(got); // the file may have shrunk meanwhile
    return bytes;
}

bool canOpenForReading(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace platform
