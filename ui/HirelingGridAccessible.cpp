// What assistive technology sees of the hireling grid: a table of titles and cells.
#include "HirelingGridAccessible.h"

#include "GridCellAccessible.h"
#include "GridChildIndex.h"
#include "GridHiddenTitleAccessible.h"
#include "GridTitleAccessible.h"
#include "HirelingGrid.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>

#include <utility>

using GridChildIndex::rowTitleColumns;
using GridChildIndex::titleRows;

HirelingGridAccessible::HirelingGridAccessible(HirelingGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{}

HirelingGridAccessible::~HirelingGridAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_children))
        QAccessible::deleteAccessibleInterface(id);
}

HirelingGrid *HirelingGridAccessible::grid() const
{
    return static_cast<HirelingGrid *>(widget());
}

bool HirelingGridAccessible::isValid() const
{
    return QAccessibleWidget::isValid() && grid()->model() != nullptr;
}

QAccessible::Role HirelingGridAccessible::role() const
{
    return QAccessible::Table;
}

QAccessible::State HirelingGridAccessible::state() const
{
    QAccessible::State tableState = QAccessibleWidget::state();
    tableState.readOnly = true;
    return tableState;
}

int HirelingGridAccessible::rowCount() const
{
    const QAbstractItemModel *model = grid()->model();
    return model != nullptr ? model->rowCount() : 0;
}

int HirelingGridAccessible::columnCount() const
{
    const QAbstractItemModel *model = grid()->model();
    return model != nullptr ? model->columnCount() : 0;
}

int HirelingGridAccessible::childCount() const
{
    if (grid()->model() == nullptr)
        return 0;
    return (rowCount() + titleRows) * (columnCount() + rowTitleColumns);
}

QAccessibleInterface *HirelingGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto known = m_children.constFind(index); known != m_children.constEnd())
        return QAccessible::accessibleInterface(known.value());
    QAccessibleInterface *made = makeChild(index);
    m_children.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface *HirelingGridAccessible::makeChild(int index) const
{
    const int stride = columnCount() + rowTitleColumns;
    const int row = index / stride - titleRows;
    const int column = index % stride - rowTitleColumns;
    if (row < 0 && column < 0)
        return new GridHiddenTitleAccessible(grid(), GridHiddenTitleAccessible::cornerRow);
    if (row < 0)
        return new GridTitleAccessible(grid(), column);
    if (column < 0)
        return new GridHiddenTitleAccessible(grid(), row);
    return new GridCellAccessible(grid(), row, column);
}

int HirelingGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child == nullptr)
        return -1;
    // Only interfaces this table made are its children, and it knows each one's number.
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
    for (auto entry = m_children.constBegin(); entry != m_children.constEnd(); ++entry) {
        if (entry.value() == id)
            return entry.key();
    }
    return -1;
}

QAccessibleInterface *HirelingGridAccessible::childAt(int x, int y) const
{
    HirelingGrid *view = grid();
    const QPoint global(x, y);
    const QHeaderView *titles = view->horizontalHeader();
    const QPoint onTitles = titles->viewport()->mapFromGlobal(global);
    if (titles->isVisible() && titles->viewport()->rect().contains(onTitles)) {
        const int column = titles->logicalIndexAt(onTitles);
        return column >= 0 ? child(GridChildIndex::ofTitle(column)) : nullptr;
    }
    const QModelIndex index = view->indexAt(view->viewport()->mapFromGlobal(global));
    if (!index.isValid())
        return nullptr;
    return child(GridChildIndex::ofCell(index.row(), index.column(), columnCount()));
}

QAccessibleInterface *HirelingGridAccessible::focusChild() const
{
    const HirelingGrid *view = grid();
    const QModelIndex current = view->currentIndex();
    if (!view->hasFocus() || !current.isValid())
        return nullptr;
    return cellAt(current.row(), current.column());
}

void *HirelingGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *HirelingGridAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface *HirelingGridAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface *HirelingGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(GridChildIndex::ofCell(row, column, columnCount()));
}

int HirelingGridAccessible::selectedCellCount() const
{
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface *> HirelingGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    const QItemSelectionModel *selection = grid()->selectionModel();
    if (selection == nullptr)
        return cells;
    for (const QModelIndex &index : selection->selectedIndexes()) {
        if (QAccessibleInterface *cell = cellAt(index.row(), index.column()))
            cells.append(cell);
    }
    return cells;
}

QString HirelingGridAccessible::columnDescription(int column) const
{
    const QAbstractItemModel *model = grid()->model();
    if (model == nullptr || column < 0 || column >= columnCount())
        return {};
    return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString HirelingGridAccessible::rowDescription(int) const
{
    // Rows have no titles of their own: the name in the first column says whose row it is.
    return {};
}

int HirelingGridAccessible::selectedColumnCount() const
{
    return static_cast<int>(selectedColumns().size());
}

int HirelingGridAccessible::selectedRowCount() const
{
    return static_cast<int>(selectedRows().size());
}

QList<int> HirelingGridAccessible::selectedColumns() const
{
    QList<int> columns;
    const QItemSelectionModel *selection = grid()->selectionModel();
    if (selection == nullptr)
        return columns;
    for (const QModelIndex &index : selection->selectedColumns())
        columns.append(index.column());
    return columns;
}

QList<int> HirelingGridAccessible::selectedRows() const
{
    QList<int> rows;
    const QItemSelectionModel *selection = grid()->selectionModel();
    if (selection == nullptr)
        return rows;
    for (const QModelIndex &index : selection->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool HirelingGridAccessible::isColumnSelected(int column) const
{
    const QItemSelectionModel *selection = grid()->selectionModel();
    return selection != nullptr && selection->isColumnSelected(column);
}

bool HirelingGridAccessible::isRowSelected(int row) const
{
    const QItemSelectionModel *selection = grid()->selectionModel();
    return selection != nullptr && selection->isRowSelected(row);
}

bool HirelingGridAccessible::selectRow(int row)
{
    HirelingGrid *view = grid();
    if (row < 0 || row >= rowCount())
        return false;
    view->moveCurrentTo(row);
    return view->currentIndex().row() == row;
}

bool HirelingGridAccessible::selectColumn(int)
{
    return false;
}

bool HirelingGridAccessible::unselectRow(int)
{
    return false;
}

bool HirelingGridAccessible::unselectColumn(int)
{
    return false;
}

void HirelingGridAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    // Changed values keep every cell where it is; any other change may move or drop rows. A
    // forgotten cell gets a new interface when next asked for, so that no reader keeps a cell
    // that now shows another record under what it knew.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        forgetRows();
}

void HirelingGridAccessible::forgetRows()
{
    for (auto entry = m_children.begin(); entry != m_children.end();) {
        const QAccessibleInterface *known = QAccessible::accessibleInterface(entry.value());
        if (known != nullptr && known->role() == QAccessible::ColumnHeader) {
            ++entry;
            continue;
        }
        if (known != nullptr)
            QAccessible::deleteAccessibleInterface(entry.value());
        entry = m_children.erase(entry);
    }
}
