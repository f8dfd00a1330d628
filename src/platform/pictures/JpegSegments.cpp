// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/JpegSegments.h"

#include <QtEndian>

namespace platform {

namespace {

bool standsAlone(uchar marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
}

} // namespace

std::optional<JpegSegment> nextJpegSegment(const QByteArray &bytes, qsizetype &at)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (;;) {
        while (at < size && data[at] != 0xFF)
            ++at;
        while (at < size && data[at] == 0xFF)
            ++at;
        if (at >= size)
            return std::nullopt;
        const uchar marker = data[at++];
        if (marker == 0x00) // an escaped 0xFF byte of coded data
            continue;
        if (standsAlone(marker))
            return JpegSegment{marker, at, 0};
        if (at + 2 > size)
            return std::nullopt;
        const qsizetype length = qFromBigEndian<quint16>(data + at);
        if (length < 2)
            return std::nullopt;
        const JpegSegment segment{marker, at + 2, std::min(length - 2, size - at - 2)};
        at += length;
        return segment;
    }
}

} // namespace platform
