// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusCheck.h"

#include "ByteReader.h"
#include "EmfRecords.h"

namespace metafile {

namespace {

constexpr quint32 EmfPlusSignature = 0x2B464D45; // "EMF+"
constexpr quint16 EmfPlusHeader = 0x4001;
constexpr quint16 DualFlag = 0x0001;

} // namespace

bool isEmfPlusOnly(QByteArrayView bytes)
{
    ByteReader file(bytes);
    if (file.u32(0) != emf::EMR_HEADER)
        return false;
    // The EMF+ header comment follows the EMF header directly.
    const qsizetype at = file.u32(4);
    if (at < 8 || at > bytes.size() - 28)
        return false;
    ByteReader comment(bytes.sliced(at));
    return comment.u32(0) == emf::EMR_COMMENT && comment.u32(12) == EmfPlusSignature
        && comment.u16(16) == EmfPlusHeader && !(comment.u16(18) & DualFlag);
}

} // namespace metafile
