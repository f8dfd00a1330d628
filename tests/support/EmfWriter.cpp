// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/EmfWriter.h"

#include "support/Pictures.h"

EmfWriter::EmfWriter(QRect frame, QSize devicePixels, QSize deviceMm)
    : frame_(frame), devicePixels_(devicePixels), deviceMm_(deviceMm) {}

void EmfWriter::record(quint32 type, const QList<qint32> &params)
{
    records_ += le({type, 8 + 4 * params.size()});
    for (qint32 p : params)
        records_ += le({p});
    ++count_;
}

QByteArray EmfWriter::bytes() const
{
    const QByteArray end = le({14, 20, 0, 16, 20}); // EOF
    // Bounds are left empty: the frame decides the picture's size.
    return le({1, 88, 0, 0, -1, -1, frame_.left(), frame_.top(), frame_.right(), frame_.bottom(), 0x464D4520, 0x10000,
               88 + records_.size() + end.size(), count_ + 2, 1, 0, 0, 0, devicePixels_.width(),
               devicePixels_.height(), deviceMm_.width(), deviceMm_.height()})
        + records_ + end;
}
