// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/ResidentMemory.h"
#include "support/TestWindow.h"

namespace {

// How far resident memory may grow between the first hundred loads and the
// thousandth: pictures come and go, nothing may pile up.
constexpr qint64 GrowthBoundBytes = qint64(24) << 20;

} // namespace

TEST(LongRun, AThousandLoadsKeepMemoryFlat)
{
    // Varied pictures, broken files among them.
    QTemporaryDir dir;
    const char *pictures[] = {
        "bmpsuite/g/rgb24.bmp", "bmpsuite/g/pal8rle.bmp", "bmpsuite/b/badrle.bmp",
        "pillow/hopper.gif", "pillow/rgb.jpg", "pillow/truncated_jpeg.jpg", "pillow/python.ico",
        "pillow/deerstalker.cur", "pillow/drawing.wmf", "pillow/drawing.emf",
        "emf/corrupted/" , "pillow/clipboard.dib",
    };
    int n = 0;
    for (const char *name : pictures) {
        QString source = testDataPath(name);
        if (source.endsWith('/')) {
            const QStringList broken = QDir(source).entryList(QDir::Files);
            if (broken.isEmpty())
                continue;
            source += broken.first();
        }
        QFile::copy(source, dir.filePath(QStringLiteral("%1-%2").arg(n++, 2, 10, QChar('0'))
                                         .arg(QFileInfo(source).fileName())));
    }
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    qint64 afterWarmUp = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 2)
            w.cbNext_Click();
        else if (i % 7 == 0)
            w.cbPrev_Click();
        else
            w.mnuViewNext_Click();
        if (i == 100)
            afterWarmUp = residentBytes();
    }
    const qint64 growth = residentBytes() - afterWarmUp;
#ifndef LUMARIN_SANITIZED
    EXPECT_LT(growth, GrowthBoundBytes) << growth / 1024 << " KiB more";
#else
    // AddressSanitizer keeps freed memory in quarantine, so resident memory
    // says nothing here; LeakSanitizer checks for leaks at exit instead.
    Q_UNUSED(growth);
#endif
    EXPECT_GT(t.dialogs.shown.size(), 0) << "the broken files were reported";
}
