// Drawing bitmaps at their own logical size on screens of any pixel density.
#include "ImageScaling.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include <cmath>

namespace ImageScaling {

bool isWholeRatio(qreal ratio)
{
    const qreal whole = std::round(ratio);
    return whole >= 1.0 && qFuzzyCompare(ratio, whole);
}

bool paintsAtWholeRatio(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    const qreal deviceRatio = device != nullptr ? device->devicePixelRatio() : 1.0;
    const QTransform &transform = painter.combinedTransform();
    // A rotation or shear never keeps pixels square, whatever the ratio.
    if (transform.type() > QTransform::TxScale)
        return false;
    return isWholeRatio(deviceRatio * std::abs(transform.m11())) &&
           isWholeRatio(deviceRatio * std::abs(transform.m22()));
}

void drawAtOwnSize(QPainter &painter, const QPoint &topLeft, const QImage &image)
{
    if (image.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !paintsAtWholeRatio(painter));
    painter.drawImage(QRect(topLeft, image.size()), image);
    painter.restore();
}

} // namespace ImageScaling
