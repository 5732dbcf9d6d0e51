// What assistive technology sees of one column title of the hireling grid: a pressable header.
#pragma once

#include "GridPartAccessible.h"

#include <QAccessible>

class HirelingGrid;

// Named by the column's whole caption, however short the title shows it. A sorted column's title
// is described by its order, "по возрастанию" or "по убыванию", as its marker shows it. The press
// action clicks the title, which sorts as a click with the mouse does.
class GridTitleAccessible final : public GridPartAccessible, public QAccessibleActionInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridTitleAccessible)

    GridTitleAccessible(HirelingGrid *grid, int column);
    ~GridTitleAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    int m_column;
};
