// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

namespace platform {

// One marker of a JPEG file and the data of its segment (none for markers
// that stand alone), cut off where the file ends.
struct JpegSegment
{
    uchar marker = 0;
    qsizetype at = 0;     // the segment's data, after its length
    qsizetype length = 0;
};

// The segment at or after `at`, which it then leaves past that segment:
// start at 2, after the start-of-image marker. Markers are found as
// libjpeg finds them, past stray bytes and fill bytes before them. Empty
// at the end of the file or at a length that cannot be.
std::optional<JpegSegment> nextJpegSegment(const QByteArray &bytes, qsizetype &at);

} // namespace platform
