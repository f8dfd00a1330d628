// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>

#include <atomic>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

namespace platform {

// How a decode with libjpeg ended.
enum class JpegOutcome { Decoded, Stopped, Failed, OutOfMemory };

// What libjpeg reports to while it decodes: its errors and its progress.
// An error, or a stop once `stop` is set, leaves by `jump` (set it before
// anything is asked of libjpeg) with `outcome` saying which. Warnings of
// corrupt data libjpeg can go on with are not errors: the picture is
// decoded as far as its data goes, as djpeg does.
struct JpegWatch
{
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    JpegOutcome outcome = JpegOutcome::Failed;
    const std::atomic_bool *stop = nullptr;
};

// How many scans of a picture of `size` are read before the rest of the
// file is taken for missing, as if the file ended there.
int jpegScanLimit(QSize size);

// Points `info`'s error handling at `watch`: before jpeg_create_decompress.
void reportTo(JpegWatch &watch, jpeg_decompress_struct &info);

// After jpeg_create_decompress: has `watch` follow the progress, and
// bounds what a file can make libjpeg do: the memory it takes for itself
// and the scans it reads.
void watchOver(JpegWatch &watch, jpeg_decompress_struct &info);

} // namespace platform
