// Where a window opens: centred on the screen's free area, its title bar and menu always on it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace WindowPlacement {

// The top-left corner for a window frame of `frame` size centred on `available`; a frame larger
// than the area keeps its top-left corner on the area (the rest runs off the right or bottom).
[[nodiscard]] QPoint centredTopLeft(const QSize &frame, const QRect &available);

} // namespace WindowPlacement
