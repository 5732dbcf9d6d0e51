// Draws one hireling's portrait from its look.
#include "PortraitPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// The face is laid out around a few anchors so that every feature moves with the head; the small
// offsets from them in the functions below are the drawing itself, in pixels.
constexpr qreal headLeft = 14.0;
constexpr qreal headTop = 7.0;
constexpr qreal headWidth = 20.0;
constexpr qreal headHeight = 23.0;
constexpr qreal centreX = headLeft + headWidth / 2.0;
constexpr qreal eyeY = 18.0;
constexpr qreal eyeOffset = 4.5; // from the centre line to each eye
constexpr qreal mouthY = 25.5;
constexpr qreal shoulderTop = 33.0;

// Shading factors for QColor::lighter()/darker(), in percent.
constexpr int slightly = 115;
constexpr int clearly = 140;
constexpr int strongly = 200;

// Qt measures arcs in sixteenths of a degree.
constexpr int degrees = 16;
constexpr int halfTurn = 180 * degrees;

const QColor eyeWhite(0xf4, 0xf0, 0xe8);
const QColor eyeDark(0x20, 0x1c, 0x1c);
const QColor lips(0x9a, 0x50, 0x48);
const QColor scarRed(0xb0, 0x50, 0x48);
const QColor gold(0xe8, 0xc8, 0x40);
const QColor crossRed(0xc8, 0x20, 0x20);
const QColor paintGreen(0x3c, 0x50, 0x2c);
const QColor freckleBrown(0xa0, 0x68, 0x48);
const QColor lensFrame(0x30, 0x30, 0x30);

QRectF headRect()
{
    return {headLeft, headTop, headWidth, headHeight};
}

QPen thinPen(const QColor &colour, qreal width = 1.0)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace

QImage PortraitPainter::paint(const PortraitLook &look)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(look.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter, look);
    paintHairBehind(painter, look);
    paintShoulders(painter, look);
    paintHead(painter, look);
    paintFace(painter, look);
    paintBeard(painter, look);
    paintHairOnTop(painter, look);
    paintHeadgear(painter, look);
    paintMarks(painter, look);
    painter.end();
    return image;
}

void PortraitPainter::paintBackground(QPainter &painter, const PortraitLook &look)
{
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, look.background.lighter(clearly));
    gradient.setColorAt(1, look.background.darker(clearly));
    painter.fillRect(QRectF(0, 0, width, height), gradient);
}

void PortraitPainter::paintHairBehind(QPainter &painter, const PortraitLook &look)
{
    painter.setPen(Qt::NoPen);
    if (look.hairStyle == HairStyle::Long && look.headgear != Headgear::Hood) {
        painter.setBrush(look.hair);
        painter.drawRoundedRect(QRectF(headLeft - 3, headTop - 1, headWidth + 6, headHeight + 9), 8,
                                8);
    }
    if (look.headgear == Headgear::Hood) {
        painter.setBrush(look.headgearColour);
        painter.drawEllipse(QRectF(headLeft - 5, headTop - 5, headWidth + 10, headHeight + 14));
    }
}

void PortraitPainter::paintShoulders(QPainter &painter, const PortraitLook &look)
{
    painter.setPen(Qt::NoPen);
    // neck
    painter.setBrush(look.skin.darker(slightly));
    painter.drawRect(QRectF(centreX - 4, headTop + headHeight - 4, 8, 8));
    // torso
    QPainterPath torso;
    torso.moveTo(0, height);
    torso.lineTo(2, shoulderTop + 5);
    torso.quadTo(6, shoulderTop, 16, shoulderTop - 1);
    torso.lineTo(width - 16, shoulderTop - 1);
    torso.quadTo(width - 6, shoulderTop, width - 2, shoulderTop + 5);
    torso.lineTo(width, height);
    torso.closeSubpath();
    painter.setBrush(look.uniform);
    painter.drawPath(torso);
    // open collar
    QPainterPath collar;
    collar.moveTo(centreX - 5, shoulderTop - 1);
    collar.lineTo(centreX + 5, shoulderTop - 1);
    collar.lineTo(centreX, shoulderTop + 6);
    collar.closeSubpath();
    painter.setBrush(look.skin.darker(slightly));
    painter.drawPath(collar);
    painter.setPen(thinPen(look.uniform.darker(clearly)));
    painter.drawLine(QPointF(centreX - 6, shoulderTop - 1), QPointF(centreX, shoulderTop + 7));
    painter.drawLine(QPointF(centreX + 6, shoulderTop - 1), QPointF(centreX, shoulderTop + 7));
}

