// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/JpegWatch.h"

#include <algorithm>

#include <jerror.h>

#include "platform/pictures/PictureLimits.h"

namespace platform {

namespace {

// Real progressive files have ten scans or so, rarely a few dozen. Each
// scan is a pass over the whole picture, however little data it holds, so
// a hostile file of thousands of tiny scans would keep the decoder busy for
// minutes. The passes are bounded to a second's worth of pixels or so, but
// never to fewer scans than a real file may have.
constexpr int MinScans = 32;
constexpr int MaxScans = 500;
constexpr double ScanPixels = 3.0 * (1 << 30);

JpegWatch &watchOf(j_common_ptr info)
{
    return *static_cast<JpegWatch *>(info->client_data);
}

extern "C" void leaveOnError(j_common_ptr info)
{
    JpegWatch &watch = watchOf(info);
    const int code = info->err->msg_code;
    watch.outcome = code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? JpegOutcome::OutOfMemory
                                                                                : JpegOutcome::Failed;
    std::longjmp(watch.jump, 1);
}

// A scan cut short, a segment longer than its length says, stray bytes
// before a marker: djpeg warns and shows the picture, and so do we.
extern "C" void ignoreMessage(j_common_ptr, int) {}

// Called between groups of rows, and while a file of several scans is
// read in before its first row.
extern "C" void followProgress(j_common_ptr common)
{
    JpegWatch &watch = watchOf(common);
    if (watch.stop && *watch.stop) {
        watch.outcome = JpegOutcome::Stopped;
        std::longjmp(watch.jump, 1);
    }
    // The source then says it has reached its end, as it does for a file
    // cut short: the picture is what the scans before gave.
    auto *info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > jpegScanLimit(QSize(int(info->image_width), int(info->image_height))))
        info->src->bytes_in_buffer = 0;
}

} // namespace

int jpegScanLimit(QSize size)
{
    const double pixels = std::max(1.0, double(size.width()) * double(size.height()));
    return int(std::clamp(ScanPixels / pixels, double(MinScans), double(MaxScans)));
}

void reportTo(JpegWatch &watch, jpeg_decompress_struct &info)
{
    info.err = jpeg_std_error(&watch.errors);
    watch.errors.error_exit = leaveOnError;
    watch.errors.emit_message = ignoreMessage;
    info.client_data = &watch;
}

void watchOver(JpegWatch &watch, jpeg_decompress_struct &info)
{
    watch.progress = {};
    watch.progress.progress_monitor = followProgress;
    info.progress = &watch.progress;
    // Beyond this, a progressive picture's coefficients are refused as out
    // of memory rather than taken from the system.
    info.mem->max_memory_to_use = long(MaxDecodedBytes);
}

} // namespace platform
