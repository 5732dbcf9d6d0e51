// What assistive technology sees of a row title of the hireling grid, which the grid keeps hidden.
#include "GridHiddenTitleAccessible.h"

#include "HirelingGrid.h"

#include <QAbstractItemModel>

GridHiddenTitleAccessible::GridHiddenTitleAccessible(HirelingGrid *grid, int row)
    : GridPartAccessible(grid), m_row(row)
{}

GridHiddenTitleAccessible::~GridHiddenTitleAccessible() = default;

bool GridHiddenTitleAccessible::isValid() const
{
    return grid() != nullptr && grid()->model() != nullptr && m_row >= cornerRow &&
           m_row < grid()->model()->rowCount();
}

QString GridHiddenTitleAccessible::text(QAccessible::Text) const
{
    return {};
}

QRect GridHiddenTitleAccessible::rect() const
{
    return {};
}

QAccessible::Role GridHiddenTitleAccessible::role() const
{
    return QAccessible::RowHeader;
}

QAccessible::State GridHiddenTitleAccessible::state() const
{
    QAccessible::State hidden;
    hidden.invisible = true;
    return hidden;
}
