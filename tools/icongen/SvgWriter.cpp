// Writes the icon drawing as a scalable vector picture (SVG 1.1).
#include "SvgWriter.h"

#include <QColor>
#include <QGradient>
#include <QLinearGradient>
#include <QString>

namespace {

// Coordinates keep three decimals: far below a pixel at any icon size, and stable text.
constexpr int coordinateDecimals = 3;

QString number(qreal value)
{
    QString text = QString::number(value, 'f', coordinateDecimals);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QLatin1StringView("-0") ? u"0"_qs : text;
}

QString point(qreal x, qreal y)
{
    return number(x) + u',' + number(y);
}

QString pathData(const QPainterPath &path)
{
    QString data;
    for (int index = 0; index < path.elementCount(); ++index) {
        const QPainterPath::Element element = path.elementAt(index);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            if (!data.isEmpty())
                data += u"Z ";
            data += u'M' + point(element.x, element.y) + u' ';
            break;
        case QPainterPath::LineToElement:
            data += u'L' + point(element.x, element.y) + u' ';
            break;
        case QPainterPath::CurveToElement:
            // A cubic curve is one CurveTo element followed by two CurveToData elements.
            data += u'C' + point(element.x, element.y);
            for (int control = 1; control <= 2 && index + 1 < path.elementCount(); ++control) {
                const QPainterPath::Element next = path.elementAt(++index);
                data += u' ' + point(next.x, next.y);
            }
            data += u' ';
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    if (!data.isEmpty())
        data += u'Z';
    return data;
}

QString colourText(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

} // namespace

QByteArray SvgWriter::write(const QList<IconShape> &shapes, int canvasSize)
{
    QString defs;
    QString body;
    int gradientCount = 0;
    for (const IconShape &shape : shapes) {
        QString fill;
        switch (shape.brush.style()) {
        case Qt::SolidPattern:
            fill = colourText(shape.brush.color());
            break;
        case Qt::LinearGradientPattern: {
            const auto *gradient = static_cast<const QLinearGradient *>(shape.brush.gradient());
            const QString id = u"gradient"_qs + QString::number(++gradientCount);
            defs += u"    <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" "
                    u"y1=\"%3\" x2=\"%4\" y2=\"%5\">\n"_qs.arg(
                        id, number(gradient->start().x()), number(gradient->start().y()),
                        number(gradient->finalStop().x()), number(gradient->finalStop().y()));
            for (const QGradientStop &stop : gradient->stops())
                defs += u"      <stop offset=\"%1\" stop-color=\"%2\"/>\n"_qs.arg(
                    number(stop.first), colourText(stop.second));
            defs += u"    </linearGradient>\n"_qs;
            fill = u"url(#%1)"_qs.arg(id);
            break;
        }
        default:
            return {};
        }
        const QString rule =
            shape.path.fillRule() == Qt::OddEvenFill ? u"evenodd"_qs : u"nonzero"_qs;
        body += u"  <path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n"_qs.arg(fill, rule,
                                                                            pathData(shape.path));
    }

    const QString side = QString::number(canvasSize);
    QString document = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       u"<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                       u"width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"_qs.arg(side);
    if (!defs.isEmpty())
        document += u"  <defs>\n"_qs + defs + u"  </defs>\n"_qs;
    document += body + u"</svg>\n"_qs;
    return document.toUtf8();
}
