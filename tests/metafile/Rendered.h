// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include "render/Renderer.h"

inline const QColor Grey(128, 128, 128);

// A metafile drawn as the viewer draws it: stretched into `size`, over grey
// so that a white fill shows.
QImage rendered(const QByteArray &bytes, metafile::Kind kind, QSize size = {200, 200});
// The same of the renderer's SVG.
QImage drawnSvg(const QByteArray &svg, QSize size = {200, 200});

inline bool dark(QRgb pixel)
{
    return qGray(pixel) < 64;
}