void PortraitPainter::paintHead(QPainter &painter, const PortraitLook &look)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.skin.darker(slightly));
    painter.drawEllipse(QRectF(headLeft - 1.5, eyeY - 2, 4, 6)); // ears
    painter.drawEllipse(QRectF(headLeft + headWidth - 2.5, eyeY - 2, 4, 6));
    painter.setBrush(look.skin);
    painter.drawEllipse(headRect());
    // a little shade on the right cheek gives the face some volume
    painter.setBrush(look.skin.darker(105));
    painter.drawChord(headRect(), -60 * degrees, 120 * degrees);
}

void PortraitPainter::paintFace(QPainter &painter, const PortraitLook &look)
{
    // eyes
    for (const qreal side : {-1.0, 1.0}) {
        const qreal x = centreX + side * eyeOffset;
        painter.setPen(Qt::NoPen);
        painter.setBrush(eyeWhite);
        painter.drawEllipse(QPointF(x, eyeY), 2.0, 1.2);
        painter.setBrush(eyeDark);
        painter.drawEllipse(QPointF(x + 0.3, eyeY), 0.9, 0.9);
        painter.setPen(thinPen(look.hair.darker(clearly), 1.1));
        painter.drawLine(QPointF(x - 2.2, eyeY - 2.6), QPointF(x + 2.2, eyeY - 2.8));
    }
    // nose
    painter.setPen(thinPen(look.skin.darker(clearly), 0.9));
    painter.drawLine(QPointF(centreX, eyeY + 1), QPointF(centreX + 0.8, eyeY + 4.5));
    painter.drawLine(QPointF(centreX - 1.2, eyeY + 5), QPointF(centreX + 1.2, eyeY + 5));
    // mouth
    painter.setPen(thinPen(lips, 1.1));
    painter.setBrush(Qt::NoBrush);
    const QRectF mouthBox(centreX - 3.5, mouthY - 2, 7, 4);
    switch (look.mouth) {
    case Mouth::Flat:
        painter.drawLine(QPointF(centreX - 3, mouthY), QPointF(centreX + 3, mouthY));
        break;
    case Mouth::Smile:
        painter.drawArc(mouthBox.translated(0, -1), -20 * degrees, -140 * degrees);
        break;
    case Mouth::Frown:
        painter.drawArc(mouthBox.translated(0, 1.5), 20 * degrees, 140 * degrees);
        break;
    case Mouth::Grin:
        painter.setBrush(eyeWhite);
        painter.drawChord(mouthBox.translated(0, -1.5), 0, -halfTurn);
        break;
    }
}

