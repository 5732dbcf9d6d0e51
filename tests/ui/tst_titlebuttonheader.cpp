// Tests of the grid's title-button header: press, tracking, release, markers and captions.
#include "AppFonts.h"
#include "TitleButtonHeader.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include <array>
#include <map>
#include <utility>

using SortMarker = TitleButtonHeader::SortMarker;

namespace {

enum GridColumn : int
{
    NameColumn,
    HeaColumn,
    AgiColumn,
    DexColumn,
    StrColumn,
    LdrColumn,
    WisColumn,
    MrkColumn,
    ExpColumn,
    MecColumn,
    MedColumn,
    LvlColumn,
    Cost1Column,
    GridColumnCount
};

constexpr std::array<int, GridColumnCount> cellWidths = {110, 38, 38, 38, 38, 38, 38,
                                                         38,  38, 38, 38, 38, 38};
constexpr int gridLeft = 8;
constexpr int gridWidth = 598;
constexpr int gridHeight = 201;
constexpr int windowWidth = 612;
constexpr int windowHeight = 420;
constexpr int rowCount = 15;
constexpr int lineEditHeight = 24;
constexpr int narrowGridWidth = 300;
// The raised or sunken edge inside each title cell.
constexpr int edgeWidth = 1;
// Space the two side edges and the grid line take from a section's width.
constexpr int sectionFrame = 2 * edgeWidth + TitleButtonHeader::gridLineWidth;
constexpr int markerRightMargin = 3;
constexpr int markerCaptionGap = 6;
constexpr int captionIndent = 1;
constexpr QRgb markerGrey = qRgb(128, 128, 128);
constexpr QRgb markerWhite = qRgb(255, 255, 255);
constexpr int highDensity = 2;
// A pressed title shows its caption and marker this far right and down.
constexpr QPoint pressedShift{1, 1};

// The marker bitmaps as the user sees them: 'd' dark grey, 'w' white, '.' the title's face.
using MarkerRows = std::array<const char *, TitleButtonHeader::markerHeight>;
constexpr MarkerRows downRows = {
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
constexpr MarkerRows upRows = {
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

QStringList gridTitles()
{
    return {u"Наемник"_qs, u"здр"_qs, u"пдв"_qs, u"лов"_qs, u"сил"_qs, u"лдр"_qs, u"мдр"_qs,
            u"мдк"_qs,     u"взр"_qs, u"мех"_qs, u"мед"_qs, u"урв"_qs, u"1 д"_qs};
}

// A window holding the hireling grid with its title buttons, and a line edit that has the focus.
struct GridWindow
{
    QWidget window;
    QStandardItemModel model{rowCount, GridColumnCount};
    QLineEdit *other = nullptr;
    QTableView *view = nullptr;
    TitleButtonHeader *header = nullptr;
    std::map<int, SortMarker> markers;

    GridWindow()
    {
        window.resize(windowWidth, windowHeight);
        model.setHorizontalHeaderLabels(gridTitles());
        for (int row = 0; row < rowCount; ++row) {
            for (int column = 0; column < GridColumnCount; ++column)
                model.setItem(row, column, new QStandardItem(QString::number(row * column)));
        }
        view = new QTableView(&window);
        header = new TitleButtonHeader(view);
        view->setHorizontalHeader(header);
        view->setModel(&model);
        view->verticalHeader()->hide();
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setGeometry(gridLeft, 0, gridWidth, gridHeight);
        for (int column = 0; column < GridColumnCount; ++column)
            header->resizeSection(column, cellWidths[column] + TitleButtonHeader::gridLineWidth);
        header->setSortMarkerProvider([this](int column) {
            const auto found = markers.find(column);
            return found != markers.end() ? found->second : SortMarker::None;
        });
        other = new QLineEdit(&window);
        other->setGeometry(gridLeft, gridHeight + gridLeft, gridWidth, lineEditHeight);
        window.show();
    }

    [[nodiscard]] QWidget *titles() const { return header->viewport(); }
    [[nodiscard]] QPoint titleCentre(int column) const
    {
        return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                header->height() / 2};
    }
    [[nodiscard]] QImage grab() const
    {
        return titles()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Where the parts of one title are, worked out from its section as the user sees them.
struct TitleGeometry
{
    QRect cell;
    QRect inner;

    TitleGeometry(const TitleButtonHeader &header, int column)
        : cell(header.sectionViewportPosition(column), 0,
               header.sectionSize(column) - TitleButtonHeader::gridLineWidth,
               header.height() - TitleButtonHeader::gridLineWidth),
          inner(cell.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth))
    {}
    [[nodiscard]] QPoint markerTopLeft() const
    {
        return {inner.left() + inner.width() - markerRightMargin - TitleButtonHeader::markerWidth,
                inner.top() + (inner.height() - TitleButtonHeader::markerHeight) / 2};
    }
    [[nodiscard]] QRect markerRect() const
    {
        return {markerTopLeft(),
                QSize(TitleButtonHeader::markerWidth, TitleButtonHeader::markerHeight)};
    }
};

QRgb expectedMarkerPixel(char pixel, QRgb face)
{
    if (pixel == 'd')
        return markerGrey;
    return pixel == 'w' ? markerWhite : face;
}

// Compares the marker at topLeft, each marker pixel a scale × scale block of image pixels;
// returns the first difference, or an empty text when there is none.
QString markerMismatch(const QImage &image, QPoint topLeft, const MarkerRows &rows, QRgb face,
                       int scale = 1)
{
    for (int y = 0; y < TitleButtonHeader::markerHeight * scale; ++y) {
        for (int x = 0; x < TitleButtonHeader::markerWidth * scale; ++x) {
            const QRgb expected = expectedMarkerPixel(rows[y / scale][x / scale], face);
            const QPoint at = topLeft * scale + QPoint(x, y);
            const QRgb actual = image.pixel(at) | 0xff000000U;
            if (actual != (expected | 0xff000000U)) {
                return u"pixel (%1, %2) is %3, expected %4"_qs.arg(at.x()).arg(at.y()).arg(
                    QColor(actual).name(), QColor(expected).name());
            }
        }
    }
    return {};
}

bool regionIsPlain(const QImage &image, const QRect &region, QRgb colour)
{
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if ((image.pixel(x, y) | 0xff000000U) != (colour | 0xff000000U))
                return false;
        }
    }
    return true;
}

QRgb faceColour(const TitleButtonHeader &header)
{
    return header.palette().color(QPalette::Button).rgb();
}

// A title is drawn pressed when its top edge shows the shadow colour instead of the light one.
bool drawnPressed(const GridWindow &grid, int column)
{
    const TitleGeometry title(*grid.header, column);
    const QRgb top = grid.grab().pixel(title.cell.center().x(), title.cell.top());
    return top == grid.header->palette().color(QPalette::Dark).rgb();
}

// Counts the paint events of one widget, to see that a change of look is put on screen.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget *watched) : QObject(watched)
    {
        watched->installEventFilter(this);
    }
    [[nodiscard]] int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_paints = 0;
};

