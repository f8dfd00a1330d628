// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/MetafileLoading.h"
#include "platform/PictureFile.h"
#include "support/TestWindow.h"
#include "platform/PictureBox.h"
#include "support/WmfWriter.h"

using platform::MetafileType;

namespace {

const QString Helper = QStringLiteral(LUMARIN_METAFILE_HELPER);

// Left half black, right half white, plus the other shapes a drawing has.
WmfWriter sampleDrawing()
{
    WmfWriter wmf(QRect(0, 0, 1440, 720), 1440); // one inch by half an inch
    wmf.blackBrush();
    wmf.rectangle(QRect(0, 0, 720, 720));
    wmf.ellipse(QRect(900, 100, 200, 200));
    wmf.polygon({{1000, 500}, {1300, 650}, {1200, 400}});
    wmf.text(QPoint(800, 600), "Lumarin");
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

// Pixels along a row that are neither black nor white: an edge's blur.
int blurredPixels(const QImage &image, int y)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int gray = qGray(image.pixel(x, y));
        count += gray > 40 && gray < 215;
    }
    return count;
}

QString script(const QTemporaryDir &dir, const char *name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(Metafile, DetectedByContent)
{
    QByteArray emf(88, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    const struct
    {
        const char *name;
        QByteArray bytes;
        MetafileType type;
    } cases[] = {
        {"placeable wmf", sampleDrawing().placeable(), MetafileType::Wmf},
        {"standard wmf", sampleDrawing().standard(), MetafileType::Wmf},
        {"emf", emf, MetafileType::Emf},
        {"bitmap", QByteArray("BM") + QByteArray(60, '\0'), MetafileType::None},
        {"text", QByteArray("just some words that are long enough to look at"), MetafileType::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::detectMetafile(c.bytes), c.type) << c.name;
}

TEST(Metafile, SizeComesFromTheHeader)
{
    const QByteArray wmf = sampleDrawing().placeable();
    EXPECT_EQ(platform::metafileTwips(wmf, MetafileType::Wmf), QSizeF(1440, 720));
    EXPECT_FALSE(platform::metafileTwips(sampleDrawing().standard(), MetafileType::Wmf));

    const QByteArray emf = platform::readPictureFile(testDataPath("pillow/drawing.emf"));
    const auto emfTwips = platform::metafileTwips(emf, MetafileType::Emf);
    ASSERT_TRUE(emfTwips);
    EXPECT_GT(emfTwips->width(), 0);

    // Absurd boxes are refused before the converter is even started.
    for (const QRect box : {QRect(0, 0, 0, 0), QRect(-32000, -32000, 64000, 64000)}) {
        const QByteArray absurd = WmfWriter(box, 1).placeable();
        try {
            platform::loadMetafile(absurd, MetafileType::Wmf, "/nonexistent/helper");
            ADD_FAILURE() << "accepted " << box.width();
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, platform::errc::InvalidPicture);
            EXPECT_TRUE(error.description.contains("размеры"));
        }
    }
}

TEST(Metafile, ConvertsAndDrawsSharpAtAnySize)
{
    const auto picture = platform::loadMetafile(sampleDrawing().placeable(), MetafileType::Wmf, Helper);
    ASSERT_TRUE(picture->isVector());
    EXPECT_EQ(picture->twipsSize(), QSizeF(1440, 720));
    EXPECT_EQ(picture->pixelSize(), QSize(96, 48));
    EXPECT_EQ(picture->originalBytes(), sampleDrawing().placeable());

    // Ten times its size: drawn again, the edge between the halves stays a
    // pixel or two wide; a bitmap of it stretched would blur it over many.
    const QImage vector = render(*picture, QSize(960, 480));
    EXPECT_EQ(qGray(vector.pixel(100, 100)), 0);
    EXPECT_GT(qGray(vector.pixel(700, 50)), 200);
    EXPECT_LE(blurredPixels(vector, 50), 2);

    const QImage stretched = render(*picture, QSize(96, 48))
                                 .scaled(960, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(blurredPixels(stretched, 50), 4);
}

TEST(Metafile, AStandardWmfGetsItsDefaultSize)
{
    const auto picture = platform::loadMetafile(sampleDrawing().standard(), MetafileType::Wmf, Helper);
    // Laid out from what it draws: the text reaches a little below the box.
    EXPECT_GT(picture->twipsSize().width(), 0);
    EXPECT_NEAR(picture->twipsSize().width() / picture->twipsSize().height(), 2.0, 0.3);
}

TEST(Metafile, AHelperThatHangsOrCrashesIsAFailedLoad)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QString helper;
    } cases[] = {
        {"hangs", script(dir, "hang", "exec sleep 60")},
        {"crashes", script(dir, "crash", "kill -SEGV $$")},
        {"refuses", script(dir, "refuse", "exit 1")},
        {"says nothing", script(dir, "silent", "cat >/dev/null")},
        {"missing", dir.filePath("nothing-here")},
    };
    platform::ConverterLimits limits;
    limits.timeoutMs = 1000;
    for (const auto &c : cases) {
        QElapsedTimer clock;
        clock.start();
        try {
            platform::loadMetafile(sampleDrawing().placeable(), MetafileType::Wmf, c.helper, limits);
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, platform::errc::InvalidPicture) << c.name;
        }
        EXPECT_LT(clock.elapsed(), 10000) << c.name << ": not stopped";
    }
}

TEST(Metafile, RealWorldMetafilesLoadWithTheirProportions)
{
    QStringList files{testDataPath("pillow/drawing.wmf"), testDataPath("pillow/drawing.emf")};
    QDirIterator samples(testDataPath("emf/samples"), QDir::Files);
    while (samples.hasNext())
        files << samples.next();
    ASSERT_GT(files.size(), 10);

    platform::FilePictureLoader loader(Helper);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        platform::PicturePtr picture;
        try {
            picture = loader.load(file);
        } catch (const platform::Error &error) {
            ADD_FAILURE() << error.description.toStdString();
            continue;
        }
        ASSERT_TRUE(picture->isVector());
        const QSize size = picture->pixelSize();
        ASSERT_GT(size.width(), 0);
        const QImage shown = render(*picture, size.boundedTo(QSize(800, 800)));
        int inked = 0;
        for (int y = 0; y < shown.height(); y += 2)
            for (int x = 0; x < shown.width(); x += 2)
                inked += shown.pixel(x, y) != qRgb(255, 255, 255);
        // An EMF whose bounds are empty (right < left) draws nothing at all.
        const QByteArray bytes = platform::readPictureFile(file);
        const bool drawsNothing = file.endsWith(".emf")
            && qFromLittleEndian<qint32>(bytes.constData() + 16) < qFromLittleEndian<qint32>(bytes.constData() + 8);
        if (!drawsNothing) {
            EXPECT_GT(inked, 0) << "blank";
        }
    }
}
