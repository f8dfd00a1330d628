// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FilePictureLoader.h"
#include "platform/PictureFile.h"
#include "support/ResidentMemory.h"
#include "support/TestWindow.h"

namespace {

// Peak resident memory the whole corpus may take: the largest picture the
// loader accepts (1 GiB of pixels) plus the test's own files and Qt.
constexpr qint64 MemoryBoundBytes = qint64(2) << 30;

// The shared real-world files and the project's own (fuzzer findings).
QStringList testDataFiles()
{
    QStringList files;
    for (const QString &root : {testDataPath(""), QStringLiteral(LUMARIN_OWN_TESTDATA_DIR)}) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!file.endsWith(".md"))
                files << file;
        }
    }
    files.sort();
    return files;
}

// The same mutations on every run: the generator is seeded from the name.
QList<QByteArray> mutationsOf(const QString &name, const QByteArray &bytes)
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
    // GIF screen, and the first 16-bit words of anything else.
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

} // namespace

TEST(Corpus, EveryFileAndMutationLoadsOrFailsCleanly)
{
    const QStringList files = testDataFiles();
    ASSERT_GT(files.size(), 300) << "test data missing";
    const QString helper = QStringLiteral(LUMARIN_METAFILE_HELPER);

    int loaded = 0;
    int refused = 0;
    for (const QString &file : files) {
        const QByteArray original = platform::readPictureFile(file);
        QList<QByteArray> inputs{original};
        inputs += mutationsOf(file, original);
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            try {
                const auto picture = platform::decodePicture(inputs[i], helper);
                const QSizeF twips = picture->twipsSize();
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
    EXPECT_LT(peakResidentBytes(), MemoryBoundBytes);
}