// Places the pointer can be moved to or released at while a title is held.
enum class Place
{
    HeldTitle,
    OtherTitle,
    GridRows,
    AboveGrid,
    LeftOfGrid
};

QPoint pointAt(const GridWindow &grid, Place place, int heldColumn)
{
    const QPoint held = grid.titleCentre(heldColumn);
    switch (place) {
    case Place::HeldTitle:
        return held;
    case Place::OtherTitle:
        return grid.titleCentre(heldColumn + 1);
    case Place::GridRows:
        return held + QPoint(0, grid.header->height());
    case Place::AboveGrid:
        return {held.x(), -grid.header->height()};
    case Place::LeftOfGrid:
        return {-gridLeft, held.y()};
    }
    return held;
}

struct Step
{
    Place place;
    bool pressedThere;
};

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(QList<Step>)

class tst_TitleButtonHeader final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void clickReportsItsColumn_data();
    void clickReportsItsColumn();
    void pressTracksThePointer_data();
    void pressTracksThePointer();
    void scrollEndsThePress_data();
    void scrollEndsThePress();
    void doubleClickClicksOnce_data();
    void doubleClickClicksOnce();
    void rightClickDoesNothing();
    void pressFocusesGridAndKeepsCurrentRow();
    void pressedTitleIsSunkenWithCaptionMoved();

    void markerIsPaintedAtTheTitlesRightEnd_data();
    void markerIsPaintedAtTheTitlesRightEnd();
    void markerNeedsRoom_data();
    void markerNeedsRoom();
    void markerStaysSharpAtDoubleDensity();
    void captionIsShortenedToItsRoom_data();
    void captionIsShortenedToItsRoom();
};

