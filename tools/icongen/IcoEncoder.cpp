// Encodes one picture as a classic Windows icon file: 8 bits per pixel, 256-entry colour table,
// AND transparency mask.
#include "IcoEncoder.h"

#include <QDataStream>
#include <QHash>
#include <QIODeviceBase>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr quint16 iconResourceType = 1;
constexpr quint16 iconDirectorySize = 6;
constexpr quint16 iconEntrySize = 16;
constexpr quint32 bitmapInfoHeaderSize = 40;
constexpr quint16 bitsPerPixel = 8;
constexpr int paletteEntries = 1 << bitsPerPixel;
constexpr quint32 rgbQuadSize = 4;
constexpr int bitsPerByte = 8;
constexpr int rowAlignment = 4;
// Mask rows hold the leftmost pixel of each byte in its highest bit.
constexpr int leftmostPixelBit = 0x80;

int alignedRowBytes(int bits)
{
    const int bytes = (bits + bitsPerByte - 1) / bitsPerByte;
    return (bytes + rowAlignment - 1) / rowAlignment * rowAlignment;
}

quint8 sideByte(int side)
{
    return side == IcoEncoder::maxSide ? 0 : static_cast<quint8>(side);
}

bool isOpaque(QRgb pixel)
{
    return qAlpha(pixel) >= IcoEncoder::opaqueAlpha;
}

int squaredDistance(QRgb a, QRgb b)
{
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

} // namespace

QList<QRgb> IcoEncoder::palette(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (isOpaque(pixel))
                ++counts[qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel))];
        }
    }
    QList<std::pair<QRgb, int>> byFrequency{counts.keyValueBegin(), counts.keyValueEnd()};
    // Ties are broken by the colour value so that the same picture always gives the same file.
    std::sort(byFrequency.begin(), byFrequency.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });

    // Entry 0 is black: transparent pixels carry it, so that AND 1 / XOR 0 leaves the screen as it
    // was on every platform that draws classic icons.
    QList<QRgb> entries{qRgb(0, 0, 0)};
    for (const auto &[colour, count] : byFrequency) {
        if (entries.size() == paletteEntries)
            break;
        if (colour != entries.front())
            entries.append(colour);
    }
    return entries;
}

int IcoEncoder::nearestIndex(const QList<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int index = 0; index < palette.size(); ++index) {
        const int distance = squaredDistance(palette.at(index), colour);
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

QByteArray IcoEncoder::encode(const QImage &source)
{
    if (source.isNull() || source.width() > maxSide || source.height() > maxSide)
        return {};
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const QList<QRgb> colours = palette(image);

    const int colourRowBytes = alignedRowBytes(width * bitsPerPixel);
    const int maskRowBytes = alignedRowBytes(width);
    const auto pixelBytes = static_cast<quint32>((colourRowBytes + maskRowBytes) * height);
    const quint32 imageBytes = bitmapInfoHeaderSize + paletteEntries * rgbQuadSize + pixelBytes;

    QByteArray bytes;
    QDataStream out{&bytes, QIODeviceBase::WriteOnly};
    out.setByteOrder(QDataStream::LittleEndian);

    out << quint16{0} << iconResourceType << quint16{1};
    out << sideByte(width) << sideByte(height) << quint8{0} /* 256 colours */ << quint8{0}
        << quint16{1} /* planes */ << bitsPerPixel << imageBytes
        << quint32{iconDirectorySize + iconEntrySize};

    // The bitmap's height counts the colour image and the mask stacked on each other.
    out << bitmapInfoHeaderSize << qint32{width} << qint32{2 * height} << quint16{1} << bitsPerPixel
        << quint32{0} /* uncompressed */ << pixelBytes << qint32{0} << qint32{0}
        << quint32{0} /* all 256 colours used */ << quint32{0};
    for (int index = 0; index < paletteEntries; ++index) {
        const QRgb colour = index < colours.size() ? colours.at(index) : qRgb(0, 0, 0);
        out << static_cast<quint8>(qBlue(colour)) << static_cast<quint8>(qGreen(colour))
            << static_cast<quint8>(qRed(colour)) << quint8{0};
    }

    // Both planes are stored bottom row first.
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(colourRowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (isOpaque(pixel))
                row[x] = static_cast<char>(nearestIndex(colours, pixel));
        }
        out.writeRawData(row.constData(), static_cast<int>(row.size()));
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            if (!isOpaque(image.pixel(x, y)))
                row[x / bitsPerByte] = static_cast<char>(row.at(x / bitsPerByte) |
                                                         (leftmostPixelBit >> (x % bitsPerByte)));
        }
        out.writeRawData(row.constData(), static_cast<int>(row.size()));
    }
    return bytes;
}
