// What assistive technology sees of one cell of the hireling grid.
#pragma once

#include "GridPartAccessible.h"

#include <QAccessible>
#include <QPersistentModelIndex>

class HirelingGrid;
class QModelIndex;

// A cell's value is its text as the grid shows it; its name is the value after its column title
// (the hireling's name alone in the first column). The cells of the current record's row are
// selected, the current cell is focused, and cells not wholly in the grid's view are off screen: a
// reader that reads what the screen shows skips a row cut by the grid's lower edge.
//
// A cell stands for the record it was made for, as a persistent index does: after a sort its row is
// the record's new row and its texts stay what they were, so that readers that keep a cell's name
// never hold a cell that now says something else, nor one that has gone.
class GridCellAccessible final : public GridPartAccessible, public QAccessibleTableCellInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridCellAccessible)

    GridCellAccessible(HirelingGrid *grid, int row, int column);
    ~GridCellAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    [[nodiscard]] bool isSelected() const override;
    [[nodiscard]] QList<QAccessibleInterface *> columnHeaderCells() const override;
    [[nodiscard]] QList<QAccessibleInterface *> rowHeaderCells() const override;
    [[nodiscard]] int columnIndex() const override;
    [[nodiscard]] int rowIndex() const override;
    [[nodiscard]] int columnExtent() const override;
    [[nodiscard]] int rowExtent() const override;
    [[nodiscard]] QAccessibleInterface *table() const override;

private:
    // What a reader says of the cell at `index` that shows `value`.
    [[nodiscard]] static QString spokenName(const QModelIndex &index, const QString &value);
    [[nodiscard]] QModelIndex modelIndex() const;

    // Follows its record when the rows are reordered or inserted before it.
    QPersistentModelIndex m_index;
};
