// Encodes one picture as a classic Windows icon file: 8 bits per pixel, 256-entry colour table,
// AND transparency mask.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

class IcoEncoder final
{
public:
    // The largest side an icon directory entry can describe (a width byte of 0 means 256).
    static constexpr int maxSide = 256;
    // A pixel whose alpha is below this is transparent in the mask; every other pixel is opaque.
    static constexpr int opaqueAlpha = 128;

    // The icon file bytes for `image`; an empty array when the image is empty or larger than
    // maxSide on a side.
    static QByteArray encode(const QImage &image);

private:
    // Up to 256 colours: transparent black first, then the most frequent opaque colours of the
    // image; pixels whose colour did not make it into the table take the nearest entry.
    static QList<QRgb> palette(const QImage &image);
    static int nearestIndex(const QList<QRgb> &palette, QRgb colour);
};