void PortraitPainter::paintBeard(QPainter &painter, const PortraitLook &look)
{
    painter.setPen(Qt::NoPen);
    switch (look.beard) {
    case Beard::None:
        break;
    case Beard::Stubble: {
        QColor shadow = look.hair;
        shadow.setAlpha(90);
        painter.setBrush(shadow);
        painter.drawChord(headRect(), -20 * degrees, -140 * degrees);
        break;
    }
    case Beard::Moustache:
        painter.setBrush(look.hair);
        painter.drawRoundedRect(QRectF(centreX - 4, mouthY - 2.6, 8, 2), 1, 1);
        break;
    case Beard::Full: {
        painter.setBrush(look.hair);
        QPainterPath beard;
        beard.moveTo(headLeft + 0.5, eyeY + 1);
        beard.quadTo(headLeft + 1, headTop + headHeight + 3, centreX, headTop + headHeight + 3);
        beard.quadTo(headLeft + headWidth - 1, headTop + headHeight + 3, headLeft + headWidth - 0.5,
                     eyeY + 1);
        beard.lineTo(headLeft + headWidth - 3, eyeY + 3);
        beard.quadTo(centreX, mouthY - 4, headLeft + 3, eyeY + 3);
        beard.closeSubpath();
        painter.drawPath(beard);
        // keep the mouth visible through the beard
        painter.setPen(thinPen(lips.darker(slightly), 1.1));
        painter.drawLine(QPointF(centreX - 2.5, mouthY), QPointF(centreX + 2.5, mouthY));
        break;
    }
    }
}

void PortraitPainter::paintHairOnTop(QPainter &painter, const PortraitLook &look)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.hair);
    const QRectF crown(headLeft - 0.5, headTop - 1.5, headWidth + 1, 13);
    switch (look.hairStyle) {
    case HairStyle::Bald:
        painter.setBrush(look.skin.lighter(slightly));
        painter.drawEllipse(QRectF(centreX - 5, headTop + 1, 6, 3)); // shine on the scalp
        break;
    case HairStyle::Cropped:
        painter.drawChord(crown.adjusted(1, 1, -1, 0), 0, halfTurn);
        break;
    case HairStyle::Short:
        painter.drawChord(crown, 0, halfTurn);
        painter.drawRect(QRectF(headLeft, eyeY - 6, 2, 6)); // sideburns
        painter.drawRect(QRectF(headLeft + headWidth - 2, eyeY - 6, 2, 6));
        break;
    case HairStyle::Curly:
        for (int i = 0; i < 6; ++i) {
            painter.drawEllipse(QPointF(headLeft + 1.5 + i * 3.4, headTop + 2 + (i % 2)), 3.2, 3.2);
        }
        painter.drawChord(crown, 0, halfTurn);
        break;
    case HairStyle::Long:
        painter.drawChord(crown.adjusted(0, 0, 0, 2), 0, halfTurn);
        painter.drawRect(QRectF(headLeft - 1, eyeY - 6, 3, 14));
        painter.drawRect(QRectF(headLeft + headWidth - 2, eyeY - 6, 3, 14));
        break;
    case HairStyle::Ponytail:
        painter.drawChord(crown, 0, halfTurn);
        painter.drawEllipse(QRectF(headLeft + headWidth - 1, headTop + 4, 6, 12));
        break;
    case HairStyle::Bun:
        painter.drawChord(crown, 0, halfTurn);
        painter.drawEllipse(QPointF(centreX, headTop - 2.5), 4, 3.5);
        break;
    }
}

