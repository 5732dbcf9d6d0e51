// Writes a picture as an uncompressed 24-bit Windows bitmap file.
#pragma once

#include <QByteArray>
#include <QImage>

// The file has the plain form every portrait of the packet has: a 14-byte file header, the 40-byte
// information header, no colour table, rows stored bottom-up and padded to four bytes, both
// resolutions 0. Qt's own BMP writer fills in resolutions, so the bytes are written here.
class BitmapFile final
{
public:
    static constexpr int fileHeaderSize = 14;
    static constexpr int infoHeaderSize = 40;
    static constexpr int bitsPerPixel = 24;

    [[nodiscard]] static QByteArray encode(const QImage &image);
};
