// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/pictures/FilePictureLoader.h"
#include "platform/pictures/PictureFile.h"
#include "platform/system/Error.h"
#include "support/ResidentMemory.h"
#include "support/TestWindow.h"

// The same mutations on every run: the generator is seeded from the name.
static QList<QByteArray> mutationsOf(const QString &name, const QByteArray &bytes)
{
    QRandomGenerator random(qHash(name));
    QList<QByteArray> mutations;
    if (bytes.isEmpty())
        return mutations;
    for (const int flips : {1, 8, 64}) {
        QByteArray flipped = bytes;
        for (int i = 0; i < flips; ++i)
            flipped[random.bounded(int(flipped.size()))] ^= char(1 << random.bounded(8));
        mutations << flipped;
    }
    mutations << bytes.left(bytes.size() / 2) << bytes.left(random.bounded(int(bytes.size())));
    // Inflated dimensions where a header has them: bitmap width and height,
    // GIF screen, and two 16-bit words anywhere in anything else.
    QByteArray inflated = bytes;
    if (inflated.startsWith("BM") && inflated.size() >= 26)
        inflated.replace(18, 8, QByteArray::fromHex("ffffff7fffffff7f"));
    else if (inflated.startsWith("GIF") && inflated.size() >= 10)
        inflated.replace(6, 4, QByteArray::fromHex("ffffffff"));
    else if (inflated.size() >= 40)
        inflated.replace(random.bounded(int(inflated.size()) - 8), 4, QByteArray::fromHex("ffff7f7f"));
    mutations << inflated;
    return mutations;
}

TEST(Corpus, EveryFileAndMutationLoadsOrFailsCleanly)
{
    // The real-world files from other projects, the project's own (fuzzer
    // findings), and their READMEs as files that are no picture at all.
    QStringList files;
    for (QDirIterator it(QStringLiteral(LUMARIN_OWN_TESTDATA_DIR), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        files << it.next();
    ASSERT_GT(files.size(), 300) << "test data missing";
    const QString helper = QStringLiteral(LUMARIN_METAFILE_HELPER);

    int loaded = 0;
    int refused = 0;
    for (const QString &file : files) {
        const QByteArray original = platform::readPictureFile(file);
        const QList<QByteArray> inputs = QList<QByteArray>{original} + mutationsOf(file, original);
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            try {
                const QSizeF twips = platform::decodePicture(inputs[i], helper)->twipsSize();
                EXPECT_TRUE(twips.width() > 0 && twips.height() > 0) << file.toStdString() << " #" << i;
                ++loaded;
            } catch (const platform::Error &error) {
                EXPECT_TRUE(error.number == platform::errc::InvalidPicture
                            || error.number == platform::errc::OutOfMemory)
                    << file.toStdString() << " #" << i << ": " << error.number;
                ++refused;
            }
        }
    }
    std::printf("corpus: %d loaded, %d refused\n", loaded, refused);
    EXPECT_GT(loaded + refused, 2000);
    // The largest picture the loader accepts (1 GiB of pixels) plus the
    // test's own files and Qt.
    EXPECT_LT(peakResidentBytes(), qint64(2) << 30);
}

TEST(LongRun, AThousandLoadsKeepMemoryFlat)
{
    // Varied pictures, broken files among them: most are shown as far as
    // they go, a GIF with no pixel to show is refused.
    QTemporaryDir dir;
    const QString corrupted = QDir(testDataPath("libemf2svg/corrupted")).entryList(QDir::Files).value(0);
    int n = 0;
    for (const QString &name : QStringList{
             "bmpsuite/g/rgb24.bmp", "bmpsuite/g/pal8rle.bmp", "bmpsuite/b/badrle.bmp", "pillow/hopper.gif",
             "pillow/rgb.jpg", "pillow/truncated_jpeg.jpg", "pillow/python.ico", "pillow/deerstalker.cur",
             "pillow/drawing.wmf", "pillow/drawing.emf", "libemf2svg/corrupted/" + corrupted, "pillow/clipboard.dib",
             "pillow/zero_width.gif"})
        QFile::copy(testDataPath(name),
                    dir.filePath(QString("%1-").arg(n++, 2, 10, QChar('0')) + QFileInfo(name).fileName()));
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
        t.waitForLoad();
        if (i == 100)
            afterWarmUp = residentBytes();
    }
    const qint64 growth = residentBytes() - afterWarmUp;
#ifndef LUMARIN_SANITIZED
    // Pictures come and go between the first hundred loads and the
    // thousandth: nothing may pile up.
    EXPECT_LT(growth, qint64(24) << 20) << growth / 1024 << " KiB more";
#else
    // AddressSanitizer keeps freed memory in quarantine, so resident memory
    // says nothing here; LeakSanitizer checks for leaks at exit instead.
    Q_UNUSED(growth);
#endif
    EXPECT_GT(t.dialogs.shown.size(), 0) << "the broken files were reported";
}
