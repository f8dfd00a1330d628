// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace metafile {

enum class Kind { Wmf, Emf };

// Plays a metafile as Windows would draw it and returns the drawing as SVG,
// its view box the picture's frame in the reference device's units; empty
// for a metafile that cannot be read. Needs a QGuiApplication for fonts.
QByteArray renderMetafileSvg(QByteArrayView bytes, Kind kind);

} // namespace metafile
