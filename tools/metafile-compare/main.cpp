// SPDX-License-Identifier: GPL-2.0-or-later
// Measures how much the metafile helper's drawing of a picture differs from
// another program's drawing of the same file (LibreOffice's, in
// scripts/compare-metafiles.sh).
//
// Both pictures are drawn on white (an SVG with QSvgRenderer, the viewer's
// own SVG drawing), trimmed of their paper-white border (every channel at
// least 240), and scaled smoothly
// to fit a 400 × 400 box keeping their proportions. Over the box that holds
// both, a pixel differs when any channel differs by more than 25 of 255, or
// when only one of the two pictures covers it. Prints the share of differing
// pixels as a percentage ("12.34%"), or "blank: ours", "blank: reference" or
// "blank: both" when nothing but paper is left after trimming.
//
// Usage: lumarin-metafile-compare OURS REFERENCE [SIDE-BY-SIDE.png]
//        lumarin-metafile-compare --crop PAGE OUT.png
// The second form cuts a raster page down to its ink (keeping a thin white
// margin), writes that to OUT.png and prints "INK-WIDTH INK-HEIGHT
// PAGE-WIDTH PAGE-HEIGHT" (ink 0 0 and the page unchanged when blank): the
// script uses it to choose how large to have a picture drawn and to cache
// the result small.
// Exit status: 0 measured (blank included), 1 a picture could not be read or
// written, 2 wrong usage.

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "difference.h"
#include "picture.h"
#include "side_by_side.h"
#include "trim.h"

namespace {

// Ours is drawn as large as LibreOffice is asked to draw its picture
// (compare-metafiles.sh), so that both are scaled down alike: a hairline,
// one pixel at that size, fades the same on both sides.
constexpr int SvgInkSide = 800;
constexpr int CropMargin = 2;

QImage trimmed(const QImage &picture, const QRect &ink)
{
    return ink.isEmpty() ? picture : picture.copy(ink);
}

// Qt SVG's complaints about a drawing (a zero font size, say) are not part
// of the measurement and would break up the script's table.
void quietWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int cannot(const char *what, const QString &path)
{
    std::fprintf(stderr, "lumarin-metafile-compare: cannot %s %s\n", what, qPrintable(path));
    return 1;
}

int crop(const QString &pagePath, const QString &outPath)
{
    const QImage page = loadOnWhite(pagePath, SvgInkSide);
    if (page.isNull())
        return cannot("read", pagePath);
    const QRect ink = inkBounds(page);
    const QImage out = ink.isEmpty()
        ? page
        : page.copy(ink.adjusted(-CropMargin, -CropMargin, CropMargin, CropMargin) & page.rect());
    if (!out.save(outPath, "PNG"))
        return cannot("write", outPath);
    std::printf("%d %d %d %d\n", ink.width(), ink.height(), page.width(), page.height());
    return 0;
}

int measure(const QString &oursPath, const QString &referencePath, const QString &sheetPath)
{
    const QImage ours = loadOnWhite(oursPath, SvgInkSide);
    if (ours.isNull())
        return cannot("read", oursPath);
    const QImage reference = loadOnWhite(referencePath, SvgInkSide);
    if (reference.isNull())
        return cannot("read", referencePath);

    const QRect oursInk = inkBounds(ours);
    const QRect referenceInk = inkBounds(reference);
    const QImage oursFitted = fitToCompareBox(trimmed(ours, oursInk));
    const QImage referenceFitted = fitToCompareBox(trimmed(reference, referenceInk));
    const Difference difference = compare(oursFitted, referenceFitted);

    if (oursInk.isEmpty() && referenceInk.isEmpty())
        std::puts("blank: both");
    else if (oursInk.isEmpty())
        std::puts("blank: ours");
    else if (referenceInk.isEmpty())
        std::puts("blank: reference");
    else
        std::printf("%.2f%%\n", difference.percent());

    if (!sheetPath.isEmpty() && !sideBySide(oursFitted, referenceFitted, difference.map).save(sheetPath, "PNG"))
        return cannot("write", sheetPath);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietWarnings);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--crop"))
        return crop(args[1], args[2]);
    if ((args.size() == 2 || args.size() == 3) && !args[0].startsWith(QLatin1String("--")))
        return measure(args[0], args[1], args.value(2));
    std::fputs("usage: lumarin-metafile-compare OURS REFERENCE [SIDE-BY-SIDE.png]\n"
               "       lumarin-metafile-compare --crop PAGE OUT.png\n",
               stderr);
    return 2;
}
