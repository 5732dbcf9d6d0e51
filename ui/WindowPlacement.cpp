// Where a window opens: centred on the screen's free area, its title bar and menu always on it.
#include "WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

QPoint centredTopLeft(const QSize &frame, const QRect &available)
{
    QRect placed(QPoint(), frame);
    placed.moveCenter(available.center());
    return {std::max(placed.left(), available.left()), std::max(placed.top(), available.top())};
}

} // namespace WindowPlacement
