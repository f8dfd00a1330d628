// SPDX-License-Identifier: GPL-2.0-or-later
#include "Charset.h"

#include <iconv.h>

#include <memory>

#include "Gdi.h"

namespace metafile {

namespace {

struct IconvCloser
{
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

QString viaIconv(QByteArrayView bytes, const char *codePage)
{
    Converter converter(iconv_open("UTF-16LE", codePage));
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) {
        converter.release();
        return QString::fromLatin1(bytes);
    }
    QString out;
    // Each byte (or pair, in the double-byte pages) gives at most two
    // UTF-16 units.
    QByteArray buffer(bytes.size() * 4 + 4, '\0');
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outAt = buffer.data();
    size_t outLeft = size_t(buffer.size());
    while (inLeft > 0) {
        if (iconv(converter.get(), &in, &inLeft, &outAt, &outLeft) != size_t(-1))
            break;
        // A byte the page does not have: shown as a replacement, then on.
        if (outLeft < 2)
            break;
        *outAt++ = char(0xFD);
        *outAt++ = char(0xFF);
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    // Pages with combining marks hold the last character back until told
    // that no mark follows.
    iconv(converter.get(), nullptr, nullptr, &outAt, &outLeft);
    const qsizetype units = (buffer.size() - qsizetype(outLeft)) / 2;
    out.resize(units);
    memcpy(out.data(), buffer.constData(), size_t(units) * 2);
    return out;
}

} // namespace

const char *codePageOf(int charset)
{
    switch (charset) {
    case gdi::HEBREW_CHARSET: return "CP1255";
    case gdi::ARABIC_CHARSET: return "CP1256";
    case gdi::GREEK_CHARSET: return "CP1253";
    case gdi::TURKISH_CHARSET: return "CP1254";
    case gdi::RUSSIAN_CHARSET: return "CP1251";
    case gdi::EASTEUROPE_CHARSET: return "CP1250";
    case gdi::BALTIC_CHARSET: return "CP1257";
    case gdi::VIETNAMESE_CHARSET: return "CP1258";
    case gdi::THAI_CHARSET: return "CP874";
    case gdi::SHIFTJIS_CHARSET: return "CP932";
    case gdi::GB2312_CHARSET: return "CP936";
    case gdi::HANGUL_CHARSET: return "CP949";
    case gdi::CHINESEBIG5_CHARSET: return "CP950";
    case gdi::OEM_CHARSET: return "CP437";
    default: return "CP1252";
    }
}

QString decodeText(QByteArrayView bytes, int charset)
{
    // A symbol font's codes are not letters of any code page: they are kept
    // as they are, for the font to say what they show.
    if (charset == gdi::SYMBOL_CHARSET)
        return QString::fromLatin1(bytes);
    return viaIconv(bytes, codePageOf(charset));
}

} // namespace metafile
