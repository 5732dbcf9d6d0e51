// One filled shape of the program's icon drawing.
#pragma once

#include <QBrush>
#include <QPainterPath>

// A shape is a path and the brush that fills it; every picture of the icon, bitmap or vector,
// is the same list of shapes painted in order, so all sizes show the same drawing.
struct IconShape final
{
    QPainterPath path;
    QBrush brush;
};
