// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>

// Writes small placeable WMF files for tests: a header and a few GDI
// records, in logical units of `unitsPerInch`.
class WmfWriter
{
public:
    WmfWriter(QRect bounds, quint16 unitsPerInch);

    // Any record, its parameters as words in the file's order.
    void record(quint16 function, const QList<qint16> &params);

    void blackBrush();
    void rectangle(QRect r);
    void polygon(const QList<QPoint> &points);

    QByteArray placeable() const; // with the placeable header
    QByteArray standard() const;  // the bare metafile

private:
    QRect bounds_;
    quint16 unitsPerInch_;
    QByteArray records_;
    int largestRecord_ = 0;
};
