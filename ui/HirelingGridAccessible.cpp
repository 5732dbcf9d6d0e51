// What assistive technology sees of the hireling grid: a table of titles and cells.
#include "HirelingGridAccessible.h"

#include "GridAnnouncementAccessible.h"
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
    : QAccessibleWidget(grid, QAccessible::Table),
      // Rows move whether or not a reader listens; the cells follow their records either way.
      m_rowsMoved(
          QObject::connect(grid, &HirelingGrid::rowsMoved, grid, [this] { followRecords(); }))
{}

HirelingGridAccessible::~HirelingGridAccessible()
{
    QObject::disconnect(m_rowsMoved);
    for (const QAccessible::Id id : std::as_const(m_children))
        QAccessible::deleteAccessibleInterface(id);
    if (m_announcement != 0)
        QAccessible::deleteAccessibleInterface(m_announcement);
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
    return (rowCount() + titleRows) * (columnCount() + rowTitleColumns) +
           (m_announcement != 0 ? 1 : 0);
}

int HirelingGridAccessible::announcementIndex() const
{
    return (rowCount() + titleRows) * (columnCount() + rowTitleColumns);
}

QAccessibleInterface *HirelingGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (index == announcementIndex())
        return QAccessible::accessibleInterface(m_announcement);
    if (QAccessibleInterface *known = knownChild(index))
        return known;
    QAccessibleInterface *made = makeChild(index);
    m_children.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface *HirelingGridAccessible::knownChild(int index) const
{
    const auto known = m_children.constFind(index);
    return known != m_children.constEnd() ? QAccessible::accessibleInterface(known.value())
                                          : nullptr;
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
    auto *asked = const_cast<QAccessibleInterface *>(child);
    const QAccessible::Id id = QAccessible::uniqueId(asked);
    if (m_announcement != 0 && id == m_announcement)
        return announcementIndex();
    for (auto entry = m_children.constBegin(); entry != m_children.constEnd(); ++entry) {
        if (entry.value() != id)
            continue;
        // A cell's number is where its record stands now.
        if (QAccessibleTableCellInterface *cell = asked->tableCellInterface())
            return asked->isValid() ? GridChildIndex::ofCell(cell->rowIndex(), cell->columnIndex(),
                                                             columnCount())
                                    : -1;
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
    // Changed values keep every cell where it is. A new order or new rows move cells with their
    // records: each is filed under its record's new row, and only a cell whose record is gone is
    // dropped. Readers thus keep valid cells that still say what they said. The view tells
    // readers of the change before the grid's rowsMoved() comes, so the cells are filed here first.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        followRecords();
}

void HirelingGridAccessible::followRecords() const
{
    QHash<int, QAccessible::Id> refiled;
    const int columns = columnCount();
    for (auto entry = m_children.cbegin(); entry != m_children.cend(); ++entry) {
        QAccessibleInterface *known = QAccessible::accessibleInterface(entry.value());
        if (known == nullptr)
            continue;
        QAccessibleTableCellInterface *cell = known->tableCellInterface();
        if (cell == nullptr) {
            // Titles, row titles and the corner stand where they stood.
            refiled.insert(entry.key(), entry.value());
        } else if (known->isValid()) {
            refiled.insert(GridChildIndex::ofCell(cell->rowIndex(), cell->columnIndex(), columns),
                           entry.value());
        } else {
            QAccessible::deleteAccessibleInterface(entry.value());
        }
    }
    m_children = std::move(refiled);
}

void HirelingGridAccessible::announce(const QString &text)
{
    if (m_announcement != 0) {
        if (QAccessibleInterface *former = QAccessible::accessibleInterface(m_announcement)) {
            QAccessibleEvent hidden(former, QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&hidden);
        }
        QAccessible::deleteAccessibleInterface(std::exchange(m_announcement, 0));
    }
    auto *made = new GridAnnouncementAccessible(grid(), text);
    m_announcement = QAccessible::registerAccessibleInterface(made);
    QAccessibleEvent shown(made, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