void tst_TitleButtonHeader::initTestCase()
{
    qRegisterMetaType<Place>();
}

void tst_TitleButtonHeader::clickReportsItsColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("name") << int(NameColumn);
    QTest::newRow("strength") << int(StrColumn);
    QTest::newRow("daily wage, the last") << int(Cost1Column);
}

void tst_TitleButtonHeader::clickReportsItsColumn()
{
    QFETCH(int, column);
    GridWindow grid;
    QSignalSpy clicks(grid.header, &TitleButtonHeader::titleBtnClick);
    QSignalSpy qtSections(grid.header, &QHeaderView::sectionClicked);

    QTest::mousePress(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(column));
    QVERIFY(clicks.isEmpty());
    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(column));

    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.front().front().toInt(), column);
    QVERIFY(qtSections.isEmpty());
    QVERIFY(!drawnPressed(grid, column));
    QVERIFY(grid.view->selectionModel()->selectedIndexes().isEmpty());
}

void tst_TitleButtonHeader::pressTracksThePointer_data()
{
    QTest::addColumn<QList<Step>>("moves");
    QTest::addColumn<Place>("releaseAt");
    QTest::addColumn<int>("expectedClicks");

    QTest::newRow("released on another title")
        << QList<Step>{{Place::OtherTitle, false}} << Place::OtherTitle << 0;
    QTest::newRow("released in the rows below")
        << QList<Step>{{Place::GridRows, false}} << Place::GridRows << 0;
    QTest::newRow("released outside the grid")
        << QList<Step>{{Place::AboveGrid, false}} << Place::AboveGrid << 0;
    QTest::newRow("away and back each way")
        << QList<Step>{{Place::OtherTitle, false}, {Place::HeldTitle, true},
                       {Place::GridRows, false},   {Place::HeldTitle, true},
                       {Place::AboveGrid, false},  {Place::HeldTitle, true},
                       {Place::LeftOfGrid, false}, {Place::HeldTitle, true}}
        << Place::HeldTitle << 1;
    QTest::newRow("back, then away again before release") << QList<Step>{{Place::OtherTitle, false},
                                                                         {Place::HeldTitle, true},
                                                                         {Place::OtherTitle, false}}
                                                          << Place::OtherTitle << 0;
}

void tst_TitleButtonHeader::pressTracksThePointer()
{
    QFETCH(QList<Step>, moves);
    QFETCH(Place, releaseAt);
    QFETCH(int, expectedClicks);
    // The name column sits at the grid's left edge, so a pointer left of it is outside the grid.
    const int held = NameColumn;
    GridWindow grid;
    QVERIFY(QTest::qWaitForWindowExposed(&grid.window));
    const PaintCounter counter(grid.titles());
    QSignalSpy clicks(grid.header, &TitleButtonHeader::titleBtnClick);

    QTest::mousePress(grid.titles(), Qt::LeftButton, {}, pointAt(grid, Place::HeldTitle, held));
    QVERIFY(drawnPressed(grid, held));
    for (const Step &step : moves) {
        // Every step changes the look, so each must reach the screen before the next check grabs.
        const int paintsBefore = counter.paints();
        QTest::mouseMove(grid.titles(), pointAt(grid, step.place, held));
        QTRY_VERIFY(counter.paints() > paintsBefore);
        QCOMPARE(drawnPressed(grid, held), step.pressedThere);
    }
    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, pointAt(grid, releaseAt, held));

    QCOMPARE(clicks.size(), expectedClicks);
    if (expectedClicks > 0)
        QCOMPARE(clicks.front().front().toInt(), held);
    QVERIFY(!drawnPressed(grid, held));
}

void tst_TitleButtonHeader::scrollEndsThePress_data()
{
    QTest::addColumn<Qt::Orientation>("direction");
    QTest::newRow("rows scrolled") << Qt::Vertical;
    QTest::newRow("columns scrolled") << Qt::Horizontal;
}

