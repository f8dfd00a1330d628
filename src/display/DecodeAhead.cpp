// SPDX-License-Identifier: GPL-2.0-or-later
#include "display/DecodeAhead.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "platform/files/FileIdentity.h"
#include "platform/pictures/HalfSize.h"
#include "platform/pictures/JpegDecoder.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"
#include "platform/system/Workers.h"

namespace display {

// What the owner (or the load that took it over) and the worker share; it
// lives until both have let go, and gives back its part of the budget then.
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
    std::shared_ptr<platform::Workers::Task> task;
    std::shared_ptr<std::atomic<qint64>> inFlight;
    qint64 reserved = 0;

    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    bool cancelled = false;
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

// The memory a decode will hold: the file's bytes, and the pixels. A JPEG
// for a fitted view comes reduced (the view's turn either way, as the
// orientation is not known yet), and the view's own reduced copy takes a
// quarter more at most.
double decodeBytes(platform::Picture::Kind kind, QSize size, qint64 fileBytes, const DecodeAhead::Job &job)
{
    if (kind == platform::Picture::Kind::Jpeg && !job.fitWithin.isEmpty()) {
        const int denominator = std::min(platform::jpegDenominatorFor(size, job.fitWithin),
                                         platform::jpegDenominatorFor(size, job.fitWithin.transposed()));
        size = platform::jpegScaledSize(size, denominator);
    }
    const double pixels = double(size.width()) * double(size.height()) * 4.0;
    return double(fileBytes) + (job.fittedView.isEmpty() ? pixels : pixels * 1.25);
}

platform::PicturePtr decode(DecodeAhead::Job &job, const platform::PictureReads &reads, qint64 fileBytes,
                            qint64 budget, const std::atomic_bool &dropped)
{
    try {
        // Raster pictures within the budget only, judged from the header
        // before the file is read: metafiles go through the converter
        // process, which is left to the step itself.
        const QByteArray head = reads.start(job.path, HeaderBytes);
        const auto kind = platform::detectRasterKind(head);
        if (kind == platform::Picture::Kind::Empty || dropped)
            return nullptr;
        const QSize size = platform::declaredSize(kind, head);
        if (!size.isValid() || !reserve(job, decodeBytes(kind, size, fileBytes, job), budget))
            return nullptr;
        const QByteArray bytes = reads.whole(job.path);
        platform::PicturePtr picture = dropped ? nullptr : platform::decodeRaster(bytes, job.fitWithin, &dropped);
        if (!picture || job.fittedView.isEmpty() || dropped)
            return picture;
        QImage reduced = platform::reducedFor(picture->image(), job.fittedView);
        return reduced.isNull() ? picture
                                : std::make_shared<const platform::Picture>(*picture, std::move(reduced));
    } catch (...) {
        // A failed decode ahead is not used; the step reports the failure.
        return nullptr;
    }
}

void finishWith(DecodeAhead::Job &job, std::optional<platform::FileIdentity> identity,
                platform::PicturePtr picture)
{
    const std::lock_guard lock(job.mutex);
    job.identity = identity;
    job.picture = job.cancelled ? nullptr : std::move(picture);
    job.finished = true;
    job.finishedChanged.notify_all();
}

void run(DecodeAhead::Job &job, const platform::PictureReads &reads, qint64 budget,
         const std::atomic_bool &dropped)
{
    // The identity is taken before reading: a file changed while it is read
    // then no longer matches and is read again by the step.
    auto identity = platform::fileIdentity(job.path);
    platform::PicturePtr picture = identity && !dropped ? decode(job, reads, identity->size, budget, dropped) : nullptr;
    finishWith(job, identity, std::move(picture));
}

} // namespace

DecodeAhead::DecodeAhead(platform::Workers &workers, platform::PictureReads reads, qint64 budgetBytes)
    : workers_(workers), reads_(std::move(reads)), budget_(budgetBytes)
{
}

DecodeAhead::~DecodeAhead()
{
    // A read stuck on a dead mount must not keep the program from ending:
    // the worker keeps what it needs and finishes, or not, on its own.
    start({});
}

void DecodeAhead::start(const QString &path, QSize fitWithin, QSize fittedView)
{
    if (job_)
        cancel(*job_); // it stops at its next step; its result is not used
    job_.reset();
    if (path.isEmpty())
        return;
    auto job = std::make_shared<Job>(path, fitWithin, fittedView, inFlight_);
    job->task = workers_.submit(
        [job, reads = reads_, budget = budget_](const platform::Workers::Task &task) {
            run(*job, reads, budget, task.flag());
        },
        [job] { finishWith(*job, std::nullopt, nullptr); });
    job_ = std::move(job);
}

void DecodeAhead::cancel(Job &job)
{
    job.task->cancel();
    const std::lock_guard lock(job.mutex);
    job.cancelled = true;
    job.finishedChanged.notify_all();
}

void DecodeAhead::wait()
{
    if (!job_)
        return;
    std::unique_lock lock(job_->mutex);
    job_->finishedChanged.wait(lock, [&] { return job_->finished; });
}

std::shared_ptr<DecodeAhead::Job> DecodeAhead::adopt(const QString &path, QSize fitWithin)
{
    std::shared_ptr<Job> job = std::move(job_);
    if (job && (path.isEmpty() || path != job->path || fitWithin != job->fitWithin)) {
        cancel(*job);
        return nullptr;
    }
    return job;
}

platform::PicturePtr DecodeAhead::finish(Job &job, std::optional<platform::FileIdentity> *readFrom)
{
    platform::PicturePtr picture;
    std::optional<platform::FileIdentity> identity;
    {
        std::unique_lock lock(job.mutex);
        job.finishedChanged.wait(lock, [&] { return job.finished || job.cancelled; });
        if (job.cancelled)
            return nullptr;
        picture = job.picture;
        identity = job.identity;
    }
    // As a fresh read would find the file: the same version, and readable
    // now (permissions may have been taken away since it was decoded).
    if (!picture || identity != platform::fileIdentity(job.path) || !platform::canOpenForReading(job.path))
        return nullptr;
    if (readFrom)
        *readFrom = identity;
    return picture;
}

platform::PicturePtr DecodeAhead::take(const QString &path, QSize fitWithin)
{
    const std::shared_ptr<Job> job = adopt(path, fitWithin);
    return job ? finish(*job) : nullptr;
}

} // namespace display
