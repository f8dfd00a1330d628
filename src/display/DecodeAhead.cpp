// SPDX-License-Identifier: GPL-2.0-or-later
#include "display/DecodeAhead.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/files/FileIdentity.h"
#include "platform/pictures/HalfSize.h"
#include "platform/pictures/JpegDecoder.h"
#include "platform/pictures/PictureFile.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"

namespace display {

// What the owner and the decoding thread share; it lives until both have
// let go, and gives back its part of the budget then.
struct DecodeAhead::Job
{
    Job(QString file, QSize fit, QSize view, std::shared_ptr<std::atomic<qint64>> budgetInUse)
        : path(std::move(file)), fitWithin(fit), fittedView(view), inFlight(std::move(budgetInUse))
    {
    }
    ~Job() { *inFlight -= reserved; }

    const QString path;
    const QSize fitWithin;
    const QSize fittedView;
    std::atomic_bool dropped = false;
    std::shared_ptr<std::atomic<qint64>> inFlight;
    qint64 reserved = 0;

    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    std::optional<platform::FileIdentity> identity;
    platform::PicturePtr picture;
};

namespace {

// Enough of a file to find its kind and declared size, even behind a JPEG's
// large profile and camera segments.
constexpr qint64 HeaderBytes = 1024 * 1024;

// Takes `bytes` of the budget if they fit beside what is in flight.
bool reserve(DecodeAhead::Job &job, double bytes, qint64 budget)
{
    if (bytes > double(budget))
        return false; // also keeps absurd sizes out of the integer count
    const auto whole = qint64(bytes);
    if (job.inFlight->fetch_add(whole) + whole > budget) {
        *job.inFlight -= whole;
        return false;
    }
    job.reserved = whole;
    return true;
}

// The pixels a decode will hold: a JPEG for a fitted view comes reduced (the
// view's turn either way, as the orientation is not known yet), and the
// view's own reduced copy takes a quarter more at most.
double decodedBytes(platform::Picture::Kind kind, QSize size, const DecodeAhead::Job &job)
{
    if (kind == platform::Picture::Kind::Jpeg && !job.fitWithin.isEmpty()) {
        const int denominator = std::min(platform::jpegDenominatorFor(size, job.fitWithin),
                                         platform::jpegDenominatorFor(size, job.fitWithin.transposed()));
        size = platform::jpegScaledSize(size, denominator);
    }
    const double bytes = double(size.width()) * double(size.height()) * 4.0;
    return job.fittedView.isEmpty() ? bytes : bytes * 1.25;
}

platform::PicturePtr decode(DecodeAhead::Job &job, qint64 budget)
{
    try {
        // Raster pictures within the budget only, judged from the header
        // before the file is read: metafiles go through the converter
        // process, which is left to the step itself.
        const QByteArray head = platform::readPictureFileStart(job.path, HeaderBytes);
        const auto kind = platform::detectRasterKind(head);
        if (kind == platform::Picture::Kind::Empty || job.dropped)
            return nullptr;
        const QSize size = platform::declaredSize(kind, head);
        if (!size.isValid() || !reserve(job, decodedBytes(kind, size, job), budget))
            return nullptr;
        const QByteArray bytes = platform::readPictureFile(job.path);
        platform::PicturePtr picture =
            job.dropped ? nullptr : platform::decodeRaster(bytes, job.fitWithin, &job.dropped);
        if (!picture || job.fittedView.isEmpty() || job.dropped)
            return picture;
        QImage reduced = platform::reducedFor(picture->image(), job.fittedView);
        return reduced.isNull() ? picture
                                : std::make_shared<const platform::Picture>(*picture, std::move(reduced));
    } catch (...) {
        // A failed decode ahead is not used; the step reports the failure.
        return nullptr;
    }
}

void run(const std::shared_ptr<DecodeAhead::Job> &job, qint64 budget)
{
    // The identity is taken before reading: a file changed while it is read
    // then no longer matches and is read again by the step.
    auto identity = platform::fileIdentity(job->path);
    platform::PicturePtr picture = identity && !job->dropped ? decode(*job, budget) : nullptr;
    const std::lock_guard lock(job->mutex);
    job->identity = identity;
    job->picture = job->dropped ? nullptr : std::move(picture);
    job->finished = true;
    job->finishedChanged.notify_all();
}

void waitUntilFinished(DecodeAhead::Job &job)
{
    std::unique_lock lock(job.mutex);
    job.finishedChanged.wait(lock, [&] { return job.finished; });
}

} // namespace

DecodeAhead::DecodeAhead(qint64 budgetBytes) : budget_(budgetBytes)
{
}

DecodeAhead::~DecodeAhead()
{
    // A read stuck on a dead mount must not keep the program from ending:
    // the thread keeps what it needs and finishes, or not, on its own.
    start({});
}

void DecodeAhead::start(const QString &path, QSize fitWithin, QSize fittedView)
{
    if (job_)
        job_->dropped = true; // it stops at its next step; its result is not used
    job_.reset();
    if (path.isEmpty())
        return;
    job_ = std::make_shared<Job>(path, fitWithin, fittedView, inFlight_);
    std::thread([job = job_, budget = budget_] { run(job, budget); }).detach();
}

void DecodeAhead::wait()
{
    if (job_)
        waitUntilFinished(*job_);
}

platform::PicturePtr DecodeAhead::take(const QString &path, QSize fitWithin)
{
    const std::shared_ptr<Job> job = std::move(job_);
    if (!job)
        return nullptr;
    if (path.isEmpty() || path != job->path || fitWithin != job->fitWithin) {
        job->dropped = true;
        return nullptr;
    }
    waitUntilFinished(*job);
    // As a fresh read would find the file: the same version, and readable
    // now (permissions may have been taken away since it was decoded).
    if (!job->picture || job->identity != platform::fileIdentity(path)
        || !platform::canOpenForReading(path))
        return nullptr;
    return job->picture;
}

} // namespace display
