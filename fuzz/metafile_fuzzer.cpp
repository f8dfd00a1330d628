// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target for the metafile renderer: every input is played as a
// WMF and as an EMF. It must render or refuse; a crash, a sanitizer report
// or a hang is a finding.

#include <QGuiApplication>

#include <cstdint>

#include "render/Renderer.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    metafile::renderMetafileSvg(bytes, metafile::Kind::Wmf);
    metafile::renderMetafileSvg(bytes, metafile::Kind::Emf);
    return 0;
}
