// Drawing bitmaps at their own logical size on screens of any pixel density.
#pragma once

#include <QtGlobal>

class QImage;
class QPainter;
class QPoint;

namespace ImageScaling {

// Whether a device pixel ratio maps every logical pixel onto a whole square of device pixels.
[[nodiscard]] bool isWholeRatio(qreal ratio);

// Whether what the painter draws now reaches its device at a whole ratio per logical pixel,
// counting the device's pixel ratio and the painter's own scaling.
[[nodiscard]] bool paintsAtWholeRatio(const QPainter &painter);

// Draws the image with its top-left corner at `topLeft`, one image pixel per logical pixel.
// At whole ratios every image pixel becomes a solid block of device pixels (nearest neighbour),
// so the picture stays as sharp as at 96 pixels per inch. At fractional ratios such blocks would
// come out one or two device pixels wide by turns, which distorts thin lines, so the picture is
// filtered instead.
void drawAtOwnSize(QPainter &painter, const QPoint &topLeft, const QImage &image);

} // namespace ImageScaling
