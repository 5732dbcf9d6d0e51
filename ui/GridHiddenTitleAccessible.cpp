// What assistive technology sees of a row title of the hireling grid, which the grid keeps hidden.
#include "GridHiddenTitleAccessible.h"

#include "HirelingGrid.h"

#include <QAbstractItemModel>

GridHiddenTitleAccessible::GridHiddenTitleAccessible(HirelingGrid *grid, int row)
    : m_grid(grid), m_row(row)
{}

GridHiddenTitleAccessible::~GridHiddenTitleAccessible() = default;

bool GridHiddenTitleAccessible::isValid() const
{
    return !m_grid.isNull() && m_grid->model() != nullptr && m_row >= cornerRow &&
           m_row < m_grid->model()->rowCount();
}

QObject *GridHiddenTitleAccessible::object() const
{
    return nullptr;
}

QAccessibleInterface *GridHiddenTitleAccessible::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface *GridHiddenTitleAccessible::parent() const
{
    return m_grid.isNull() ? nullptr : QAccessible::queryAccessibleInterface(m_grid.data());
}

QAccessibleInterface *GridHiddenTitleAccessible::child(int) const
{
    return nullptr;
}

int GridHiddenTitleAccessible::childCount() const
{
    return 0;
}

int GridHiddenTitleAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QString GridHiddenTitleAccessible::text(QAccessible::Text) const
{
    return {};
}

void GridHiddenTitleAccessible::setText(QAccessible::Text, const QString &) {}

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
