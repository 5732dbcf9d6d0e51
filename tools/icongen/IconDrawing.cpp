// The program's icon drawing: a stamped soldier's dog tag on a ball chain with the letter «Н».
#include "IconDrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace {

// Tag geometry, in canvas units.
constexpr QRectF tagOuter{40.0, 72.0, 176.0, 168.0};
constexpr qreal tagOuterRadius = 40.0;
constexpr qreal tagRimWidth = 8.0;
constexpr QPointF holeCentre{128.0, 104.0};
constexpr qreal holeRadius = 12.0;

// The letter is stamped into the tag: a light copy shifted down and right stands for the lit
// lower edge of the stamp, the dark letter above it for the stamped face.
constexpr qreal letterStemWidth = 32.0;
constexpr qreal letterLeft = 80.0;
constexpr qreal letterRight = 176.0;
constexpr qreal letterTop = 128.0;
constexpr qreal letterBottom = 216.0;
constexpr qreal letterBarTop = 160.0;
constexpr qreal letterBarHeight = 24.0;
constexpr qreal stampShift = 6.0;

// The chain runs from the hole up to the top corners of the canvas.
constexpr QPointF chainLeftEnd{48.0, 8.0};
constexpr QPointF chainRightEnd{208.0, 8.0};
constexpr qreal beadRadius = 7.0;
constexpr int beadsPerSide = 11;

// Colours of gun-metal steel and of the chain.
constexpr QColor rimColour{0x3c, 0x44, 0x49};
constexpr QColor steelLight{0xdf, 0xe4, 0xe7};
constexpr QColor steelDark{0x84, 0x8f, 0x96};
constexpr QColor letterColour{0x26, 0x30, 0x34};
constexpr QColor stampLightColour{0xf4, 0xf6, 0xf7};
constexpr QColor chainColour{0x55, 0x5f, 0x66};

// Rounded rectangles and circles are kept as curves, and holes are cut by the even-odd rule
// rather than by path arithmetic, which would flatten the curves of the scalable picture.
QPainterPath roundedRectWithHole(const QRectF &rect, qreal cornerRadius, qreal holeRadius)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRoundedRect(rect, cornerRadius, cornerRadius);
    path.addEllipse(holeCentre, holeRadius, holeRadius);
    return path;
}

QPainterPath letterEn(QPointF shift)
{
    constexpr qreal stemRight = letterLeft + letterStemWidth;
    constexpr qreal stemLeft = letterRight - letterStemWidth;
    constexpr qreal barBottom = letterBarTop + letterBarHeight;
    const QPolygonF outline{{
        {letterLeft, letterTop},
        {stemRight, letterTop},
        {stemRight, letterBarTop},
        {stemLeft, letterBarTop},
        {stemLeft, letterTop},
        {letterRight, letterTop},
        {letterRight, letterBottom},
        {stemLeft, letterBottom},
        {stemLeft, barBottom},
        {stemRight, barBottom},
        {stemRight, letterBottom},
        {letterLeft, letterBottom},
    }};
    QPainterPath path;
    path.addPolygon(outline.translated(shift));
    path.closeSubpath();
    return path;
}

} // namespace

IconDrawing::IconDrawing()
{
    // Painted back to front: the chain hangs behind the tag and shows through its hole.
    addChain();
    addTag();
    addLetter();
}

void IconDrawing::addChain()
{
    // Neighbouring beads overlap, so that the chain reads as one line at the small sizes;
    // the non-zero rule keeps the overlaps filled.
    QPainterPath beads;
    beads.setFillRule(Qt::WindingFill);
    for (const QPointF end : {chainLeftEnd, chainRightEnd}) {
        for (int bead = 0; bead < beadsPerSide; ++bead) {
            const qreal along = static_cast<qreal>(bead) / (beadsPerSide - 1);
            beads.addEllipse(holeCentre + (end - holeCentre) * along, beadRadius, beadRadius);
        }
    }
    m_shapes.append({beads, QBrush{chainColour}});
}

void IconDrawing::addTag()
{
    m_shapes.append({roundedRectWithHole(tagOuter, tagOuterRadius, holeRadius), QBrush{rimColour}});

    // The steel face leaves a rim of the same width around the outline and around the hole.
    const QRectF face = tagOuter.adjusted(tagRimWidth, tagRimWidth, -tagRimWidth, -tagRimWidth);
    QLinearGradient steel{face.topLeft(), face.bottomRight()};
    steel.setColorAt(0.0, steelLight);
    steel.setColorAt(1.0, steelDark);
    m_shapes.append(
        {roundedRectWithHole(face, tagOuterRadius - tagRimWidth, holeRadius + tagRimWidth),
         QBrush{steel}});
}

void IconDrawing::addLetter()
{
    m_shapes.append({letterEn(QPointF{stampShift, stampShift}), QBrush{stampLightColour}});
    m_shapes.append({letterEn(QPointF{}), QBrush{letterColour}});
}

QImage IconDrawing::render(int pixels) const
{
    QImage image{pixels, pixels, QImage::Format_ARGB32_Premultiplied};
    image.fill(Qt::transparent);
    QPainter painter{&image};
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = static_cast<qreal>(pixels) / canvasSize;
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    for (const IconShape &shape : m_shapes)
        painter.fillPath(shape.path, shape.brush);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
