// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Reads a picture file as an opaque image on white. SVG files are drawn with
// QSvgRenderer, the way the viewer draws the helper's output, zoomed on
// their ink so that its longer side is about `svgInkSide` pixels however
// wide the paper around it; any other file is read as a raster. Returns a
// null image when the file cannot be read.
QImage loadOnWhite(const QString &path, int svgInkSide);
