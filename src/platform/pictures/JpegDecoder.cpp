// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/JpegDecoder.h"

#include <QTransform>

#include "platform/pictures/BlankImage.h"
#include "platform/pictures/JpegOrientation.h"
#include "platform/pictures/JpegWatch.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

// Rows asked of libjpeg at once: enough for its widest output group, few
// enough for a stop to be heard within a few milliseconds.
constexpr int RowsAtOnce = 16;

// Qt's own reading of Adobe's inverted CMYK.
void cmykToRgb32(const JSAMPLE *in, QRgb *out, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
    }
}

// Everything libjpeg may leave by its error jump lives here, with nothing
// that needs a destructor: the jump skips them.
JpegOutcome decodeInto(jpeg_decompress_struct &info, QImage &image)
{
    jpeg_start_decompress(&info);
    const bool cmyk = info.out_color_space == JCS_CMYK;
    JSAMPARRAY cmykRows = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                           JPOOL_IMAGE, info.output_width * 4,
                                                           RowsAtOnce)
                               : nullptr;
    JSAMPROW rows[RowsAtOnce];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION first = info.output_scanline;
        const int wanted = int(qMin<JDIMENSION>(RowsAtOnce, info.output_height - first));
        for (int i = 0; i < wanted; ++i)
            rows[i] = cmyk ? cmykRows[i] : image.scanLine(int(first) + i);
        const JDIMENSION got = jpeg_read_scanlines(&info, rows, JDIMENSION(wanted));
        if (got == 0)
            return JpegOutcome::Failed;
        if (cmyk) {
            for (JDIMENSION i = 0; i < got; ++i)
                cmykToRgb32(cmykRows[i], reinterpret_cast<QRgb *>(image.scanLine(int(first + i))),
                            info.output_width);
        }
    }
    // Once every row is out the picture is whole. Finishing would read on
    // to the end of the file, where more damage could only refuse it.
    return JpegOutcome::Decoded;
}

// Decodes into `image`, prepared once the header is read. `full` is the
// size libjpeg finds there, which a scan of the markers can miss (padding,
// stray bytes): it is judged again before anything is allocated.
JpegOutcome decode(const QByteArray &bytes, QSize cover, const std::atomic_bool *stop, QImage &image,
                   QSize &full)
{
    jpeg_decompress_struct info {};
    JpegWatch watch;
    watch.stop = stop;
    reportTo(watch, info);
    if (setjmp(watch.jump)) {
        jpeg_destroy_decompress(&info);
        return watch.outcome;
    }
    jpeg_create_decompress(&info);
    watchOver(watch, info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    full = QSize(int(info.image_width), int(info.image_height));
    if (!withinLimits(full, bytes.size())) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::OutOfMemory;
    }
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: info.out_color_space = JCS_CMYK; break;
    default: info.out_color_space = JCS_EXT_BGRX; break; // RGB32's bytes, alpha 255
    }
    info.scale_num = 1;
    info.scale_denom = unsigned(jpegDenominatorFor(
        QSize(int(info.image_width), int(info.image_height)), cover));
    jpeg_calc_output_dimensions(&info);
    try {
        image = blankImage(QSize(int(info.output_width), int(info.output_height)),
                           info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8
                                                                 : QImage::Format_RGB32,
                           bytes.size());
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    const JpegOutcome outcome = decodeInto(info, image);
    jpeg_destroy_decompress(&info);
    return outcome;
}

// Applied as Qt's reader applies it.
QImage oriented(QImage image, QImageIOHandler::Transformations turn)
{
    if (turn & (QImageIOHandler::TransformationMirror | QImageIOHandler::TransformationFlip))
        image = image.mirrored(turn & QImageIOHandler::TransformationMirror,
                               turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace

QSize jpegScaledSize(QSize full, int denominator)
{
    return {(full.width() + denominator - 1) / denominator,
            (full.height() + denominator - 1) / denominator};
}

int jpegDenominatorFor(QSize full, QSize cover)
{
    for (const int denominator : {8, 4, 2}) {
        const QSize reduced = jpegScaledSize(full, denominator);
        if (!cover.isEmpty() && reduced.width() >= cover.width() && reduced.height() >= cover.height())
            return denominator;
    }
    return 1;
}

QImage decodeJpeg(const QByteArray &bytes, QSize fitWithin, const std::atomic_bool *stop)
{
    // What must be covered is the picture as shown, turned upright.
    const QImageIOHandler::Transformations turn = jpegOrientation(bytes);
    const QSize cover = turn & QImageIOHandler::TransformationRotate90 ? fitWithin.transposed()
                                                                       : fitWithin;
    QImage image;
    QSize full;
    switch (decode(bytes, cover, stop, image, full)) {
    case JpegOutcome::Decoded: return oriented(std::move(image), turn);
    case JpegOutcome::Stopped: return {};
    case JpegOutcome::OutOfMemory:
        refuseIfTooLarge(full, bytes.size());
        raise(errc::OutOfMemory, QStringLiteral("нет памяти для рисунка JPEG"));
    case JpegOutcome::Failed: break;
    }
    raise(errc::InvalidPicture, QStringLiteral("файл JPEG повреждён"));
}

} // namespace platform
