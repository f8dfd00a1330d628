// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/FileNames.h"

namespace platform {

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

bool isContinuation(quint8 byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at`, 0 when there is none.
// Strict: no overlong forms, no encoded surrogates, nothing above U+10FFFF.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const quint8 lead = quint8(bytes[at]);
    qsizetype length = 0;
    quint8 low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    const quint8 second = quint8(bytes[at + 1]);
    if (second < low || second > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!isContinuation(quint8(bytes[at + i])))
            return 0;
    }
    return length;
}

char32_t codePoint(QByteArrayView bytes, qsizetype at, qsizetype length)
{
    static constexpr quint8 leadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t value = quint8(bytes[at]) & leadBits[length];
    for (qsizetype i = 1; i < length; ++i)
        value = (value << 6) | (quint8(bytes[at + i]) & 0x3F);
    return value;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool isValidUtf8(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = quint8(bytes[i]) < 0x80 ? 1 : sequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    // Nearly every name is valid: Qt's own decoder is the quicker one then,
    // which counts in a folder of 100,000 pictures.
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 byte = quint8(bytes[i]);
        if (byte < 0x80) {
            name += QChar(byte);
            ++i;
        } else if (const qsizetype length = sequenceLength(bytes, i)) {
            const char32_t c = codePoint(bytes, i, length);
            name += QChar::fromUcs4(c);
            i += length;
        } else {
            name += QChar(char16_t(0xDC00 + byte));
            ++i;
        }
    }
    return name;
}

QByteArray encodeFileName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size()
            && name.at(i + 1).isLowSurrogate()) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, name.at(++i).unicode()));
        } else if (unit >= FirstEscape && unit <= LastEscape) {
            bytes += char(unit - 0xDC00);
        } else if (QChar::isSurrogate(unit)) {
            // A lone surrogate no name on disk decodes to: as Qt writes it.
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

bool hasEscapedBytes(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i; // a pair: its low half is no escape
        else if (unit >= FirstEscape && unit <= LastEscape)
            return true;
    }
    return false;
}

} // namespace platform
