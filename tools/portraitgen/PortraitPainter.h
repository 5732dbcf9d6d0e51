// Draws one hireling's portrait from its look.
#pragma once

#include "PortraitLook.h"

#include <QImage>

class QPainter;

class PortraitPainter final
{
public:
    static constexpr int width = 48;
    static constexpr int height = 43;

    // An opaque width x height picture.
    [[nodiscard]] static QImage paint(const PortraitLook &look);

private:
    static void paintBackground(QPainter &painter, const PortraitLook &look);
    static void paintShoulders(QPainter &painter, const PortraitLook &look);
    static void paintHairBehind(QPainter &painter, const PortraitLook &look);
    static void paintHead(QPainter &painter, const PortraitLook &look);
    static void paintHairOnTop(QPainter &painter, const PortraitLook &look);
    static void paintFace(QPainter &painter, const PortraitLook &look);
    static void paintBeard(QPainter &painter, const PortraitLook &look);
    static void paintHeadgear(QPainter &painter, const PortraitLook &look);
    static void paintMarks(QPainter &painter, const PortraitLook &look);
};
