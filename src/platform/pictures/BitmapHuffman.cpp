// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BitmapHuffman.h"

#include <array>
#include <cstring>
#include <initializer_list>
#include <span>

#include "platform/pictures/BitmapPixels.h"
#include "platform/pictures/RunWriter.h"

namespace platform {

namespace {

struct Code
{
    qint16 run;
    const char *bits;
};

// The code words of white and black runs: terminating codes for 0 to 63
// pixels, then make-up codes for multiples of 64.
constexpr Code WhiteCodes[] = {
    {0, "00110101"}, {1, "000111"}, {2, "0111"}, {3, "1000"}, {4, "1011"}, {5, "1100"},
    {6, "1110"}, {7, "1111"}, {8, "10011"}, {9, "10100"}, {10, "00111"}, {11, "01000"},
    {12, "001000"}, {13, "000011"}, {14, "110100"}, {15, "110101"}, {16, "101010"}, {17, "101011"},
    {18, "0100111"}, {19, "0001100"}, {20, "0001000"}, {21, "0010111"}, {22, "0000011"},
    {23, "0000100"}, {24, "0101000"}, {25, "0101011"}, {26, "0010011"}, {27, "0100100"},
    {28, "0011000"}, {29, "00000010"}, {30, "00000011"}, {31, "00011010"}, {32, "00011011"},
    {33, "00010010"}, {34, "00010011"}, {35, "00010100"}, {36, "00010101"}, {37, "00010110"},
    {38, "00010111"}, {39, "00101000"}, {40, "00101001"}, {41, "00101010"}, {42, "00101011"},
    {43, "00101100"}, {44, "00101101"}, {45, "00000100"}, {46, "00000101"}, {47, "00001010"},
    {48, "00001011"}, {49, "01010010"}, {50, "01010011"}, {51, "01010100"}, {52, "01010101"},
    {53, "00100100"}, {54, "00100101"}, {55, "01011000"}, {56, "01011001"}, {57, "01011010"},
    {58, "01011011"}, {59, "01001010"}, {60, "01001011"}, {61, "00110010"}, {62, "00110011"},
    {63, "00110100"}, {64, "11011"}, {128, "10010"}, {192, "010111"}, {256, "0110111"},
    {320, "00110110"}, {384, "00110111"}, {448, "01100100"}, {512, "01100101"}, {576, "01101000"},
    {640, "01100111"}, {704, "011001100"}, {768, "011001101"}, {832, "011010010"},
    {896, "011010011"}, {960, "011010100"}, {1024, "011010101"}, {1088, "011010110"},
    {1152, "011010111"}, {1216, "011011000"}, {1280, "011011001"}, {1344, "011011010"},
    {1408, "011011011"}, {1472, "010011000"}, {1536, "010011001"}, {1600, "010011010"},
    {1664, "011000"}, {1728, "010011011"},
};

constexpr Code BlackCodes[] = {
    {0, "0000110111"}, {1, "010"}, {2, "11"}, {3, "10"}, {4, "011"}, {5, "0011"}, {6, "0010"},
    {7, "00011"}, {8, "000101"}, {9, "000100"}, {10, "0000100"}, {11, "0000101"}, {12, "0000111"},
    {13, "00000100"}, {14, "00000111"}, {15, "000011000"}, {16, "0000010111"}, {17, "0000011000"},
    {18, "0000001000"}, {19, "00001100111"}, {20, "00001101000"}, {21, "00001101100"},
    {22, "00000110111"}, {23, "00000101000"}, {24, "00000010111"}, {25, "00000011000"},
    {26, "000011001010"}, {27, "000011001011"}, {28, "000011001100"}, {29, "000011001101"},
    {30, "000001101000"}, {31, "000001101001"}, {32, "000001101010"}, {33, "000001101011"},
    {34, "000011010010"}, {35, "000011010011"}, {36, "000011010100"}, {37, "000011010101"},
    {38, "000011010110"}, {39, "000011010111"}, {40, "000001101100"}, {41, "000001101101"},
    {42, "000011011010"}, {43, "000011011011"}, {44, "000001010100"}, {45, "000001010101"},
    {46, "000001010110"}, {47, "000001010111"}, {48, "000001100100"}, {49, "000001100101"},
    {50, "000001010010"}, {51, "000001010011"}, {52, "000000100100"}, {53, "000000110111"},
    {54, "000000111000"}, {55, "000000100111"}, {56, "000000101000"}, {57, "000001011000"},
    {58, "000001011001"}, {59, "000000101011"}, {60, "000000101100"}, {61, "000001011010"},
    {62, "000001100110"}, {63, "000001100111"}, {64, "0000001111"}, {128, "000011001000"},
    {192, "000011001001"}, {256, "000001011011"}, {320, "000000110011"}, {384, "000000110100"},
    {448, "000000110101"}, {512, "0000001101100"}, {576, "0000001101101"}, {640, "0000001001010"},
    {704, "0000001001011"}, {768, "0000001001100"}, {832, "0000001001101"}, {896, "0000001110010"},
    {960, "0000001110011"}, {1024, "0000001110100"}, {1088, "0000001110101"},
    {1152, "0000001110110"}, {1216, "0000001110111"}, {1280, "0000001010010"},
    {1344, "0000001010011"}, {1408, "0000001010100"}, {1472, "0000001010101"},
    {1536, "0000001011010"}, {1600, "0000001011011"}, {1664, "0000001100100"},
    {1728, "0000001100101"},
};

constexpr Code SharedMakeUpCodes[] = {
    {1792, "00000001000"}, {1856, "00000001100"}, {1920, "00000001101"}, {1984, "000000010010"},
    {2048, "000000010011"}, {2112, "000000010100"}, {2176, "000000010101"}, {2240, "000000010110"},
    {2304, "000000010111"}, {2368, "000000011100"}, {2432, "000000011101"}, {2496, "000000011110"},
    {2560, "000000011111"},
};

// Every code is at most 13 bits long, so the next 13 bits find it in one
// look-up.
constexpr int LongestCode = 13;

struct Entry
{
    qint16 run = 0;
    quint8 length = 0; // 0: no code starts with these bits
};

using CodeTable = std::array<Entry, 1 << LongestCode>;

CodeTable tableOf(std::initializer_list<std::span<const Code>> parts)
{
    CodeTable table{};
    for (const auto &part : parts) {
        for (const Code &code : part) {
            const int length = int(std::strlen(code.bits));
            int value = 0;
            for (int i = 0; i < length; ++i)
                value = value << 1 | (code.bits[i] == '1');
            const int first = value << (LongestCode - length);
            for (int i = 0; i < 1 << (LongestCode - length); ++i)
                table[std::size_t(first + i)] = {code.run, quint8(length)};
        }
    }
    return table;
}

const CodeTable &codes(bool black)
{
    static const CodeTable white = tableOf({WhiteCodes, SharedMakeUpCodes});
    static const CodeTable blackTable = tableOf({BlackCodes, SharedMakeUpCodes});
    return black ? blackTable : white;
}

class BitReader
{
public:
    BitReader(const uchar *data, qint64 size) : data_(data), bits_(size * 8) {}

