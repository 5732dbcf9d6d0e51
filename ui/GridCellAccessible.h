// What assistive technology sees of one cell of the hireling grid.
#pragma once

#include <QAccessible>
#include <QPointer>

class HirelingGrid;
class QModelIndex;

// A cell reads its text as the grid shows it. The cells of the current record's row are
// selected, the current cell is focused, and cells scrolled out of the grid's view are off screen.
class GridCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridCellAccessible)

    GridCellAccessible(HirelingGrid *grid, int row, int column);
    ~GridCellAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject *object() const override;
    [[nodiscard]] QWindow *window() const override;
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface *parent() const override;
    [[nodiscard]] QAccessibleInterface *child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString &text) override;
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
    [[nodiscard]] QModelIndex modelIndex() const;

    QPointer<HirelingGrid> m_grid;
    int m_row;
    int m_column;
};
