#include "display/DecodeAhead.h"

#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

#include "platform/Error.h"
#include "platform/PictureFile.h"
#include "platform/RasterDecoder.h"

namespace display {

namespace {

// Enough of a file to find its kind and declared size.
constexpr qint64 HeaderBytes = 256 * 1024;

QByteArray header(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(HeaderBytes) : QByteArray();
}

DecodeAhead::Result decode(const QString &path, qint64 budget, const std::atomic_bool &dropped)
{
    // The identity is taken before reading: a file changed while it is read
    // then no longer matches and is read again by the step.
    DecodeAhead::Result result{platform::fileIdentity(path), nullptr};
    // Only plain files: opening a pipe would wait for a writer for good.
    if (!result.identity || dropped || !QFileInfo(path).isFile())
        return result;
    try {
        // Raster pictures within the budget only, judged from the header
        // before the file is read: metafiles go through the converter
        // process, which is left to the step itself.
        const QByteArray head = header(path);
        const auto kind = platform::detectRasterKind(head);
        if (kind == platform::Picture::Kind::Empty)
            return result;
        const QSize size = platform::declaredSize(kind, head);
        if (!size.isValid() || qint64(size.width()) * size.height() * 4 > budget || dropped)
            return result;
        const QByteArray bytes = platform::readPictureFile(path);
        if (!dropped)
            result.picture = platform::decodeRaster(bytes);
    } catch (...) {
        // A failed decode ahead is not used; the step reports the failure.
    }
    return result;
}

} // namespace

DecodeAhead::DecodeAhead(qint64 budgetBytes) : budget_(budgetBytes)
{
    pool_.setMaxThreadCount(2);
}

DecodeAhead::~DecodeAhead()
{
    wait();
}

void DecodeAhead::start(const QString &path)
{
    // A decode already running cannot be stopped midway, but it stops at
    // its next step and its result is dropped.
    *dropped_ = true;
    dropped_ = std::make_shared<std::atomic_bool>(false);
    path_ = path;
    if (path.isEmpty()) {
        pending_ = {};
        return;
    }
    pending_ = QtConcurrent::run(&pool_, [path, budget = budget_, dropped = dropped_] {
        return decode(path, budget, *dropped);
    });
}

void DecodeAhead::wait()
{
    pending_.waitForFinished();
}

platform::PicturePtr DecodeAhead::take(const QString &path)
{
    if (path.isEmpty() || path != path_ || !pending_.isValid()) {
        path_.clear();
        return nullptr;
    }
    const Result result = pending_.result();
    path_.clear();
    pending_ = {};
    // As a fresh read would find the file: the same version, and readable
    // now (permissions may have been taken away since it was decoded).
    if (!result.picture || result.identity != platform::fileIdentity(path)
        || !platform::canOpenForReading(path))
        return nullptr;
    return result.picture;
}

} // namespace display
