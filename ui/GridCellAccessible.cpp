// What assistive technology sees of one cell of the hireling grid.
#include "GridCellAccessible.h"

#include "GridChildIndex.h"
#include "HirelingGrid.h"
#include "HirelingGridModel.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>

namespace {

// A cell spans one row and one column.
constexpr int cellExtent = 1;

// Whether the cell at `shown` lies in `view` from its top to its bottom and at least partly across.
bool wholeRowShown(const QRect &view, const QRect &shown)
{
    return shown.top() >= view.top() && shown.bottom() <= view.bottom() &&
           shown.right() >= view.left() && shown.left() <= view.right();
}

} // namespace

GridCellAccessible::GridCellAccessible(HirelingGrid *grid, int row, int column)
    : GridPartAccessible(grid), m_index(grid->model()->index(row, column))
{}

GridCellAccessible::~GridCellAccessible() = default;

QModelIndex GridCellAccessible::modelIndex() const
{
    if (grid() == nullptr || grid()->model() == nullptr || m_index.model() != grid()->model())
        return {};
    return m_index;
}

bool GridCellAccessible::isValid() const
{
    return modelIndex().isValid();
}

QString GridCellAccessible::text(QAccessible::Text kind) const
{
    const QModelIndex index = modelIndex();
    if (!index.isValid())
        return {};
    const QString value = index.data(Qt::DisplayRole).toString();
    switch (kind) {
    case QAccessible::Name:
        return spokenName(index, value);
    case QAccessible::Value:
        return value;
    default:
        return {};
    }
}

QString GridCellAccessible::spokenName(const QModelIndex &index, const QString &value)
{
    // Readers that read a whole row as the current record moves say each cell's name and never
    // its column title, so a value carries its title with it ("здр 82"); the name says itself.
    // An empty cell has no name, so that a title is never read as if it had a value.
    if (index.column() == HirelingGridModel::NameColumn || value.isEmpty())
        return value;
    const QString title = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    return title + u' ' + value;
}

QRect GridCellAccessible::rect() const
{
    const QModelIndex index = modelIndex();
    if (!index.isValid())
        return {};
    const QRect shown = grid()->visualRect(index);
    return {grid()->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
}

QAccessible::Role GridCellAccessible::role() const
{
    return QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State cellState;
    const QModelIndex index = modelIndex();
    if (!index.isValid()) {
        cellState.invalid = true;
        return cellState;
    }
    cellState.readOnly = true;
    cellState.selectable = true;
    cellState.focusable = true;
    cellState.selected = isSelected();
    cellState.focused = grid()->currentIndex() == index;
    if (!grid()->isVisible())
        cellState.invisible = true;
    else
        cellState.offscreen = !wholeRowShown(grid()->viewport()->rect(), grid()->visualRect(index));
    return cellState;
}

void *GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    const QModelIndex index = modelIndex();
    return index.isValid() && grid()->selectionModel() != nullptr &&
           grid()->selectionModel()->isSelected(index);
}

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    QAccessibleInterface *grid = table();
    if (grid == nullptr || !isValid())
        return {};
    QAccessibleInterface *title = grid->child(GridChildIndex::ofTitle(columnIndex()));
    return title != nullptr ? QList<QAccessibleInterface *>{title}
                            : QList<QAccessibleInterface *>{};
}

QList<QAccessibleInterface *> GridCellAccessible::rowHeaderCells() const
{
    // The row titles are hidden; the name in the row's first cell says whose row it is.
    return {};
}

int GridCellAccessible::columnIndex() const
{
    return modelIndex().column();
}

int GridCellAccessible::rowIndex() const
{
    return modelIndex().row();
}

int GridCellAccessible::columnExtent() const
{
    return cellExtent;
}

int GridCellAccessible::rowExtent() const
{
    return cellExtent;
}

QAccessibleInterface *GridCellAccessible::table() const
{
    return parent();
}
