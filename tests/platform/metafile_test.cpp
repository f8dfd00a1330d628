// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/pictures/FilePictureLoader.h"
#include "platform/pictures/MetafileLoading.h"
#include "platform/pictures/PictureFile.h"
#include "platform/system/Error.h"
#include "support/TestWindow.h"
#include "support/WmfWriter.h"

using platform::MetafileType;

namespace {

const QString Helper = QStringLiteral(LUMARIN_METAFILE_HELPER);

// One inch by half an inch: the left half black, a triangle on the right.
WmfWriter sampleDrawing()
{
    WmfWriter wmf(QRect(0, 0, 1440, 720), 1440);
    wmf.blackBrush();
    wmf.rectangle(QRect(0, 0, 720, 720));
    wmf.polygon({{1000, 500}, {1440, 650}, {1200, 400}});
    return wmf;
}

QImage render(const platform::Picture &picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.draw(painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), picture.pixelSize()));
    return image;
}

} // namespace

TEST(Metafile, ConvertsAndDrawsSharpAtAnySize)
{
    // Told from a raster picture by its content, its size from its header.
    const auto picture = platform::decodePicture(sampleDrawing().placeable(), Helper);
    ASSERT_TRUE(picture->isVector());
    EXPECT_EQ(picture->twipsSize(), QSizeF(1440, 720));
    EXPECT_EQ(picture->pixelSize(), QSize(96, 48));
    EXPECT_EQ(picture->originalBytes(), sampleDrawing().placeable());

    // Ten times its size: drawn again, the edge between the halves stays a
    // pixel or two wide, where a bitmap of it stretched would blur it.
    const QImage vector = render(*picture, QSize(960, 480));
    EXPECT_EQ(qGray(vector.pixel(100, 100)), 0);
    EXPECT_GT(qGray(vector.pixel(700, 50)), 200);
    int blurred = 0; // neither black nor white along a row
    for (int x = 0; x < vector.width(); ++x)
        blurred += qGray(vector.pixel(x, 50)) > 40 && qGray(vector.pixel(x, 50)) < 215;
    EXPECT_LE(blurred, 2);

    // Without a placeable header: laid out from what it draws.
    const auto standard = platform::decodePicture(sampleDrawing().standard(), Helper);
    ASSERT_TRUE(standard->isVector());
    EXPECT_GT(standard->twipsSize().width(), 0);
    EXPECT_NEAR(standard->twipsSize().width() / standard->twipsSize().height(), 2.0, 0.3);
}

TEST(Metafile, AHelperThatHangsCrashesOrOverreachesIsAFailedLoad)
{
    QTemporaryDir dir;
    const auto script = [&](const char *name, const QByteArray &body) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n" + body + "\n");
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return file.fileName();
    };
    // A second to convert in, 1 GB of memory and 256 MB of output unless told.
    const struct { const char *name; QString helper; platform::ConverterLimits limits = {1000}; QString why{}; } cases[] = {
        {"hangs", script("hang", "exec sleep 60")}, {"crashes", script("crash", "kill -SEGV $$")},
        {"refuses", script("refuse", "exit 1")}, {"says nothing", script("silent", "cat >/dev/null")},
        {"missing", dir.filePath("nothing-here")},
        {"given too little memory", Helper, {1000, 4 << 20}},
        // Ends by itself within the time: only the output limit stops it.
        {"says too much", script("flood", "cat >/dev/null; head -c 3000000 /dev/zero"), {1000, 1 << 30, 1 << 20},
         QStringLiteral("слишком сложен")},
    };
    for (const auto &c : cases) {
        QElapsedTimer clock;
        clock.start();
        try {
            platform::loadMetafile(sampleDrawing().placeable(), MetafileType::Wmf, c.helper, c.limits);
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, platform::errc::InvalidPicture) << c.name;
            EXPECT_TRUE(error.description.contains(c.why)) << c.name;
        }
        EXPECT_LT(clock.elapsed(), 10000) << c.name << ": not stopped";
    }
}

TEST(Metafile, RealWorldMetafilesLoadWithTheirProportions)
{
    QStringList files{testDataPath("pillow/drawing.wmf"), testDataPath("pillow/drawing.emf")};
    QDirIterator samples(testDataPath("libemf2svg/samples"), QDir::Files);
    while (samples.hasNext())
        files << samples.next();
    ASSERT_GT(files.size(), 10);

    platform::FilePictureLoader loader(Helper);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const platform::PicturePtr picture = loader.load(file);
        ASSERT_TRUE(picture->isVector());
        const QImage shown = render(*picture, picture->pixelSize().boundedTo(QSize(800, 800)));
        QImage blank(shown.size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        // An EMF whose bounds are empty (right < left) draws nothing at all.
        const QByteArray bytes = platform::readPictureFile(file);
        const auto at = [&](int offset) { return qFromLittleEndian<qint32>(bytes.constData() + offset); };
        EXPECT_TRUE(shown != blank || (file.endsWith(".emf") && at(16) < at(8))) << "blank";
    }
}
