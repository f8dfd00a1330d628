// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/MetafileHeader.h"

#include <cmath>

#include "platform/pictures/ByteFields.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"

bool isStandardWmf(const QByteArray &bytes, qsizetype at)
{
    if (bytes.size() < at + 18)
        return false;
    const quint16 type = fieldAt<quint16>(bytes, at);
    const quint16 headerWords = fieldAt<quint16>(bytes, at + 2);
    const quint16 version = fieldAt<quint16>(bytes, at + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

QSizeF checked(double width, double height)
{
    if (!(width > 0) || !(height > 0) || width > MaxMetafileTwips || height > MaxMetafileTwips)
        raise(errc::InvalidPicture, QStringLiteral("размеры метафайла недопустимы"));
    return {width, height};
}

} // namespace

MetafileType detectMetafile(const QByteArray &bytes)
{
    if (bytes.size() >= 22 && fieldAt<quint32>(bytes, 0) == PlaceableKey)
        return MetafileType::Wmf;
    if (isStandardWmf(bytes, 0))
        return MetafileType::Wmf;
    if (bytes.size() >= 88 && fieldAt<quint32>(bytes, 0) == 1 && fieldAt<quint32>(bytes, 40) == EmfSignature)
        return MetafileType::Emf;
    return MetafileType::None;
}

std::optional<QSizeF> metafileTwips(const QByteArray &bytes, MetafileType type)
{
    if (type == MetafileType::Wmf && fieldAt<quint32>(bytes, 0) == PlaceableKey) {
        const double width = std::abs(fieldAt<qint16>(bytes, 10) - fieldAt<qint16>(bytes, 6));
        const double height = std::abs(fieldAt<qint16>(bytes, 12) - fieldAt<qint16>(bytes, 8));
        const quint16 unitsPerInch = fieldAt<quint16>(bytes, 14);
        if (unitsPerInch == 0)
            raise(errc::InvalidPicture, QStringLiteral("размеры метафайла недопустимы"));
        return checked(width * 1440.0 / unitsPerInch, height * 1440.0 / unitsPerInch);
    }
    if (type == MetafileType::Emf) {
        // The frame is inclusive: right − left + 1 hundredths of a millimetre.
        const double width = double(fieldAt<qint32>(bytes, 32)) - fieldAt<qint32>(bytes, 24) + 1;
        const double height = double(fieldAt<qint32>(bytes, 36)) - fieldAt<qint32>(bytes, 28) + 1;
        return checked(width * 1440.0 / 2540.0, height * 1440.0 / 2540.0);
    }
    return std::nullopt;
}

} // namespace platform
