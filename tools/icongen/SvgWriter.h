// Writes the icon drawing as a scalable vector picture (SVG 1.1).
#pragma once

#include <QByteArray>
#include <QList>

#include "IconShape.h"

class SvgWriter final
{
public:
    // The SVG document of `shapes` on a square canvas of `canvasSize` units; solid and linear
    // gradient brushes are written, any other brush style makes the result empty.
    static QByteArray write(const QList<IconShape> &shapes, int canvasSize);
};
