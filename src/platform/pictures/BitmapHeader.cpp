// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BitmapHeader.h"

#include <QtEndian>

#include <array>
#include <cstring>

#include "platform/pictures/ByteFields.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

constexpr quint32 CoreHeaderBytes = 12;     // OS/2 1.x
constexpr quint32 LargestHeaderBytes = 124; // Windows 98 and later

// Header sizes in use: OS/2 1.x; OS/2 2.x, which may stop after any field
// from 16 to 64 bytes (Windows 3's 40 and Adobe's 52 and 56 among them);
// Windows 95 and 98.
bool knownHeaderSize(quint32 size)
{
    return size == CoreHeaderBytes || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

// An info header's fields. Those past a shorter version's end read as
// zero, which is what they mean there.
class HeaderFields
{
public:
    HeaderFields(const QByteArray &bytes, qint64 at, quint32 size)
    {
        std::memcpy(fields_.data(), bytes.constData() + at, std::min(size, LargestHeaderBytes));
    }

    template<typename T>
    T at(int offset) const
    {
        return qFromLittleEndian<T>(fields_.data() + offset);
    }

private:
    std::array<uchar, LargestHeaderBytes> fields_{};
};

// Headers whose bytes from 40 on hold channel masks rather than OS/2 2.x
// fields.
bool masksInHeader(quint32 size)
{
    return size == 52 || size == 56 || size == 108 || size == 124;
}

BitmapCoding codingOf(quint32 compression, int bits)
{
    switch (compression) {
    case 0: return BitmapCoding::Plain;
    case 1: return BitmapCoding::Rle8;
    case 2: return BitmapCoding::Rle4;
    // OS/2 2.x gives 3 and 4 other meanings; each of those applies to one
    // depth only, so the depth tells which is meant.
    case 3: return bits == 1 ? BitmapCoding::Huffman1D : BitmapCoding::BitFields;
    case 4: return bits == 24 ? BitmapCoding::Rle24 : BitmapCoding::Jpeg;
    case 5: return BitmapCoding::Png;
    case 6: return BitmapCoding::BitFields; // with an alpha mask
    default: refuseBitmap();
    }
}

bool depthFits(BitmapCoding coding, int bits)
{
    switch (coding) {
    case BitmapCoding::Plain:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24
            || bits == 32 || bits == 64;
    case BitmapCoding::BitFields: return bits == 16 || bits == 32;
    case BitmapCoding::Rle8: return bits == 8;
    case BitmapCoding::Rle4: return bits == 4;
    case BitmapCoding::Rle24:
    case BitmapCoding::Huffman1D:
    case BitmapCoding::Jpeg:
    case BitmapCoding::Png: return true;
    }
    return false;
}

ChannelMasks defaultMasks(int bits)
{
    if (bits == 16)
        return {0x7c00, 0x03e0, 0x001f, 0}; // 5-5-5, the top bit unused
    return {0x00ff0000, 0x0000ff00, 0x000000ff, 0};
}

// The masks of a bit-fields bitmap: in the header of the versions that have
// them there, else right after it (three, or four with alpha). Returns the
// bytes they take after the header.
qint64 readMasks(const QByteArray &bytes, const HeaderFields &fields, qint64 headerEnd,
                 quint32 headerSize, quint32 compression, int bits, ChannelMasks &masks)
{
    qint64 after = 0;
    if (masksInHeader(headerSize)) {
        masks = {fields.at<quint32>(40), fields.at<quint32>(44), fields.at<quint32>(48),
                 headerSize >= 56 ? fields.at<quint32>(52) : 0};
    } else {
        after = compression == 6 ? 16 : 12;
        if (headerEnd + after > bytes.size())
            refuseBitmap();
        masks = {fieldAt<quint32>(bytes, headerEnd), fieldAt<quint32>(bytes, headerEnd + 4),
                 fieldAt<quint32>(bytes, headerEnd + 8),
                 after == 16 ? fieldAt<quint32>(bytes, headerEnd + 12) : 0};
    }
    // Masks left empty were meant as the depth's usual ones, not as black.
    if ((masks.red | masks.green | masks.blue) == 0) {
        const quint32 alpha = masks.alpha;
        masks = defaultMasks(bits);
        masks.alpha = alpha;
    }
    return after;
}

// Places the colour table and the pixels. A file header's pixel offset is
// trusted where it leaves room for the table the header states; a table
// stated only by the depth may be cut short by it (OS/2 files do that).
void placeTable(const QByteArray &bytes, qint64 tableAt, int entryBytes, quint32 colorsUsed,
                qint64 declaredPixelsAt, BitmapHeader &header)
{
    const bool paletted = header.bitsPerPixel <= 8 && header.coding != BitmapCoding::Jpeg
        && header.coding != BitmapCoding::Png;
    const qint64 depthColors = paletted ? qint64(1) << header.bitsPerPixel : 0;
    const bool stated = colorsUsed != 0 && colorsUsed <= depthColors;
    qint64 entries = stated ? colorsUsed : depthColors;
    const qint64 tableEnd = tableAt + entries * entryBytes;
    if (declaredPixelsAt >= tableEnd) {
        header.pixelsAt = declaredPixelsAt;
    } else if (declaredPixelsAt >= tableAt) {
        if (!stated)
            entries = (declaredPixelsAt - tableAt) / entryBytes;
        header.pixelsAt = stated ? tableEnd : declaredPixelsAt;
    } else {
        // No usable offset: the pixels follow the whole table, which may be
        // longer than the depth needs, and is there even for deep pixels.
        const qint64 stored = colorsUsed != 0 ? qint64(colorsUsed) : depthColors;
        header.pixelsAt = tableAt + stored * entryBytes;
    }
    if (tableAt + entries * entryBytes > bytes.size() || header.pixelsAt >= bytes.size())
        refuseBitmap();
    header.palette.reserve(std::size_t(entries));
    for (qint64 i = 0; i < entries; ++i) {
        const auto *bgr = reinterpret_cast<const uchar *>(bytes.constData()) + tableAt + i * entryBytes;
        header.palette.push_back(qRgb(bgr[2], bgr[1], bgr[0]));
    }
}

} // namespace

