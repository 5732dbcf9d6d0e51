// What the parts of the hireling grid that are no widgets of their own share for screen readers.
#include "GridPartAccessible.h"

#include "HirelingGrid.h"

GridPartAccessible::GridPartAccessible(HirelingGrid *grid) : m_grid(grid) {}

GridPartAccessible::~GridPartAccessible() = default;

QObject *GridPartAccessible::object() const
{
    return nullptr;
}

QWindow *GridPartAccessible::window() const
{
    const QAccessibleInterface *table = parent();
    return table != nullptr ? table->window() : nullptr;
}

QAccessibleInterface *GridPartAccessible::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface *GridPartAccessible::parent() const
{
    return m_grid.isNull() ? nullptr : QAccessible::queryAccessibleInterface(m_grid.data());
}

QAccessibleInterface *GridPartAccessible::child(int) const
{
    return nullptr;
}

int GridPartAccessible::childCount() const
{
    return 0;
}

int GridPartAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

void GridPartAccessible::setText(QAccessible::Text, const QString &)
{
    // The grid is read-only: its titles are fixed and its cells show the table's values.
}
