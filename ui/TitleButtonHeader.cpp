// The grid's column-title row: titles that behave as push buttons and carry sort markers.
#include "TitleButtonHeader.h"

#include "AppFonts.h"

#include <QAbstractItemView>
#include <QColor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextBoundaryFinder>

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace {

constexpr int titleFontPixels = 11;
// The raised or sunken edge drawn just inside the title cell.
constexpr int edgeWidth = 1;
// The caption starts this far from the edge; without a marker it may use the rest of the width.
constexpr int captionIndent = 1;
// Extra height of the title row beyond the caption's line and the two edges.
constexpr int captionLeading = 1;
// A pressed title moves its caption and marker this far right and down.
constexpr QPoint pressedShift{1, 1};
// The marker stands this far from the inner right edge of the title.
constexpr int markerRightMargin = 3;
// With a marker, the caption's room ends this much (besides the marker itself) before the edge.
constexpr int markerCaptionGap = 6;

constexpr QRgb markerDarkGrey = qRgb(128, 128, 128);
constexpr QRgb markerWhite = qRgb(255, 255, 255);

const auto ellipsis = QLatin1StringView("...");

using MarkerPattern = std::array<std::string_view, TitleButtonHeader::markerHeight>;

// The two marker bitmaps, one character a pixel: 'd' dark grey, 'w' white, '.' transparent.
// The downward triangle has a dark base and left side and a white right side.
constexpr MarkerPattern downMarker = {
    "..........", //
    ".dddddddd.", //
    ".d......w.", //
    "..d....w..", //
    "..d....w..", //
    "...d..w...", //
    "...d..w...", //
    "....dw....", //
    "..........", //
};
// The upward triangle has a dark left side and a white right side and base.
constexpr MarkerPattern upMarker = {
    "..........", //
    "....dw....", //
    "...d..w...", //
    "...d..w...", //
    "..d....w..", //
    "..d....w..", //
    ".d......w.", //
    ".wwwwwwww.", //
    "..........", //
};

constexpr bool patternHasMarkerSize(const MarkerPattern &pattern)
{
    for (const std::string_view row : pattern) {
        if (row.size() != TitleButtonHeader::markerWidth)
            return false;
    }
    return true;
}
static_assert(patternHasMarkerSize(downMarker) && patternHasMarkerSize(upMarker));

// Paints the pattern pixel by pixel as filled rectangles rather than blitting a bitmap, so that on
// a high-density screen every pixel becomes a sharp block of device pixels with no blending.
void drawMarker(QPainter *painter, const QPoint &topLeft, TitleButtonHeader::SortMarker marker)
{
    const MarkerPattern &pattern =
        marker == TitleButtonHeader::SortMarker::Down ? downMarker : upMarker;
    for (int row = 0; row < TitleButtonHeader::markerHeight; ++row) {
        const std::string_view line = pattern[static_cast<std::size_t>(row)];
        int column = 0;
        while (column < TitleButtonHeader::markerWidth) {
            const char pixel = line[static_cast<std::size_t>(column)];
            int runEnd = column + 1;
            while (runEnd < TitleButtonHeader::markerWidth &&
                   line[static_cast<std::size_t>(runEnd)] == pixel)
                ++runEnd;
            if (pixel != '.') {
                const QColor colour = QColor::fromRgb(pixel == 'd' ? markerDarkGrey : markerWhite);
                painter->fillRect(
                    QRect(topLeft.x() + column, topLeft.y() + row, runEnd - column, 1), colour);
            }
            column = runEnd;
        }
    }
}

// Drops whole characters from the end until the rest followed by "..." fits the room.
QString elideAtEnd(const QString &caption, const QFontMetrics &metrics, int room)
{
    if (metrics.horizontalAdvance(caption) <= room)
        return caption;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, caption);
    characters.toEnd();
    for (qsizetype end = characters.toPreviousBoundary(); end > 0;
         end = characters.toPreviousBoundary()) {
        QString shortened = caption.left(end) + ellipsis;
        if (metrics.horizontalAdvance(shortened) <= room)
            return shortened;
    }
    return ellipsis;
}

} // namespace

// Where the parts of one title go within its section.
struct TitleButtonHeader::TitleLayout
{
    QRect cell;  // the section less its grid lines
    QRect inner; // the cell less its edge
    bool markerShown = false;
    QPoint markerTopLeft;
    QRect caption;
};

TitleButtonHeader::TitleButtonHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setFont(AppFonts::sansSerif(titleFontPixels));
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setSortIndicatorShown(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Fixed);
    // The grid's owner sets every column's width; none is widened to fit the style's minimum.
    setMinimumSectionSize(0);
}

