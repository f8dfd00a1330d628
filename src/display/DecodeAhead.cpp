#include "display/DecodeAhead.h"

#include <QtConcurrent/QtConcurrentRun>

#include "platform/Error.h"
#include "platform/PictureFile.h"
#include "platform/RasterDecoder.h"

namespace display {

namespace {

DecodeAhead::Result decode(const QString &path, qint64 budget)
{
    // The identity is taken before reading: a file changed while it is read
    // then no longer matches and is read again by the step.
    DecodeAhead::Result result{platform::fileIdentity(path), nullptr};
    if (!result.identity)
        return result;
    try {
        const QByteArray bytes = platform::readPictureFile(path);
        // Raster pictures only: metafiles go through the converter process,
        // which is left to the step itself.
        const auto kind = platform::detectRasterKind(bytes);
        if (kind == platform::Picture::Kind::Empty)
            return result;
        const QSize size = platform::declaredSize(kind, bytes);
        if (!size.isValid() || qint64(size.width()) * size.height() * 4 > budget)
            return result;
        result.picture = platform::decodeRaster(bytes);
    } catch (...) {
        // A failed decode ahead is not used; the step reports the failure.
    }
    return result;
}

} // namespace

DecodeAhead::DecodeAhead(qint64 budgetBytes) : budget_(budgetBytes) {}

DecodeAhead::~DecodeAhead()
{
    wait();
}

void DecodeAhead::start(const QString &path)
{
    path_ = path;
    if (path.isEmpty()) {
        pending_ = {};
        return;
    }
    pending_ = QtConcurrent::run([path, budget = budget_] { return decode(path, budget); });
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
    if (!result.picture || result.identity != platform::fileIdentity(path))
        return nullptr;
    return result.picture;
}

} // namespace display
