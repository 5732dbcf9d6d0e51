// What assistive technology sees of a row title of the hireling grid, which the grid keeps hidden.
#pragma once

#include "GridPartAccessible.h"

#include <QAccessible>

class HirelingGrid;

// The grid shows no row titles, nor the corner above them; these interfaces hold their places in
// the numbering of the grid's children and are always invisible, so that nobody reads them.
class GridHiddenTitleAccessible final : public GridPartAccessible
{
public:
    Q_DISABLE_COPY_MOVE(GridHiddenTitleAccessible)

    // The row number that stands for the corner above the row titles.
    static constexpr int cornerRow = -1;

    GridHiddenTitleAccessible(HirelingGrid *grid, int row);
    ~GridHiddenTitleAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;

private:
    int m_row;
};
