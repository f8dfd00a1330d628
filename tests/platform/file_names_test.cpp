// SPDX-License-Identifier: GPL-2.0-or-later
#include <QByteArrayList>
#include <QString>

#include <gtest/gtest.h>

#include <iconv.h>

#include "platform/system/DisplayNames.h"
#include "platform/system/FileNames.h"

using platform::decodeFileName;
using platform::displayPath;
using platform::encodeFileName;

namespace {

// A name as the program holds it: `text` with each "~XX" standing for the
// escape of byte 0xXX (U+DCXX).
QString held(const char16_t *text)
{
    QString name = QString::fromUtf16(text);
    for (qsizetype at; (at = name.indexOf(u'~')) >= 0;)
        name.replace(at, 3, QChar(char16_t(0xDC00 + name.mid(at + 1, 2).toUInt(nullptr, 16))));
    return name;
}

} // namespace

TEST(FileNames, EveryNameComesBackToItsBytesAndReadsAsItsUsersWroteIt)
{
    const struct { const char *name; QByteArray bytes; const char16_t *held, *shown; } cases[] = {
        {"ASCII", "photo 1.jpg", u"photo 1.jpg", u"photo 1.jpg"},
        {"Cyrillic UTF-8", "Привет.bmp", u"Привет.bmp", u"Привет.bmp"},
        {"Greek and CJK", "Φωτο 写真.gif", u"Φωτο 写真.gif", u"Φωτο 写真.gif"},
        {"4-byte sequences", "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", u"\U0001F600\U0010FFFF", u"\U0001F600\U0010FFFF"},
        {"a pair whose low half looks like an escape", "\xF0\x90\x82\x80", u"\U00010080", u"\U00010080"},
        {"Windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2.bmp", u"~CF~F0~E8~E2~E5~F2.bmp", u"Привет.bmp"},
        {"lone continuation bytes", "a\x80\xBF", u"a~80~BF", u"aЂї"},
        {"bytes 0x80 and 0xFF", "\x80\xFF", u"~80~FF", u"Ђя"},
        {"0x98, undefined in 1251", "\x98", u"~98", u"\uFFFD"},
        {"overlong slash", "\xC0\xAF", u"~C0~AF", u"АЇ"},
        {"overlong 3-byte", "\xE0\x80\xAF", u"~E0~80~AF", u"аЂЇ"},
        {"encoded surrogate", "\xED\xA0\x80", u"~ED~A0~80", u"н\u00A0Ђ"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"~F4~90~80~80", u"фђЂЂ"},
        {"no lead byte beyond F4", "\xF7\xBF\xBF\xBF", u"~F7~BF~BF~BF", u"чїїї"},
        {"cut short at the end", "x\xE2\x82", u"x~E2~82", u"xв‚"},
        {"valid and invalid in one name", "Ж\xFF", u"Ж~FF", u"Р–я"},
        {"one component of a path", "/tmp/\xC0\xF0\xF5\xE8\xE2/Фото/\xF4", u"/tmp/~C0~F0~F5~E8~E2/Фото/~F4", u"/tmp/Архив/Фото/ф"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = decodeFileName(c.bytes);
        EXPECT_EQ(name, held(c.held));
        EXPECT_EQ(encodeFileName(name), c.bytes);
        EXPECT_EQ(displayPath(name), QString::fromUtf16(c.shown));
    }
}

TEST(FileNames, EveryNameOfUpToThreeBytesRoundTrips)
{
    // Two bytes in full, three after the lead bytes whose second byte has
    // a range of its own: every boundary of the validation is crossed.
    QByteArrayList changed;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const QByteArray two{char(a), char(b)};
            for (const QByteArray &bytes : {two, "\xE0" + two, "\xED" + two, "\xF0" + two, "\xF4" + two}) {
                if (encodeFileName(decodeFileName(bytes)) != bytes)
                    changed << bytes.toHex();
            }
        }
    }
    EXPECT_TRUE(changed.isEmpty()) << changed.size() << " names, the first " << changed.value(0).toStdString();
}

TEST(FileNames, Windows1251AgreesWithTheSystemsTable)
{
    iconv_t fromCp1251 = iconv_open("UTF-16LE", "CP1251");
    ASSERT_NE(fromCp1251, iconv_t(-1));
    for (int byte = 0x80; byte < 0x100; ++byte) {
        char in = char(byte);
        char16_t out = 0;
        char *inPtr = &in, *outPtr = reinterpret_cast<char *>(&out);
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(fromCp1251, nullptr, nullptr, nullptr, nullptr);
        const bool defined = iconv(fromCp1251, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
        EXPECT_EQ(displayPath(decodeFileName(QByteArray(1, in))), QString(QChar(defined ? out : u'\uFFFD')))
            << std::hex << byte;
    }
    iconv_close(fromCp1251);
}
