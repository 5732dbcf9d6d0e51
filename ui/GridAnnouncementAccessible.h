// What assistive technology hears of a change in the hireling grid that no object of its own shows.
#pragma once

#include "GridPartAccessible.h"

#include <QAccessible>

class HirelingGrid;

// A notification that the grid puts up as its last child to tell readers a change at once,
// wherever their focus is: readers speak a notification when it is shown (the new sort order
// after a title click, "здр, по убыванию"). Each announcement is a new object, so that no reader
// speaks a name it kept from the one before. It has no place on the screen.
class GridAnnouncementAccessible final : public GridPartAccessible
{
public:
    Q_DISABLE_COPY_MOVE(GridAnnouncementAccessible)

    GridAnnouncementAccessible(HirelingGrid *grid, QString text);
    ~GridAnnouncementAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;

private:
    QString m_text;
};
