// The hireling grid: one row per record of the table, the current record selected.
#include "HirelingGrid.h"

#include "DataSource.h"
#include "HirelingTable.h"
#include "TitleButtonHeader.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

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
    m_shownOrder = table.orderGeneration();
    source.bindControl(this, [this] { followTable(); });
    followTable();
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

void HirelingGrid::followTable()
{
    if (m_table == nullptr || model() == nullptr)
        return;
    m_following = true;
    const int current = m_table->currentRow();
    if (m_table->orderGeneration() != m_shownOrder && current >= 0) {
        m_shownOrder = m_table->orderGeneration();
        const int shown = visibleRowCount();
        const int before = (shown - 1) / 2;
        const int lastTop = std::max(0, m_table->recordCount() - shown);
        verticalScrollBar()->setValue(std::clamp(current - before, 0, lastTop));
    }
    if (current >= 0) {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex index = model()->index(current, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        scrollTo(index, QAbstractItemView::EnsureVisible);
    } else {
        selectionModel()->clear();
    }
    viewport()->update();
    m_following = false;
}

void HirelingGrid::moveCurrentTo(int row)
{
    if (m_table == nullptr || m_table->recordCount() == 0)
        return;
    const int target = std::clamp(row, 0, m_table->recordCount() - 1);
    if (target != m_table->currentRow())
        m_table->moveTo(target);
}

void HirelingGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_following && current.isValid() && m_table != nullptr &&
        current.row() != m_table->currentRow())
        moveCurrentTo(current.row());
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
        // Nothing else acts on a read-only grid: no editor, no insert, no delete.
        event->ignore();
        return;
    }
    event->accept();
}