    bool atEnd() const { return at_ >= bits_; }
    bool nextBit() const { return peek() >> (LongestCode - 1); }
    void skip(int bits) { at_ += bits; }

    // The next 13 bits, high bit first; zeros past the end.
    int peek() const
    {
        quint32 window = 0;
        const qint64 byte = at_ >> 3;
        for (qint64 i = byte; i < byte + 3; ++i)
            window = window << 8 | (i < bits_ / 8 ? data_[i] : 0);
        return int(window >> (11 - (at_ & 7))) & ((1 << LongestCode) - 1);
    }

private:
    const uchar *data_;
    qint64 bits_;
    qint64 at_ = 0;
};

class HuffmanDecoder
{
public:
    HuffmanDecoder(const QByteArray &bytes, const BitmapHeader &header, QImage &image)
        : in_(reinterpret_cast<const uchar *>(bytes.constData()) + header.pixelsAt,
              bytes.size() - header.pixelsAt),
          out_(image, header.topDown), width_(image.width())
    {
        const auto palette = fullPalette(header);
        colours_ = {palette[0], palette[1]};
    }

    bool run()
    {
        while (!out_.done() && !in_.atEnd()) {
            skipEndOfLines();
            if (!decodeRow())
                break;
            out_.nextRow();
        }
        return out_.complete();
    }

private:
    // An end-of-line code is eleven zeros and a one, after any number of
    // fill zeros. No run code starts with eleven zeros.
    void skipEndOfLines()
    {
        while (!in_.atEnd() && (in_.peek() >> 2) == 0) {
            while (!in_.atEnd() && !in_.nextBit())
                in_.skip(1);
            in_.skip(1);
        }
    }

    // Alternating white and black runs, white first, across the row.
    bool decodeRow()
    {
        bool black = false;
        while (out_.x() < width_) {
            const qint64 run = readRun(black);
            if (run < 0)
                return false;
            const qint64 shown = std::min<qint64>(run, width_ - out_.x());
            for (qint64 i = 0; i < shown; ++i)
                out_.put(colours_[black]);
            black = !black;
        }
        return true;
    }

    // Make-up codes add up until a terminating code ends the run; -1 for
    // a code that is not one.
    qint64 readRun(bool black)
    {
        qint64 run = 0;
        while (!in_.atEnd()) {
            const Entry entry = codes(black)[std::size_t(in_.peek())];
            if (entry.length == 0)
                return -1;
            in_.skip(entry.length);
            run += entry.run;
            if (entry.run < 64)
                return run;
        }
        return -1;
    }

    BitReader in_;
    RunWriter out_;
    int width_;
    std::array<QRgb, 2> colours_{};
};

} // namespace

bool decodeHuffman1D(const QByteArray &bytes, const BitmapHeader &header, QImage &image)
{
    return HuffmanDecoder(bytes, header, image).run();
}

} // namespace platform