TitleButtonHeader::~TitleButtonHeader() = default;

void TitleButtonHeader::setSortMarkerProvider(SortMarkerProvider provider)
{
    m_markerProvider = std::move(provider);
    refreshTitles();
}

void TitleButtonHeader::refreshTitles()
{
    viewport()->update();
    emit markersRefreshed();
}

TitleButtonHeader::SortMarker TitleButtonHeader::sortMarker(int column) const
{
    if (column < 0 || column >= count())
        return SortMarker::None;
    return markerFor(column);
}

void TitleButtonHeader::clickTitle(int column)
{
    if (column < 0 || column >= count() || isSectionHidden(column))
        return;
    endPress();
    if (QAbstractItemView *grid = gridView())
        grid->setFocus(Qt::MouseFocusReason);
    emit titleBtnClick(column);
}

QString TitleButtonHeader::shownCaption(int column) const
{
    if (column < 0 || column >= count())
        return {};
    const TitleLayout layout = layoutTitle(sectionRect(column), markerFor(column), false);
    return elideAtEnd(captionOf(column), fontMetrics(), layout.caption.width());
}

int TitleButtonHeader::titleRowHeight() const
{
    return fontMetrics().height() + 2 * edgeWidth + captionLeading + gridLineWidth;
}

QRect TitleButtonHeader::sectionRect(int column) const
{
    return {sectionViewportPosition(column), 0, sectionSize(column), viewport()->height()};
}

void TitleButtonHeader::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    // Right of the last column the grid's own background shows, as in the rows below.
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    // The grid has few columns, so every section is simply checked against the damaged area.
    for (int visual = 0; visual < count(); ++visual) {
        const int column = logicalIndex(visual);
        if (isSectionHidden(column))
            continue;
        const QRect section = sectionRect(column);
        if (!section.intersects(event->rect()))
            continue;
        painter.save();
        paintSection(&painter, section, column);
        painter.restore();
    }
}

void TitleButtonHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const bool pressed = m_drawnPressed && logicalIndex == m_pressedColumn;
    const SortMarker marker = markerFor(logicalIndex);
    const TitleLayout layout = layoutTitle(rect, marker, pressed);
    const QPalette &colours = palette();

    const QColor gridColour = gridLineColor();
    painter->fillRect(
        QRect(rect.right() - gridLineWidth + 1, rect.top(), gridLineWidth, rect.height()),
        gridColour);
    painter->fillRect(
        QRect(rect.left(), rect.bottom() - gridLineWidth + 1, rect.width(), gridLineWidth),
        gridColour);
    if (layout.cell.isEmpty())
        return;

    painter->fillRect(layout.cell, colours.color(QPalette::Button));
    const QColor light = colours.color(QPalette::Light);
    const QColor dark = colours.color(QPalette::Dark);
    const QColor &topLeft = pressed ? dark : light;
    const QColor &bottomRight = pressed ? light : dark;
    const QRect &cell = layout.cell;
    painter->fillRect(QRect(cell.left(), cell.top(), cell.width(), edgeWidth), topLeft);
    painter->fillRect(QRect(cell.left(), cell.top(), edgeWidth, cell.height()), topLeft);
    painter->fillRect(QRect(cell.left(), cell.bottom() - edgeWidth + 1, cell.width(), edgeWidth),
                      bottomRight);
    painter->fillRect(QRect(cell.right() - edgeWidth + 1, cell.top(), edgeWidth, cell.height()),
                      bottomRight);
    if (layout.inner.isEmpty())
        return;

    // The pressed caption and marker shift towards the sunken edge but never paint over it.
    painter->setClipRect(layout.inner, Qt::IntersectClip);
    if (layout.markerShown)
        drawMarker(painter, layout.markerTopLeft, marker);
    if (layout.caption.width() > 0) {
        painter->setFont(font());
        painter->setPen(colours.color(QPalette::ButtonText));
        painter->drawText(
            layout.caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            elideAtEnd(captionOf(logicalIndex), fontMetrics(), layout.caption.width()));
    }
}

QSize TitleButtonHeader::sectionSizeFromContents(int logicalIndex) const
{
    const int captionWidth = fontMetrics().horizontalAdvance(captionOf(logicalIndex));
    return {captionWidth + 2 * edgeWidth + captionIndent + gridLineWidth, titleRowHeight()};
}