void tst_TitleButtonHeader::scrollEndsThePress()
{
    QFETCH(Qt::Orientation, direction);
    GridWindow grid;
    grid.view->resize(narrowGridWidth, gridHeight);
    QScrollBar *bar = direction == Qt::Vertical ? grid.view->verticalScrollBar()
                                                : grid.view->horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QSignalSpy clicks(grid.header, &TitleButtonHeader::titleBtnClick);
    const QPoint title = grid.titleCentre(NameColumn);

    QTest::mousePress(grid.titles(), Qt::LeftButton, {}, title);
    bar->setValue(bar->maximum());
    // Scrolled back, the held title is under the pointer again, but the press is over.
    bar->setValue(0);
    QVERIFY(!drawnPressed(grid, NameColumn));
    QTest::mouseMove(grid.titles(), title + QPoint(1, 0));
    QVERIFY(!drawnPressed(grid, NameColumn));
    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, title);
    QVERIFY(clicks.isEmpty());

    // The next press starts afresh.
    QTest::mouseClick(grid.titles(), Qt::LeftButton, {}, title);
    QCOMPARE(clicks.size(), 1);
}

void tst_TitleButtonHeader::doubleClickClicksOnce_data()
{
    QTest::addColumn<bool>("secondPressDelivered");
    QTest::newRow("second press comes as the double-click only") << false;
    QTest::newRow("second press comes before the double-click") << true;
}

void tst_TitleButtonHeader::doubleClickClicksOnce()
{
    QFETCH(bool, secondPressDelivered);
    GridWindow grid;
    QSignalSpy clicks(grid.header, &TitleButtonHeader::titleBtnClick);
    const QPoint title = grid.titleCentre(LvlColumn);

    QTest::mouseClick(grid.titles(), Qt::LeftButton, {}, title);
    if (secondPressDelivered)
        QTest::mousePress(grid.titles(), Qt::LeftButton, {}, title);
    QTest::mouseDClick(grid.titles(), Qt::LeftButton, {}, title);
    QVERIFY(!drawnPressed(grid, LvlColumn));
    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, title);

    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.front().front().toInt(), int(LvlColumn));
}

void tst_TitleButtonHeader::rightClickDoesNothing()
{
    GridWindow grid;
    const QModelIndex current = grid.model.index(1, HeaColumn);
    grid.view->setCurrentIndex(current);
    QSignalSpy clicks(grid.header, &TitleButtonHeader::titleBtnClick);
    const QPoint title = grid.titleCentre(HeaColumn);

    QTest::mousePress(grid.titles(), Qt::RightButton, {}, title);
    QVERIFY(!drawnPressed(grid, HeaColumn));
    QTest::mouseRelease(grid.titles(), Qt::RightButton, {}, title);
    QTest::mouseDClick(grid.titles(), Qt::RightButton, {}, title);
    QTest::mouseRelease(grid.titles(), Qt::RightButton, {}, title);

    QVERIFY(clicks.isEmpty());
    QCOMPARE(grid.view->currentIndex(), current);
}

void tst_TitleButtonHeader::pressFocusesGridAndKeepsCurrentRow()
{
    GridWindow grid;
    grid.other->setFocus();
    QCOMPARE(grid.window.focusWidget(), grid.other);
    const QModelIndex current = grid.model.index(2, MedColumn);
    grid.view->setCurrentIndex(current);
    const QModelIndexList selected = grid.view->selectionModel()->selectedIndexes();

    QTest::mousePress(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(StrColumn));

    QCOMPARE(grid.window.focusWidget(), grid.view);
    QCOMPARE(grid.view->currentIndex(), current);
    QCOMPARE(grid.view->selectionModel()->selectedIndexes(), selected);

    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(StrColumn));
    QCOMPARE(grid.view->currentIndex(), current);
    QCOMPARE(grid.view->selectionModel()->selectedIndexes(), selected);
}

