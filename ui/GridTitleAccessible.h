// What assistive technology sees of one column title of the hireling grid: a pressable header.
#pragma once

#include <QAccessible>
#include <QPointer>

class HirelingGrid;

// Named by the column's whole caption, however short the title shows it. A sorted column's title
// is described by its order, "по возрастанию" or "по убыванию", as its marker shows it. The press
// action clicks the title, which sorts as a click with the mouse does.
class GridTitleAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridTitleAccessible)

    GridTitleAccessible(HirelingGrid *grid, int column);
    ~GridTitleAccessible() override;

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

    // QAccessibleActionInterface
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QPointer<HirelingGrid> m_grid;
    int m_column;
};
