// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>

// Writes small EMF files for tests: the header of a reference device of
// `devicePixels` over `deviceMm`, a frame in 0.01 mm, and raw records.
class EmfWriter
{
public:
    EmfWriter(QRect frame, QSize devicePixels, QSize deviceMm);

    // A record of `type` whose parameters are 32-bit values.
    void record(quint32 type, const QList<qint32> &params);

    QByteArray bytes() const;

private:
    QRect frame_;
    QSize devicePixels_;
    QSize deviceMm_;
    QByteArray records_;
    int count_ = 0;
};