void PortraitPainter::paintHeadgear(QPainter &painter, const PortraitLook &look)
{
    const QColor cloth = look.headgearColour;
    painter.setPen(Qt::NoPen);
    painter.setBrush(cloth);
    switch (look.headgear) {
    case Headgear::None:
    case Headgear::Hood: // drawn behind the head
        break;
    case Headgear::Helmet: {
        const QRectF shell(headLeft - 3, headTop - 5, headWidth + 6, 20);
        painter.drawChord(shell, 0, halfTurn);
        painter.setBrush(cloth.darker(clearly));
        painter.drawRect(QRectF(shell.left(), shell.center().y() - 0.5, shell.width(), 2));
        painter.setPen(thinPen(cloth.darker(strongly), 0.8));
        painter.drawLine(QPointF(headLeft + 1, eyeY - 1),
                         QPointF(centreX - 3, headTop + headHeight));
        painter.drawLine(QPointF(headLeft + headWidth - 1, eyeY - 1),
                         QPointF(centreX + 3, headTop + headHeight));
        break;
    }
    case Headgear::Beret: {
        painter.save();
        painter.translate(centreX + 2, headTop + 1);
        painter.rotate(-12);
        painter.drawEllipse(QRectF(-13, -5, 25, 10));
        painter.setBrush(gold);
        painter.drawEllipse(QPointF(-7, 0.5), 1.6, 1.6); // badge
        painter.restore();
        break;
    }
    case Headgear::Cap:
        painter.drawChord(QRectF(headLeft - 1, headTop - 3, headWidth + 2, 16), 0, halfTurn);
        painter.setBrush(cloth.darker(clearly));
        painter.drawRoundedRect(QRectF(headLeft - 2, headTop + 4, headWidth + 9, 2.5), 1, 1);
        break;
    case Headgear::Bandana:
        painter.drawChord(QRectF(headLeft - 0.5, headTop - 1.5, headWidth + 1, 12), 0, halfTurn);
        painter.setBrush(cloth.darker(slightly));
        painter.drawRect(QRectF(headLeft - 0.5, headTop + 3.5, headWidth + 1, 2.5));
        painter.drawPolygon(
            QPolygonF({QPointF(headLeft - 0.5, headTop + 4), QPointF(headLeft - 5, headTop + 9),
                       QPointF(headLeft - 2, headTop + 10)}));
        break;
    }
}

void PortraitPainter::paintMarks(QPainter &painter, const PortraitLook &look)
{
    const unsigned marks = look.marks;
    if ((marks & Freckles) != 0U) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(freckleBrown);
        for (const qreal side : {-1.0, 1.0}) {
            for (int i = 0; i < 3; ++i) {
                painter.drawEllipse(QPointF(centreX + side * (4 + i * 1.5), eyeY + 3 + (i % 2)),
                                    0.45, 0.45);
            }
        }
    }
    if ((marks & FacePaint) != 0U) {
        painter.setPen(thinPen(paintGreen, 1.4));
        for (const qreal side : {-1.0, 1.0}) {
            painter.drawLine(QPointF(centreX + side * 3, eyeY + 3),
                             QPointF(centreX + side * 8, eyeY + 4));
        }
    }
    if ((marks & Scar) != 0U) {
        painter.setPen(thinPen(scarRed, 1.0));
        painter.drawLine(QPointF(centreX + 5.5, eyeY - 4), QPointF(centreX + 7.5, eyeY + 5));
    }
    if ((marks & Glasses) != 0U) {
        painter.setPen(thinPen(lensFrame, 0.8));
        painter.setBrush(Qt::NoBrush);
        for (const qreal side : {-1.0, 1.0}) {
            painter.drawRect(QRectF(centreX + side * eyeOffset - 2.8, eyeY - 1.8, 5.6, 3.8));
        }
        painter.drawLine(QPointF(centreX - 1.7, eyeY), QPointF(centreX + 1.7, eyeY));
    }
    if ((marks & EyePatch) != 0U) {
        painter.setPen(thinPen(eyeDark, 0.8));
        painter.drawLine(QPointF(headLeft, eyeY - 5), QPointF(headLeft + headWidth, eyeY + 1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(eyeDark);
        painter.drawEllipse(QPointF(centreX + eyeOffset, eyeY), 2.6, 2.2);
    }
    if ((marks & Earring) != 0U) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(gold);
        painter.drawEllipse(QPointF(headLeft - 0.5, eyeY + 4.5), 1.0, 1.0);
    }
    if ((marks & RedCross) != 0U) {
        const QRectF band(3, shoulderTop + 2, 9, 7);
        painter.setPen(Qt::NoPen);
        painter.setBrush(eyeWhite);
        painter.drawRect(band);
        painter.setBrush(crossRed);
        painter.drawRect(QRectF(band.center().x() - 1, band.top() + 1, 2, band.height() - 2));
        painter.drawRect(QRectF(band.left() + 1.5, band.center().y() - 1, band.width() - 3, 2));
    }
}
