// What the parts of the hireling grid that are no widgets of their own share for screen readers.
#pragma once

#include <QAccessible>
#include <QPointer>

class HirelingGrid;

// A title, a hidden row title, a cell or a notification of the grid: it belongs to the grid's
// table, has no children and no object of its own, and nothing in it can be edited. The grid
// may go before a reader lets go of a part; the part then has no grid.
class GridPartAccessible : public QAccessibleInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridPartAccessible)

    explicit GridPartAccessible(HirelingGrid *grid);
    ~GridPartAccessible() override;

    [[nodiscard]] QObject *object() const override;
    [[nodiscard]] QWindow *window() const override;
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface *parent() const override;
    [[nodiscard]] QAccessibleInterface *child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override;
    void setText(QAccessible::Text kind, const QString &text) override;

protected:
    // Null once the grid is gone.
    [[nodiscard]] HirelingGrid *grid() const { return m_grid.data(); }

private:
    QPointer<HirelingGrid> m_grid;
};
