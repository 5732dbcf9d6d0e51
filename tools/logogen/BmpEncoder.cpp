// Writes an image as the bytes of an uncompressed 24-bit Windows bitmap file.
#include "BmpEncoder.h"

#include <QtEndian>

namespace {

constexpr qsizetype fileHeaderSize = 14;
constexpr qsizetype infoHeaderSize = 40;
constexpr qsizetype bytesPerPixel = 3;
constexpr qsizetype rowAlignment = 4;
constexpr quint16 bitsPerPixel = 24;
constexpr quint16 planeCount = 1;
constexpr quint32 compressionNone = 0;
constexpr char signature[] = "BM";

void appendU16(QByteArray &out, quint16 value)
{
    char bytes[sizeof value];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof bytes);
}

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[sizeof value];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof bytes);
}

} // namespace

namespace BmpEncoder {

QByteArray encode24(const QImage &image, qint32 pixelsPerMetre)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const qsizetype width = rgb.width();
    const qsizetype height = rgb.height();
    const qsizetype rowBytes =
        (width * bytesPerPixel + rowAlignment - 1) / rowAlignment * rowAlignment;
    const qsizetype pixelBytes = rowBytes * height;
    const qsizetype pixelOffset = fileHeaderSize + infoHeaderSize;

    QByteArray out;
    out.reserve(pixelOffset + pixelBytes);
    out.append(signature, 2);
    appendU32(out, static_cast<quint32>(pixelOffset + pixelBytes));
    appendU32(out, 0); // two reserved words
    appendU32(out, static_cast<quint32>(pixelOffset));

    appendU32(out, static_cast<quint32>(infoHeaderSize));
    appendU32(out, static_cast<quint32>(width));
    appendU32(out, static_cast<quint32>(height)); // positive: rows run from the bottom up
    appendU16(out, planeCount);
    appendU16(out, bitsPerPixel);
    appendU32(out, compressionNone);
    appendU32(out, static_cast<quint32>(pixelBytes));
    appendU32(out, static_cast<quint32>(pixelsPerMetre));
    appendU32(out, static_cast<quint32>(pixelsPerMetre));
    appendU32(out, 0); // colours used: no colour table
    appendU32(out, 0); // important colours: all

    const QByteArray padding(rowBytes - width * bytesPerPixel, '\0');
    for (qsizetype y = height - 1; y >= 0; --y) {
        const uchar *line = rgb.constScanLine(static_cast<int>(y));
        for (qsizetype x = 0; x < width; ++x) {
            const uchar *pixel = line + x * bytesPerPixel;
            // Format_RGB888 keeps red, green, blue; the file wants blue, green, red.
            const char bgr[] = {static_cast<char>(pixel[2]), static_cast<char>(pixel[1]),
                                static_cast<char>(pixel[0])};
            out.append(bgr, sizeof bgr);
        }
        out.append(padding);
    }
    return out;
}

} // namespace BmpEncoder
