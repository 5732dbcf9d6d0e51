// The About window's logo: a steel helmet over two crossed rifles, drawn in lines on button grey.
#include "LogoDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>

namespace {

constexpr QRgb ink = 0xFF000000;
constexpr int outlineWidth = 1;

// One rifle lying along the x axis, muzzle at the origin pointing left, in logo pixels. It is
// turned and placed by the caller; the helmet later hides its middle.
void drawRifle(QPainter &painter)
{
    // Barrel, then the fore-end around it.
    painter.drawRect(0, -1, 38, 2);
    painter.drawPolygon(QPolygon({QPoint(24, -3), QPoint(60, -3), QPoint(60, 3), QPoint(24, 3)}));
    // Receiver with the bolt handle and the magazine below it.
    painter.drawRect(60, -4, 22, 7);
    painter.drawLine(72, -4, 72, -8);
    painter.drawEllipse(QPoint(72, -9), 1, 1);
    painter.drawPolygon(QPolygon({QPoint(64, 3), QPoint(72, 3), QPoint(74, 13), QPoint(67, 14)}));
    // Trigger guard.
    painter.drawArc(77, 1, 8, 8, 180 * 16, 180 * 16);
    // Stock: a wedge that widens towards the butt plate.
    painter.drawPolygon(
        QPolygon({QPoint(82, -4), QPoint(118, -6), QPoint(120, 8), QPoint(96, 5), QPoint(82, 3)}));
    painter.drawLine(117, -6, 119, 8);
    // Front sight.
    painter.drawLine(3, -1, 3, -4);
}

void drawHelmet(QPainter &painter)
{
    // Dome: filled with the background so that it hides the rifles behind it.
    QPainterPath dome;
    dome.moveTo(38, 68);
    dome.cubicTo(36, 38, 48, 28, 62, 28);
    dome.cubicTo(76, 28, 88, 38, 86, 68);
    dome.closeSubpath();
    painter.drawPath(dome);
    // Flared rim.
    QPainterPath rim;
    rim.moveTo(28, 76);
    rim.quadTo(36, 70, 38, 64);
    rim.lineTo(86, 64);
    rim.quadTo(88, 70, 96, 76);
    rim.quadTo(62, 70, 28, 76);
    painter.drawPath(rim);
    // Band and rivets.
    painter.drawLine(39, 56, 85, 56);
    for (const int x : {48, 62, 76})
        painter.drawEllipse(QPoint(x, 60), 1, 1);
    // A star on the front.
    painter.drawPolygon(
        QPolygon({QPoint(62, 35), QPoint(64, 41), QPoint(71, 41), QPoint(66, 45), QPoint(68, 52),
                  QPoint(62, 48), QPoint(56, 52), QPoint(58, 45), QPoint(53, 41), QPoint(60, 41)}));
}

void drawBanner(QPainter &painter)
{
    // A ribbon below the crossing, its ends folded back behind it.
    painter.drawPolygon(QPolygon(
        {QPoint(22, 92), QPoint(34, 92), QPoint(34, 104), QPoint(22, 104), QPoint(27, 98)}));
    painter.drawPolygon(QPolygon(
        {QPoint(102, 92), QPoint(90, 92), QPoint(90, 104), QPoint(102, 104), QPoint(97, 98)}));
    QPainterPath ribbon;
    ribbon.moveTo(30, 88);
    ribbon.quadTo(62, 96, 94, 88);
    ribbon.lineTo(94, 100);
    ribbon.quadTo(62, 108, 30, 100);
    ribbon.closeSubpath();
    painter.drawPath(ribbon);
    // Three small stars stitched on the ribbon.
    for (const int x : {50, 62, 74}) {
        const int y = x == 62 ? 97 : 96;
        painter.drawLine(x - 2, y, x + 2, y);
        painter.drawLine(x, y - 2, x, y + 2);
    }
}

} // namespace

QImage LogoDrawing::render() const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(ink), outlineWidth));
    painter.setBrush(QColor::fromRgb(background));

    constexpr int crossCentreX = 62;
    constexpr int crossCentreY = 54;
    constexpr qreal rifleAngle = 40.0;
    constexpr int rifleHalfLength = 72;
    // The second rifle is the first one mirrored, so both magazines hang downwards.
    for (const int side : {1, -1}) {
        painter.save();
        painter.translate(crossCentreX, crossCentreY);
        painter.scale(side, 1);
        painter.rotate(rifleAngle);
        painter.translate(-rifleHalfLength, 0);
        drawRifle(painter);
        painter.restore();
    }
    drawHelmet(painter);
    drawBanner(painter);
    painter.end();
    return image;
}
