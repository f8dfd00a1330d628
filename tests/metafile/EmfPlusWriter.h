// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <initializer_list>

#include "support/EmfWriter.h"

// Writes EMF+-only drawings for tests: the EMF+ header, then each record
// in an EMF comment of its own. The reference device is a 96 dpi screen.
class EmfPlusWriter
{
public:
    // A device of `pixels` over `mm`, the frame all of it.
    EmfPlusWriter(QSize pixels, QSize mm);

    // A record whose data is padded to whole 32-bit words.
    void record(quint16 type, quint16 flags, const QByteArray &data = {});
    void object(quint8 id, quint8 type, const QByteArray &data) { record(0x4008, quint16(type << 8 | id), data); }

    QByteArray bytes() const { return emf_.bytes(); }

private:
    EmfWriter emf_;
};

// Each of `values` as a little-endian 32-bit float.
QByteArray floats(std::initializer_list<float> values);

// A dual file as an EMF+-only one: the dual flag cleared and the plain
// records that draw dropped, its comments kept.
QByteArray withoutPlainDrawing(const QByteArray &dual);
