// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace platform {

// The canvas a GIF's first frame is shown on: its logical screen, enlarged
// to hold the first image where the screen is smaller (some writers leave
// it empty). Invalid when the file is too short to say.
QSize gifCanvasSize(const QByteArray &bytes);

// A GIF's first frame as the format defines it: its first image, in the
// colours of its own table or else the global one, placed on the canvas;
// what the image does not cover, its transparent colour and pixels its
// data does not reach are transparent. An image of no pixels or without
// data leaves the canvas transparent, and nothing after the first image
// is read. Throws "invalid picture" for a file without an image or with an
// empty canvas, "out of memory" for a canvas too large to hold.
QImage readGif(const QByteArray &bytes);

} // namespace platform