void tst_TitleButtonHeader::pressedTitleIsSunkenWithCaptionMoved()
{
    GridWindow grid;
    const TitleGeometry title(*grid.header, NameColumn);
    const QPalette &colours = grid.header->palette();
    const QImage raised = grid.grab();

    QTest::mousePress(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(NameColumn));
    const QImage pressed = grid.grab();
    QTest::mouseRelease(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(NameColumn));

    const QPoint topEdge(title.cell.center().x(), title.cell.top());
    const QPoint leftEdge(title.cell.left(), title.cell.center().y());
    const QPoint bottomEdge(title.cell.center().x(), title.cell.bottom());
    const QPoint rightEdge(title.cell.right(), title.cell.center().y());
    const QRgb light = colours.color(QPalette::Light).rgb();
    const QRgb dark = colours.color(QPalette::Dark).rgb();
    QVERIFY(light != dark);
    for (const QPoint &edge : {topEdge, leftEdge})
        QCOMPARE(QColor(raised.pixel(edge)), QColor(light));
    for (const QPoint &edge : {bottomEdge, rightEdge})
        QCOMPARE(QColor(raised.pixel(edge)), QColor(dark));
    for (const QPoint &edge : {topEdge, leftEdge})
        QCOMPARE(QColor(pressed.pixel(edge)), QColor(dark));
    for (const QPoint &edge : {bottomEdge, rightEdge})
        QCOMPARE(QColor(pressed.pixel(edge)), QColor(light));

    // Inside the edge the pressed title is the raised one moved by a pixel right and down.
    const QRect inside = title.inner.adjusted(0, 0, -1, -1);
    QCOMPARE(pressed.copy(inside.translated(pressedShift)), raised.copy(inside));
    QVERIFY(!regionIsPlain(raised, inside, faceColour(*grid.header)));
    QCOMPARE(grid.grab(), raised);
}

void tst_TitleButtonHeader::markerIsPaintedAtTheTitlesRightEnd_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<SortMarker>("marker");
    QTest::addColumn<bool>("pressed");
    QTest::newRow("names ascending") << int(NameColumn) << SortMarker::Down << false;
    QTest::newRow("names descending") << int(NameColumn) << SortMarker::Up << false;
    QTest::newRow("strength ascending") << int(StrColumn) << SortMarker::Down << false;
    QTest::newRow("health descending") << int(HeaColumn) << SortMarker::Up << false;
    QTest::newRow("wage descending, pressed") << int(Cost1Column) << SortMarker::Up << true;
    QTest::newRow("level ascending, pressed") << int(LvlColumn) << SortMarker::Down << true;
}

void tst_TitleButtonHeader::markerIsPaintedAtTheTitlesRightEnd()
{
    QFETCH(int, column);
    QFETCH(SortMarker, marker);
    QFETCH(bool, pressed);
    GridWindow grid;
    grid.markers[column] = marker;
    grid.header->refreshTitles();
    if (pressed)
        QTest::mousePress(grid.titles(), Qt::LeftButton, {}, grid.titleCentre(column));
    const QImage image = grid.grab();
    const QRgb face = faceColour(*grid.header);

    const QPoint shift = pressed ? pressedShift : QPoint();
    const TitleGeometry title(*grid.header, column);
    const QString mismatch = markerMismatch(image, title.markerTopLeft() + shift,
                                            marker == SortMarker::Down ? downRows : upRows, face);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    for (int other = 0; other < GridColumnCount; ++other) {
        if (other != column)
            QVERIFY2(regionIsPlain(image, TitleGeometry(*grid.header, other).markerRect(), face),
                     qPrintable(u"column %1 carries a marker"_qs.arg(other)));
    }
}

void tst_TitleButtonHeader::markerNeedsRoom_data()
{
    QTest::addColumn<int>("innerWidth");
    QTest::addColumn<bool>("shown");
    const int needed = TitleButtonHeader::markerWidth + markerRightMargin;
    QTest::newRow("one pixel short") << needed - 1 << false;
    QTest::newRow("just enough") << needed << true;
    QTest::newRow("far too narrow") << TitleButtonHeader::markerWidth / 2 << false;
}

void tst_TitleButtonHeader::markerNeedsRoom()
{
    QFETCH(int, innerWidth);
    QFETCH(bool, shown);
    GridWindow grid;
    grid.model.setHeaderData(StrColumn, Qt::Horizontal, QString());
    grid.header->resizeSection(StrColumn, innerWidth + sectionFrame);
    grid.markers[StrColumn] = SortMarker::Down;
    const QImage image = grid.grab();
    const TitleGeometry title(*grid.header, StrColumn);
    QCOMPARE(title.inner.width(), innerWidth);

    if (shown) {
        const QString mismatch =
            markerMismatch(image, title.markerTopLeft(), downRows, faceColour(*grid.header));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    } else {
        QVERIFY(regionIsPlain(image, title.inner, faceColour(*grid.header)));
    }
}

