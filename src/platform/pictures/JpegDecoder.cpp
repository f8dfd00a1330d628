// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/JpegDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QTransform>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

#include "platform/pictures/BlankImage.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

// Rows asked of libjpeg at once: enough for its widest output group, few
// enough for a stop to be heard within a few milliseconds.
constexpr int RowsAtOnce = 16;

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

extern "C" void leaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// Corrupt data that libjpeg can go on with (it warns) is decoded as far as
// it goes, as Qt's reader does; nothing is printed.
extern "C" void ignoreMessage(j_common_ptr) {}

// Qt's own reading of Adobe's inverted CMYK.
void cmykToRgb32(const JSAMPLE *in, QRgb *out, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
    }
}

enum class Outcome { Decoded, Stopped, Failed, TooLarge };

// Everything libjpeg may leave by its error jump lives here, with nothing
// that needs a destructor: the jump skips them.
Outcome decodeInto(jpeg_decompress_struct &info, QImage &image, const std::atomic_bool *stop)
{
    jpeg_start_decompress(&info);
    const bool cmyk = info.out_color_space == JCS_CMYK;
    JSAMPARRAY cmykRows = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                           JPOOL_IMAGE, info.output_width * 4,
                                                           RowsAtOnce)
                               : nullptr;
    JSAMPROW rows[RowsAtOnce];
    while (info.output_scanline < info.output_height) {
        if (stop && *stop) {
            jpeg_abort_decompress(&info);
            return Outcome::Stopped;
        }
        const JDIMENSION first = info.output_scanline;
        const int wanted = int(qMin<JDIMENSION>(RowsAtOnce, info.output_height - first));
        for (int i = 0; i < wanted; ++i)
            rows[i] = cmyk ? cmykRows[i] : image.scanLine(int(first) + i);
        const JDIMENSION got = jpeg_read_scanlines(&info, rows, JDIMENSION(wanted));
        if (got == 0)
            return Outcome::Failed;
        if (cmyk) {
            for (JDIMENSION i = 0; i < got; ++i)
                cmykToRgb32(cmykRows[i], reinterpret_cast<QRgb *>(image.scanLine(int(first + i))),
                            info.output_width);
        }
    }
    jpeg_finish_decompress(&info);
    return Outcome::Decoded;
}

Outcome decode(const QByteArray &bytes, QSize cover, const std::atomic_bool *stop, QImage &image,
               QSize &full)
{
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveOnError;
    errors.base.output_message = ignoreMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return Outcome::Failed;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // The size libjpeg found, which a scan of the markers can miss (padding,
    // stray bytes): judged again before anything is allocated.
    full = QSize(int(info.image_width), int(info.image_height));
    if (!withinLimits(full, bytes.size())) {
        jpeg_destroy_decompress(&info);
        return Outcome::TooLarge;
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
    const Outcome outcome = decodeInto(info, image, stop);
    jpeg_destroy_decompress(&info);
    return outcome;
}

// The EXIF orientation, read by Qt's reader from the header alone.
QImageIOHandler::Transformations orientationOf(const QByteArray &bytes)
{
    QByteArray data = bytes; // shares, no copy
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "jpeg").transformation();
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
    const QImageIOHandler::Transformations turn = orientationOf(bytes);
    const QSize cover = turn & QImageIOHandler::TransformationRotate90 ? fitWithin.transposed()
                                                                       : fitWithin;
    QImage image;
    QSize full;
    switch (decode(bytes, cover, stop, image, full)) {
    case Outcome::Decoded: return oriented(std::move(image), turn);
    case Outcome::Stopped: return {};
    case Outcome::TooLarge: refuseIfTooLarge(full, bytes.size()); break;
    case Outcome::Failed: break;
    }
    raise(errc::InvalidPicture, QStringLiteral("файл JPEG повреждён"));
}

} // namespace platform
