#include "platform/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/mman.h>

#include "platform/Error.h"

namespace platform {

namespace {

// Asks the kernel to back a large buffer with memory in one go: touching
// it page by page while reading costs far more than the read itself.
void prefault(QByteArray &buffer)
{
#ifdef MADV_POPULATE_WRITE
    constexpr uintptr_t page = 4096;
    const auto begin = (reinterpret_cast<uintptr_t>(buffer.data()) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<uintptr_t>(buffer.data()) + buffer.size()) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(buffer);
#endif
}

} // namespace

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
    prefault(bytes);
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0 || file.error() != QFileDevice::NoError)
        raise(errc::PathFileAccess, path);
    bytes.resize(got); // the file may have shrunk meanwhile
    return bytes;
}

} // namespace platform