void tst_TitleButtonHeader::markerStaysSharpAtDoubleDensity()
{
    GridWindow grid;
    grid.markers[HeaColumn] = SortMarker::Up;
    grid.markers[NameColumn] = SortMarker::Down;
    QPixmap pixmap(grid.titles()->size() * highDensity);
    pixmap.setDevicePixelRatio(highDensity);
    pixmap.fill(Qt::black);
    grid.titles()->render(&pixmap);
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb face = faceColour(*grid.header);

    // Every marker pixel becomes a solid block of device pixels: no blended colours anywhere.
    for (const auto &[column, rows] :
         {std::pair{int(HeaColumn), upRows}, std::pair{int(NameColumn), downRows}}) {
        const QString mismatch = markerMismatch(
            image, TitleGeometry(*grid.header, column).markerTopLeft(), rows, face, highDensity);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void tst_TitleButtonHeader::captionIsShortenedToItsRoom_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("sectionSize");
    QTest::addColumn<SortMarker>("marker");
    QTest::addColumn<bool>("shortened");

    const QFontMetrics metrics(AppFonts::sansSerif(11));
    const QString name = u"Наемник"_qs;
    const QString longName = u"Наемник из долины"_qs;
    const int nameFits = metrics.horizontalAdvance(name) + captionIndent + sectionFrame;
    const int nameFitsWithMarker = metrics.horizontalAdvance(name) + sectionFrame +
                                   TitleButtonHeader::markerWidth + markerCaptionGap;
    const int skillSection = cellWidths[StrColumn] + TitleButtonHeader::gridLineWidth;

    QTest::newRow("grid title") << name << nameFits << SortMarker::None << false;
    QTest::newRow("grid title, a pixel short") << name << nameFits - 1 << SortMarker::None << true;
    QTest::newRow("marker takes the room") << name << nameFits << SortMarker::Up << true;
    QTest::newRow("room left beside the marker")
        << name << nameFitsWithMarker << SortMarker::Down << false;
    QTest::newRow("a pixel short beside the marker")
        << name << nameFitsWithMarker - 1 << SortMarker::Down << true;
    QTest::newRow("skill title beside its marker")
        << u"сил"_qs << skillSection << SortMarker::Up << false;
    QTest::newRow("long caption") << longName << nameFits << SortMarker::None << true;
    QTest::newRow("long caption beside a marker")
        << longName << nameFits << SortMarker::Down << true;
}

void tst_TitleButtonHeader::captionIsShortenedToItsRoom()
{
    QFETCH(QString, caption);
    QFETCH(int, sectionSize);
    QFETCH(SortMarker, marker);
    QFETCH(bool, shortened);
    GridWindow grid;
    grid.model.setHeaderData(NameColumn, Qt::Horizontal, caption);
    grid.header->resizeSection(NameColumn, sectionSize);
    grid.markers[NameColumn] = marker;

    const int innerWidth = sectionSize - sectionFrame;
    const int room = marker == SortMarker::None
                         ? innerWidth - captionIndent
                         : innerWidth - TitleButtonHeader::markerWidth - markerCaptionGap;
    const QFontMetrics metrics(grid.header->font());
    QString expected = caption;
    for (qsizetype kept = caption.size(); kept > 0 && metrics.horizontalAdvance(expected) > room;) {
        --kept;
        expected = caption.left(kept) + u"..."_qs;
    }
    const QString shown = grid.header->shownCaption(NameColumn);
    QCOMPARE(shown, expected);
    QCOMPARE(shown != caption, shortened);

    // What is painted is that shortened caption: the same title showing it in full looks alike.
    const QRect cell = TitleGeometry(*grid.header, NameColumn).cell;
    const QImage painted = grid.grab().copy(cell);
    grid.model.setHeaderData(NameColumn, Qt::Horizontal, shown);
    QCOMPARE(grid.header->shownCaption(NameColumn), shown);
    QCOMPARE(grid.grab().copy(cell), painted);
}

QTEST_MAIN(tst_TitleButtonHeader)
#include "tst_titlebuttonheader.moc"
