// The hireling grid: one row per record of the table, the current record selected.
#include "HirelingGrid.h"

#include "DataSource.h"
#include "GridChildIndex.h"
#include "HirelingGridAccessible.h"
#include "HirelingGridModel.h"
#include "HirelingTable.h"
#include "TitleButtonHeader.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

constexpr int nameColumnWidth = 110;
constexpr int numberColumnWidth = 38;

} // namespace

int HirelingGrid::columnWidth(int column)
{
    return column == 0 ? nameColumnWidth : numberColumnWidth;
}

HirelingGrid::HirelingGrid(QWidget *parent)
    : QTableView(parent), m_titles(new TitleButtonHeader(this))
{
    setHorizontalHeader(m_titles);
    setAccessibleName(u"Наемники"_qs);
    // Connected before anyone else can connect to the click, so that the grid knows of it before
    // the table is sorted. The titles' refresh ends the click; should the click's handler fail
    // before it, the click ends with the event loop's next turn all the same.
    connect(m_titles, &TitleButtonHeader::titleBtnClick, this, [this] {
        m_titleClickUnderway = true;
        m_currentMovedByClick = false;
        m_rowBeforeClick = currentIndex().row();
        QMetaObject::invokeMethod(
            this, [this] { m_titleClickUnderway = false; }, Qt::QueuedConnection);
    });
    connect(m_titles, &TitleButtonHeader::markersRefreshed, this, &HirelingGrid::announceSortState);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    applyRowHeight();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setDragEnabled(false);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideNone);

    // The selection stays visible while another control has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void HirelingGrid::bind(DataSource &source, HirelingTable &table)
{
    m_table = &table;
    auto *rows = new HirelingGridModel(table, this);
    setModel(rows);
    connect(rows, &QAbstractItemModel::layoutChanged, this, &HirelingGrid::rowsMoved);
    connect(rows, &QAbstractItemModel::rowsInserted, this, &HirelingGrid::rowsMoved);
    // Qt calls the slots of one signal in the order they were connected: the model takes each
    // change in before the grid selects and scrolls among its rows.
    rows->bindTo(source);
    connect(&source, &DataSource::filled, this, &HirelingGrid::showCurrentRecord);
    connect(&source, &DataSource::reordered, this, &HirelingGrid::centreCurrentRecord);
    connect(&source, &DataSource::currentMoved, this, &HirelingGrid::showCurrentRecord);
    connect(&source, &DataSource::currentMoved, this,
            [this] { m_currentMovedByClick = m_titleClickUnderway; });
    connect(&source, &DataSource::refreshed, this, &HirelingGrid::showCurrentRecord);
    showCurrentRecord();
}

int HirelingGrid::rowHeight() const
{
    return m_titles->titleRowHeight();
}

void HirelingGrid::applyRowHeight()
{
    verticalHeader()->setDefaultSectionSize(rowHeight());
    m_titles->setFixedHeight(rowHeight());
}

void HirelingGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyRowHeight();
}

int HirelingGrid::visibleRowCount() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

int HirelingGrid::topRow() const
{
    return verticalScrollBar()->value();
}

