// The grid's column-title row: titles that behave as push buttons and carry sort markers.
#pragma once

#include <QHeaderView>
#include <QMetaObject>

#include <functional>

class QAbstractItemView;
class QColor;

// Stands in for a grid whose column titles are push buttons. A left press on a title holds it
// down while the pointer stays over it; releasing it there reports the title's column. Qt's own
// section clicking, sorting, moving and resizing are off: the grid's columns are fixed.
//
// Every section is a title cell followed by a grid line of gridLineWidth pixels at its right, and
// the title row ends in a grid line at its foot, as the rows of a QTableView with its grid shown.
// A column whose cells are w pixels wide therefore needs a section size of w + gridLineWidth.
class TitleButtonHeader final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TitleButtonHeader)

public:
    // The marker drawn on a title. Down marks a column in ascending order, Up a descending one.
    enum class SortMarker
    {
        None = 0,
        Down = 1,
        Up = 2
    };
    Q_ENUM(SortMarker)

    // Asked for the marker of a column (counted from 0) each time its title is drawn.
    using SortMarkerProvider = std::function<SortMarker(int column)>;

    static constexpr int gridLineWidth = 1;
    // The marker's bitmap size; its pixels are given by the marker patterns in the source.
    static constexpr int markerWidth = 10;
    static constexpr int markerHeight = 9;

    explicit TitleButtonHeader(QWidget *parent = nullptr);
    ~TitleButtonHeader() override;

    // Without a provider no title carries a marker.
    void setSortMarkerProvider(SortMarkerProvider provider);
    // Redraws every title; call it after each sort so the markers follow the sort state.
    void refreshTitles();
    // The marker the title of this column carries now.
    [[nodiscard]] SortMarker sortMarker(int column) const;
    // Clicks the title of this column as a left press and release on it would, for assistive
    // technology: the grid takes the focus and titleBtnClick() follows.
    void clickTitle(int column);
    // The caption as the title shows it now, shortened with "..." to the room it has.
    [[nodiscard]] QString shownCaption(int column) const;
    // The height of the title row, grid line included, for the current font.
    [[nodiscard]] int titleRowHeight() const;
    // Where the title of `column` stands, in the viewport's coordinates, whole height.
    [[nodiscard]] QRect sectionRect(int column) const;

signals:
    // The left button was pressed on the title of this column and released over it.
    void titleBtnClick(int column);
    // refreshTitles() ran: the markers may stand elsewhere now.
    void markersRefreshed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    [[nodiscard]] QSize sectionSizeFromContents(int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct TitleLayout;

    [[nodiscard]] QAbstractItemView *gridView() const;
    [[nodiscard]] SortMarker markerFor(int column) const;
    [[nodiscard]] QString captionOf(int column) const;
    [[nodiscard]] TitleLayout layoutTitle(const QRect &section, SortMarker marker,
                                          bool pressed) const;
    [[nodiscard]] QColor gridLineColor() const;
    [[nodiscard]] bool isOverPressedTitle(const QPoint &viewportPos) const;
    void showPressed(bool pressed);
    void watchGridScrolling();
    void endPress();

    SortMarkerProvider m_markerProvider;
    // The column whose title the left button holds down, -1 while none is.
    int m_pressedColumn = -1;
    // Whether that title is drawn pressed, i.e. the pointer is over it.
    bool m_drawnPressed = false;
    QMetaObject::Connection m_verticalScroll;
    QMetaObject::Connection m_horizontalScroll;
};
