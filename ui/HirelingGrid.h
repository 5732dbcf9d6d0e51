// The hireling grid: one row per record of the table, the current record selected.
#pragma once

#include "TitleButtonHeader.h"
#include "TypeAheadSearch.h"

#include <QTableView>

#include <vector>

class DataSource;
class HirelingTable;

// A read-only view of the table whose current row follows the table's current record, which only
// the table holds. Clicks, the navigation keys and assistive technology ask the table to move its
// current record; the table's signal then moves the view, which never writes back. After the
// table's order changes, the rows are chosen anew around the current record, which stands in the
// middle row as far as the ends of the order allow. Screen readers see a table named "Наемники"
// whose column titles tell the sort state and can be pressed. They are told of the current cell
// when the grid takes the focus, and after a title click of the title with its new direction
// ("здр, по убыванию", as a notification) and then, when another record became current, of its
// cell.
class HirelingGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HirelingGrid)

public:
    explicit HirelingGrid(QWidget *parent = nullptr);

    // The width of each of the thirteen columns: the name, ten skills, the level and the wage.
    [[nodiscard]] static int columnWidth(int column);

    // Shows `table` through a model of its own, both following the changes `source` passes on.
    void bind(DataSource &source, HirelingTable &table);

    // Asks the table to make the record in `row` current, the nearest row when it is out of range.
    void moveCurrentTo(int row);

    [[nodiscard]] TitleButtonHeader *titleButtons() const { return m_titles; }
    // The number of record rows the grid shows whole.
    [[nodiscard]] int visibleRowCount() const;
    [[nodiscard]] int topRow() const;
    // Rows are as high as the title row: the font's height and a margin.
    [[nodiscard]] int rowHeight() const;

    // Typed letters make the first hireling whose name begins with them current, in the order
    // shown; a pause starts a new search.
    void keyboardSearch(const QString &search) override;

signals:
    // Rows moved: a new order, or rows added. What keeps things by row files them anew.
    void rowsMoved();

protected:
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Selects the current record's row and scrolls it into view.
    void showCurrentRecord();
    // Chooses the rows anew around the current record after the order changed.
    void centreCurrentRecord();
    // The titles' descriptions follow the markers; readers that listen are told of each title
    // whose marker changed.
    void announceSortState();
    // Tells readers that the focus is on the current cell, as the table view does when the
    // current cell changes while the grid has the focus.
    void announceCurrentCell();
    // Tells readers the title of `sortedColumn` and its direction ("здр, по убыванию") and, if
    // asked, the current row's cells.
    void announceSortOrder(int sortedColumn, bool withCurrentRow);
    void applyRowHeight();

    TitleButtonHeader *m_titles = nullptr;
    HirelingTable *m_table = nullptr;
    // The marker of each title when readers were last told.
    std::vector<TitleButtonHeader::SortMarker> m_announcedMarkers;
    TypeAheadSearch m_typeAhead;
    // From a title click until its markers are shown: the current cell is announced after the
    // title, not on its way.
    bool m_titleClickUnderway = false;
    // Another record became current during the title click (a sort by any column but the name's).
    bool m_currentMovedByClick = false;
    // The current row when the click came.
    int m_rowBeforeClick = -1;
};
