// Writes an image as the bytes of an uncompressed 24-bit Windows bitmap file.
#pragma once

#include <QByteArray>
#include <QImage>

namespace BmpEncoder {

// 72 pixels per inch, the resolution the logo file declares in both directions.
inline constexpr qint32 pixelsPerMetreAt72Dpi = 2834;

// The file: a 14-byte file header, a 40-byte info header, no colour table, and the rows from the
// bottom up, three bytes (blue, green, red) per pixel, each row padded to a multiple of four bytes.
[[nodiscard]] QByteArray encode24(const QImage &image,
                                  qint32 pixelsPerMetre = pixelsPerMetreAt72Dpi);

} // namespace BmpEncoder