void TitleButtonHeader::mousePressEvent(QMouseEvent *event)
{
    // Qt's own section handling stays out of it: no selection, no resizing, no sort indicator.
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int column = viewport()->rect().contains(pos) ? logicalIndexAt(pos) : -1;
    if (column < 0)
        return;
    endPress();
    // MouseFocusReason keeps the grid from choosing a current row of its own on focus.
    if (QAbstractItemView *grid = gridView())
        grid->setFocus(Qt::MouseFocusReason);
    m_pressedColumn = column;
    showPressed(true);
    watchGridScrolling();
}

void TitleButtonHeader::mouseMoveEvent(QMouseEvent *event)
{
    // The press grabs the mouse, so moves arrive here even with the pointer far outside the row.
    if (m_pressedColumn < 0)
        return;
    showPressed(isOverPressedTitle(event->position().toPoint()));
}

void TitleButtonHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_pressedColumn < 0)
        return;
    const int column = m_pressedColumn;
    const bool overTitle = isOverPressedTitle(event->position().toPoint());
    // The title is raised again before anyone reacts to the click, e.g. by sorting and redrawing.
    endPress();
    if (overTitle)
        emit titleBtnClick(column);
}

void TitleButtonHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click presses no title, so a double-click clicks only once.
    Q_UNUSED(event)
    endPress();
}

QAbstractItemView *TitleButtonHeader::gridView() const
{
    return qobject_cast<QAbstractItemView *>(parentWidget());
}

TitleButtonHeader::SortMarker TitleButtonHeader::markerFor(int column) const
{
    return m_markerProvider ? m_markerProvider(column) : SortMarker::None;
}

QString TitleButtonHeader::captionOf(int column) const
{
    const QAbstractItemModel *titles = model();
    return titles != nullptr ? titles->headerData(column, orientation(), Qt::DisplayRole).toString()
                             : QString();
}

TitleButtonHeader::TitleLayout TitleButtonHeader::layoutTitle(const QRect &section,
                                                              SortMarker marker, bool pressed) const
{
    TitleLayout layout;
    layout.cell = section.adjusted(0, 0, -gridLineWidth, -gridLineWidth);
    layout.inner = layout.cell.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth);
    const QPoint shift = pressed ? pressedShift : QPoint();
    const int innerRightEnd = layout.inner.left() + layout.inner.width();

    layout.markerShown =
        marker != SortMarker::None && layout.inner.width() >= markerWidth + markerRightMargin;
    if (layout.markerShown) {
        layout.markerTopLeft =
            QPoint(innerRightEnd - markerRightMargin - markerWidth,
                   layout.inner.top() + (layout.inner.height() - markerHeight) / 2) +
            shift;
    }
    const int room = layout.markerShown ? layout.inner.width() - markerWidth - markerCaptionGap
                                        : layout.inner.width() - captionIndent;
    layout.caption = QRect(layout.inner.left() + captionIndent, layout.inner.top(), qMax(room, 0),
                           layout.inner.height())
                         .translated(shift);
    return layout;
}

QColor TitleButtonHeader::gridLineColor() const
{
    // The colour QTableView draws its grid in, so the title row's lines continue the grid's.
    const QWidget *grid = gridView();
    if (grid == nullptr)
        grid = this;
    QStyleOptionViewItem option;
    option.initFrom(grid);
    return QColor::fromRgba(
        static_cast<QRgb>(grid->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, grid)));
}

bool TitleButtonHeader::isOverPressedTitle(const QPoint &viewportPos) const
{
    if (!viewport()->rect().contains(viewportPos))
        return false;
    if (const QAbstractItemView *grid = gridView();
        grid != nullptr && !grid->rect().contains(viewport()->mapTo(grid, viewportPos)))
        return false;
    return logicalIndexAt(viewportPos) == m_pressedColumn;
}

void TitleButtonHeader::showPressed(bool pressed)
{
    if (pressed == m_drawnPressed)
        return;
    m_drawnPressed = pressed;
    viewport()->update();
}

void TitleButtonHeader::watchGridScrolling()
{
    // A scroll moves the titles under the held button, so the press ends there without a click.
    const QAbstractItemView *grid = gridView();
    if (grid == nullptr)
        return;
    m_verticalScroll = connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
                               &TitleButtonHeader::endPress);
    m_horizontalScroll = connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
                                 &TitleButtonHeader::endPress);
}

void TitleButtonHeader::endPress()
{
    disconnect(m_verticalScroll);
    disconnect(m_horizontalScroll);
    m_pressedColumn = -1;
    showPressed(false);
}
