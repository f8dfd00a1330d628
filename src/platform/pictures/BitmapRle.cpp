// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BitmapRle.h"

#include <array>

#include "platform/pictures/RunWriter.h"

namespace platform {

namespace {

// The escapes that follow a zero count.
constexpr uchar EndOfLine = 0;
constexpr uchar EndOfPicture = 1;
constexpr uchar Delta = 2;

class RleDecoder
{
public:
    RleDecoder(const QByteArray &bytes, const BitmapHeader &header, QImage &image)
        : data_(reinterpret_cast<const uchar *>(bytes.constData()) + header.pixelsAt),
          size_(bytes.size() - header.pixelsAt), bits_(header.bitsPerPixel),
          out_(image, header.topDown), palette_(fullPalette(header))
    {
    }

    bool run()
    {
        while (!out_.done() && has(2)) {
            const uchar count = data_[at_];
            const uchar code = data_[at_ + 1];
            at_ += 2;
            if (count > 0)
                repeat(count, code);
            else if (code == EndOfLine)
                out_.nextRow();
            else if (code == EndOfPicture)
                break;
            else if (code == Delta)
                delta();
            else
                copy(code);
        }
        return out_.complete();
    }

private:
    bool has(qint64 bytes) const { return at_ + bytes <= size_; }

    // `count` pixels of one colour; of two alternating ones in RLE4.
    void repeat(int count, uchar code)
    {
        if (bits_ == 24) {
            if (!has(2)) {
                at_ = size_;
                return;
            }
            const QRgb colour = qRgb(data_[at_ + 1], data_[at_], code);
            at_ += 2;
            for (int i = 0; i < count; ++i)
                out_.put(colour);
        } else if (bits_ == 8) {
            for (int i = 0; i < count; ++i)
                out_.put(palette_[code]);
        } else {
            for (int i = 0; i < count; ++i)
                out_.put(palette_[i % 2 == 0 ? code >> 4 : code & 0x0f]);
        }
    }

    void delta()
    {
        if (!has(2)) {
            at_ = size_;
            return;
        }
        out_.skip(data_[at_]);
        out_.down(data_[at_ + 1]);
        at_ += 2;
    }

    // `count` pixels stored one by one, padded to an even byte count.
    void copy(int count)
    {
        const qint64 bytes = bits_ == 4 ? (count + 1) / 2 : qint64(count) * bits_ / 8;
        for (int i = 0; i < count; ++i) {
            if (bits_ == 24) {
                if (!has(3 * i + 3))
                    break;
                const uchar *bgr = data_ + at_ + 3 * i;
                out_.put(qRgb(bgr[2], bgr[1], bgr[0]));
            } else if (bits_ == 8) {
                if (!has(i + 1))
                    break;
                out_.put(palette_[data_[at_ + i]]);
            } else {
                if (!has(i / 2 + 1))
                    break;
                const uchar pair = data_[at_ + i / 2];
                out_.put(palette_[i % 2 == 0 ? pair >> 4 : pair & 0x0f]);
            }
        }
        at_ = std::min(size_, at_ + bytes + bytes % 2);
    }

    const uchar *data_;
    qint64 size_;
    int bits_;
    RunWriter out_;
    std::array<QRgb, 256> palette_;
    qint64 at_ = 0;
};

} // namespace

bool decodeRle(const QByteArray &bytes, const BitmapHeader &header, QImage &image)
{
    return RleDecoder(bytes, header, image).run();
}

} // namespace platform
