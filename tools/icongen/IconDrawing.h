// The program's icon drawing: a stamped soldier's dog tag on a ball chain with the letter «Н».
#pragma once

#include <QImage>
#include <QList>

#include "IconShape.h"

class IconDrawing final
{
public:
    // Every coordinate of the drawing lives on a square canvas of this many units. Edges that
    // matter lie on multiples of eight units, i.e. on whole pixels at 32 × 32 and 16 × 16.
    static constexpr int canvasSize = 256;

    IconDrawing();

    const QList<IconShape> &shapes() const { return m_shapes; }

    // The drawing painted, antialiased, on a transparent square of `pixels` × `pixels`.
    QImage render(int pixels) const;

private:
    void addChain();
    void addTag();
    void addLetter();

    QList<IconShape> m_shapes;
};
