// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target for the whole loading path: content detection, raster
// decoding, the metafile converter round trip, the picture object and its
// size. Every input must load or fail with the loader's Error, within the
// converter's time limit; anything else (a crash, a sanitizer report, a
// hang) is a finding.

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

#include "platform/pictures/FilePictureLoader.h"
#include "platform/system/Error.h"

namespace {

QString helper;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    helper = qEnvironmentVariable("LUMARIN_METAFILE_HELPER", QStringLiteral(LUMARIN_METAFILE_HELPER));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // At its own size, and reduced for a small fitted view (JPEG's DCT
    // scaling takes other paths through the decoder).
    for (const QSize fitWithin : {QSize(), QSize(40, 30)}) {
        try {
            const platform::PicturePtr picture = platform::decodePicture(bytes, helper, fitWithin);
            const QSizeF twips = picture->twipsSize();
            if (!(twips.width() > 0 && twips.height() > 0))
                std::abort(); // a loaded picture always has a size
        } catch (const platform::Error &) {
            // A clean refusal.
        }
    }
    return 0;
}
