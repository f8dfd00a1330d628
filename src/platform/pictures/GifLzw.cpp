// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/GifLzw.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr int MaxCodeBits = 12;
constexpr int TableSize = 1 << MaxCodeBits;

// The codes, least significant bit first, of data split into sub-blocks
// of up to 255 bytes, each after its length.
class CodeReader
{
public:
    CodeReader(const QByteArray &bytes, qsizetype at)
        : data_(reinterpret_cast<const uchar *>(bytes.constData())), size_(bytes.size()), at_(at)
    {
    }

    // -1 at the end of the data.
    int read(int bits)
    {
        while (held_ < bits) {
            if (blockLeft_ == 0) {
                if (at_ >= size_ || data_[at_] == 0)
                    return -1;
                blockLeft_ = data_[at_++];
            }
            if (at_ >= size_)
                return -1;
            buffer_ |= quint32(data_[at_++]) << held_;
            held_ += 8;
            --blockLeft_;
        }
        const int code = int(buffer_ & ((1u << bits) - 1));
        buffer_ >>= bits;
        held_ -= bits;
        return code;
    }

private:
    const uchar *data_;
    qsizetype size_;
    qsizetype at_;
    int blockLeft_ = 0;
    quint32 buffer_ = 0;
    int held_ = 0;
};

// Each code stands for the string of its prefix's code followed by one
// index; written out from its end, as the chain runs backwards.
struct StringTable
{
    std::array<quint16, TableSize> prefix;
    std::array<quint16, TableSize> length;
    std::array<uchar, TableSize> last;
    std::array<uchar, TableSize> first;

    void reset(int literals)
    {
        for (int code = 0; code < literals; ++code) {
            length[code] = 1;
            last[code] = first[code] = uchar(code);
        }
    }
    void add(int code, int previous, uchar next)
    {
        prefix[code] = quint16(previous);
        length[code] = quint16(length[previous] + 1);
        last[code] = next;
        first[code] = first[previous];
    }
    // Writes the string of `code` at `out`, cut to `room`; returns its length.
    qsizetype write(int code, uchar *out, qsizetype room) const
    {
        const qsizetype whole = length[code];
        for (qsizetype i = whole - 1; i >= 0; --i, code = prefix[code]) {
            if (i < room)
                out[i] = last[code];
        }
        return std::min(whole, room);
    }
};

} // namespace

qsizetype decompressGifImage(const QByteArray &bytes, qsizetype at, uchar *indices, qsizetype count)
{
    if (at >= bytes.size())
        return 0;
    // Writers use up to 8 bits for 256 colours; some use more, leaving
    // literal codes no colour index can take.
    const int minimumBits = uchar(bytes.at(at));
    if (minimumBits < 1 || minimumBits >= MaxCodeBits)
        return 0;
    const int clear = 1 << minimumBits;
    const int end = clear + 1;
    StringTable table;
    table.reset(std::min(clear, 256));
    CodeReader codes(bytes, at + 1);
    int bits = minimumBits + 1;
    int next = end + 1;
    int previous = -1;
    qsizetype written = 0;
    while (written < count) {
        const int code = codes.read(bits);
        if (code < 0 || code == end)
            break;
        if (code == clear) {
            bits = minimumBits + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code < clear && code > 255)
            break; // a colour index beyond any table
        if (previous < 0) {
            if (code > clear)
                break; // no string yet to build on
        } else if (code <= next && next < TableSize) {
            // A code may name the very string it defines: the previous one
            // and its own first index.
            const uchar firstIndex = table.first[code == next ? previous : code];
            table.add(next, previous, firstIndex);
            if (++next == 1 << bits && bits < MaxCodeBits)
                ++bits;
        } else if (code >= next) {
            break;
        }
        written += table.write(code, indices + written, count - written);
        previous = code;
    }
    return written;
}

} // namespace platform
