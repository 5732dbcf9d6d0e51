// How the hireling grid numbers its children for assistive technology.
#pragma once

// The numbering the table view uses in its own focus and selection notifications: row 0 holds the
// corner and the column titles, column 0 the row titles, so the cell at (row, column) is child
// (row + 1) × (columns + 1) + column + 1.
namespace GridChildIndex {

// The leading row of titles and the leading column of (hidden) row titles.
inline constexpr int titleRows = 1;
inline constexpr int rowTitleColumns = 1;

[[nodiscard]] constexpr int ofTitle(int column)
{
    return rowTitleColumns + column;
}

[[nodiscard]] constexpr int ofCell(int row, int column, int columnCount)
{
    return (row + titleRows) * (columnCount + rowTitleColumns) + column + rowTitleColumns;
}

} // namespace GridChildIndex
