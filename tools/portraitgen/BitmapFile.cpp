// Writes a picture as an uncompressed 24-bit Windows bitmap file.
#include "BitmapFile.h"

#include <QtEndian>

namespace {

constexpr int bytesPerPixel = 3;
constexpr int rowAlignment = 4;
constexpr quint16 bitmapMark = 0x4D42; // "BM", little-endian

void appendU16(QByteArray &out, quint16 value)
{
    const auto le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void appendU32(QByteArray &out, quint32 value)
{
    const auto le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

} // namespace

QByteArray BitmapFile::encode(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * bytesPerPixel + rowAlignment - 1) / rowAlignment * rowAlignment;
    const auto imageSize = static_cast<quint32>(rowBytes * height);
    const quint32 pixelOffset = fileHeaderSize + infoHeaderSize;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(pixelOffset + imageSize));
    appendU16(out, bitmapMark);
    appendU32(out, pixelOffset + imageSize); // file size
    appendU16(out, 0);                       // reserved
    appendU16(out, 0);                       // reserved
    appendU32(out, pixelOffset);

    appendU32(out, infoHeaderSize);
    appendU32(out, static_cast<quint32>(width));
    appendU32(out, static_cast<quint32>(height)); // positive: rows bottom-up
    appendU16(out, 1);                            // planes
    appendU16(out, bitsPerPixel);
    appendU32(out, 0); // no compression
    appendU32(out, imageSize);
    appendU32(out, 0); // horizontal resolution
    appendU32(out, 0); // vertical resolution
    appendU32(out, 0); // colours used: none, no colour table
    appendU32(out, 0); // important colours

    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        out.append(rowBytes - width * bytesPerPixel, '\0');
    }
    return out;
}