qint64 bitmapRowBytes(int width, int bitsPerPixel)
{
    return (qint64(width) * bitsPerPixel + 31) / 32 * 4;
}

void refuseBitmap()
{
    raise(errc::InvalidPicture, QStringLiteral("файл повреждён или не поддерживается"));
}

BitmapHeader readBitmapHeader(const QByteArray &bytes, qint64 at, qint64 declaredPixelsAt)
{
    if (at < 0 || at + 4 > bytes.size())
        refuseBitmap();
    const quint32 size = fieldAt<quint32>(bytes, at);
    if (!knownHeaderSize(size) || at + size > bytes.size())
        refuseBitmap();
    const HeaderFields fields(bytes, at, size);
    const bool core = size == CoreHeaderBytes;

    BitmapHeader header;
    const qint64 width = core ? fields.at<quint16>(4) : fields.at<qint32>(4);
    const qint64 height = core ? fields.at<quint16>(6) : fields.at<qint32>(8);
    const int planes = fields.at<quint16>(core ? 8 : 12);
    header.bitsPerPixel = fields.at<quint16>(core ? 10 : 14);
    const quint32 compression = core ? 0 : fields.at<quint32>(16);
    if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1)
        refuseBitmap();
    header.width = int(width);
    header.height = int(qAbs(height));
    header.topDown = height < 0;
    header.coding = codingOf(compression, header.bitsPerPixel);
    if (!depthFits(header.coding, header.bitsPerPixel))
        refuseBitmap();
    header.dotsPerMeterX = std::max(0, fields.at<qint32>(24));
    header.dotsPerMeterY = std::max(0, fields.at<qint32>(28));

    header.masks = defaultMasks(header.bitsPerPixel);
    qint64 tableAt = at + size;
    if (header.coding == BitmapCoding::BitFields)
        tableAt += readMasks(bytes, fields, tableAt, size, compression, header.bitsPerPixel, header.masks);
    placeTable(bytes, tableAt, core ? 3 : 4, fields.at<quint32>(32), declaredPixelsAt, header);
    return header;
}

} // namespace platform