void HirelingGrid::showCurrentRecord()
{
    const int current = m_table->currentRow();
    if (current < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model()->index(current, std::max(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void HirelingGrid::centreCurrentRecord()
{
    const int current = m_table->currentRow();
    const int shown = visibleRowCount();
    const int before = (shown - 1) / 2;
    const int lastTop = std::max(0, m_table->recordCount() - shown);
    verticalScrollBar()->setValue(std::clamp(current - before, 0, lastTop));
    showCurrentRecord();
}

void HirelingGrid::announceSortState()
{
    const bool afterClick = std::exchange(m_titleClickUnderway, false);
    if (model() == nullptr)
        return;
    const auto columns = static_cast<std::size_t>(model()->columnCount());
    m_announcedMarkers.resize(columns, TitleButtonHeader::SortMarker::None);
    int sortedColumn = -1;
    for (std::size_t column = 0; column < columns; ++column) {
        const TitleButtonHeader::SortMarker marker = m_titles->sortMarker(static_cast<int>(column));
        if (marker != TitleButtonHeader::SortMarker::None)
            sortedColumn = static_cast<int>(column);
        if (marker == std::exchange(m_announcedMarkers[column], marker) || !QAccessible::isActive())
            continue;
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        changed.setChild(GridChildIndex::ofTitle(static_cast<int>(column)));
        QAccessible::updateAccessibility(&changed);
    }
    // The listener hears the new order and then where the current record stands in it.
    if (!afterClick)
        return;
    const bool moved = std::exchange(m_currentMovedByClick, false);
    // A reader reads a whole row when the focus comes to a cell of another row. When the same
    // hireling stays current, or another one takes the same row, it would say the name at most:
    // the notice then carries the current row itself.
    const bool rowReadOnFocus = moved && currentIndex().row() != m_rowBeforeClick;
    if (sortedColumn >= 0)
        announceSortOrder(sortedColumn, hasFocus() && !rowReadOnFocus);
    if (hasFocus() && moved)
        announceCurrentCell();
}

void HirelingGrid::announceSortOrder(int sortedColumn, bool withCurrentRow)
{
    auto *table =
        dynamic_cast<HirelingGridAccessible *>(QAccessible::queryAccessibleInterface(this));
    const QAccessibleInterface *title =
        table != nullptr ? table->child(GridChildIndex::ofTitle(sortedColumn)) : nullptr;
    if (title == nullptr)
        return;
    QString notice =
        u"%1, %2"_qs.arg(title->text(QAccessible::Name), title->text(QAccessible::Description));
    const QModelIndex current = currentIndex();
    if (withCurrentRow && current.isValid()) {
        QStringList cells;
        for (int column = 0; column < model()->columnCount(); ++column) {
            if (const QAccessibleInterface *cell = table->cellAt(current.row(), column))
                cells << cell->text(QAccessible::Name);
        }
        notice += u"; "_qs + cells.join(u", "_qs);
    }
    table->announce(notice);
}

void HirelingGrid::announceCurrentCell()
{
    const QModelIndex current = currentIndex();
    if (!QAccessible::isActive() || !current.isValid() || model() == nullptr)
        return;
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(
        GridChildIndex::ofCell(current.row(), current.column(), model()->columnCount()));
    QAccessible::updateAccessibility(&focused);
}

void HirelingGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // The widget's own focus notification names the table only, and it is sent after this
    // handler: the current cell follows it, so that the listener hears the row.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                announceCurrentCell();
        },
        Qt::QueuedConnection);
}

void HirelingGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // During a title click the table view's own notification would come before the title's.
    if (m_titleClickUnderway)
        QAbstractItemView::currentChanged(current, previous);
    else
        QTableView::currentChanged(current, previous);
}

void HirelingGrid::moveCurrentTo(int row)
{
    if (m_table == nullptr || m_table->recordCount() == 0)
        return;
    const int target = std::clamp(row, 0, m_table->recordCount() - 1);
    if (target != m_table->currentRow())
        m_table->moveTo(target);
}

void HirelingGrid::keyboardSearch(const QString &search)
{
    if (m_table == nullptr)
        return;
    if (const int row = m_typeAhead.find(search, *m_table); row >= 0)
        moveCurrentTo(row);
}

// The grid handles its mouse itself instead of through the view's selection machinery: a left press
// on a row asks the table to make that record current, and the table's signal then selects it and
// scrolls it into view. A press below the last row or right of the last column only takes the
// focus, so the selection never goes missing, and a row that is scrolled into view by the press
// cannot leave the selection on the row that came to lie under the pointer.
void HirelingGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        if (const QModelIndex index = indexAt(event->position().toPoint()); index.isValid())
            moveCurrentTo(index.row());
    }
    event->accept();
}

void HirelingGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with the button held follows the pointer from row to row, within the rows shown.
    if (event->buttons() & Qt::LeftButton) {
        if (const QModelIndex index = indexAt(event->position().toPoint()); index.isValid())
            moveCurrentTo(index.row());
    }
    event->accept();
}

void HirelingGrid::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void HirelingGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void HirelingGrid::keyPressEvent(QKeyEvent *event)
{
    if (m_table == nullptr) {
        QTableView::keyPressEvent(event);
        return;
    }
    const int current = m_table->currentRow();
    const int page = visibleRowCount();
    const int last = m_table->recordCount() - 1;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        moveCurrentTo(current - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        moveCurrentTo(current + 1);
        break;
    case Qt::Key_PageUp:
        moveCurrentTo(current - page);
        break;
    case Qt::Key_PageDown:
        moveCurrentTo(current + page);
        break;
    case Qt::Key_Home:
        moveCurrentTo(0);
        break;
    case Qt::Key_End:
        moveCurrentTo(last);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QTableView::keyPressEvent(event);
        return;
    default:
        if (TypeAheadSearch::typesText(*event)) {
            keyboardSearch(event->text());
            break;
        }
        // Nothing else acts on a read-only grid: no editor, no insert, no delete.
        event->ignore();
        return;
    }
    event->accept();
}
