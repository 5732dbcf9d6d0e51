// The About window's logo: a steel helmet over two crossed rifles, drawn in lines on button grey.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

class LogoDrawing final
{
public:
    static constexpr QSize size{125, 110};
    // The grey of the window it sits on, painted into the picture itself.
    static constexpr QRgb background = 0xFFC0C0C0;

    // The picture, without antialiasing so that it holds only the background and ink colours.
    [[nodiscard]] QImage render() const;
};
