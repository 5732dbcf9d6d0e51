// Sorting by a click on a column title: the click rule, the markers, the current record.
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "Tabula.h"
#include "TitleButtonHeader.h"

#include <QLabel>
#include <QTest>

#include <memory>

namespace {

constexpr int recordCount = 51;

using Marker = TitleButtonHeader::SortMarker;

QString nameOf(const HirelingTable &table, int row)
{
    return table.value(row, MDName).displayText(FieldKind::String);
}

QStringList namesInOrder(const HirelingTable &table)
{
    QStringList names;
    for (int row = 0; row < table.recordCount(); ++row)
        names << nameOf(table, row);
    return names;
}

} // namespace

class TitleSortingTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stateTable_data();
    void stateTable();
    void nameTitleKeepsTheCurrentRecordInTheMiddle();
    void otherTitlesMakeTheFirstRecordCurrent();
    void markersFollowTheState();
    void pressAndReleaseElsewhereSortsNothing();
    void doubleClickSortsOnce();
    void rightClickSortsNothing();
    void dailyWageSortsNumerically();
    void detailPanelShowsTheCurrentRecordAfterASort();

private:
    void clickTitle(int column);
    [[nodiscard]] Marker markerOn(int column) const;

    std::unique_ptr<TfmMain> window;
    HirelingTable *table = nullptr;
    HirelingGrid *grid = nullptr;
};

void TitleSortingTest::init()
{
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    table = &window->table();
    grid = window->findChild<HirelingGrid *>(u"RxDBGrid1"_qs);
    QVERIFY(grid != nullptr);
}

void TitleSortingTest::cleanup()
{
    window.reset();
}

void TitleSortingTest::clickTitle(int column)
{
    QHeaderView *titles = grid->horizontalHeader();
    const QPoint centre(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                        titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, centre);
}

// Reads the marker from the painted title: the downward triangle has an 8-pixel dark grey base,
// the upward one an 8-pixel white base, in the 10-pixel box 3 pixels left of the inner edge.
Marker TitleSortingTest::markerOn(int column) const
{
    QHeaderView *titles = grid->horizontalHeader();
    const QImage image = titles->grab().toImage();
    const int cellEnd = titles->sectionViewportPosition(column) + titles->sectionSize(column) -
                        TitleButtonHeader::gridLineWidth;
    const int boxEnd = cellEnd - 1 - 3;
    const int boxStart = boxEnd - 10;
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb white = qRgb(255, 255, 255);
    Marker found = Marker::None;
    for (int y = 2; y < image.height() - 2; ++y) {
        int greys = 0;
        int whites = 0;
        for (int x = boxStart; x < boxEnd; ++x) {
            const QRgb pixel = image.pixel(x, y) & RGB_MASK;
            greys += (pixel == (grey & RGB_MASK)) ? 1 : 0;
            whites += (pixel == (white & RGB_MASK)) ? 1 : 0;
        }
        if (greys >= 8)
            found = Marker::Down;
        else if (whites >= 8)
            found = Marker::Up;
    }
    return found;
}

void TitleSortingTest::stateTable_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("asc");
    QTest::addColumn<int>("desc");

    // Columns: 0 "Наемник", 1 "здр", 4 "сил", 11 "урв".
    QTest::newRow("unsorted, name") << QList<int>{0} << 1 << 0;
    QTest::newRow("unsorted, other") << QList<int>{1} << 0 << 2;
    QTest::newRow("names ascending, name") << QList<int>{0, 0} << 0 << 1;
    QTest::newRow("names ascending, other") << QList<int>{0, 4} << 0 << 5;
    QTest::newRow("names descending, name") << QList<int>{0, 0, 0} << 1 << 0;
    QTest::newRow("names descending, other") << QList<int>{0, 0, 11} << 0 << 12;
    QTest::newRow("j ascending, name") << QList<int>{1, 1, 0} << 1 << 0;
    QTest::newRow("j ascending, other") << QList<int>{1, 1, 4} << 0 << 5;
    QTest::newRow("j ascending, same again") << QList<int>{1, 1, 1} << 0 << 2;
    QTest::newRow("j descending, name") << QList<int>{1, 0} << 1 << 0;
    QTest::newRow("j descending, same") << QList<int>{4, 4} << 5 << 0;
    QTest::newRow("j descending, other") << QList<int>{4, 1} << 0 << 2;
    QTest::newRow("name descending, other, name") << QList<int>{0, 0, 1, 0} << 1 << 0;
}

void TitleSortingTest::stateTable()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, asc);
    QFETCH(int, desc);

    for (const int column : clicks)
        clickTitle(column);
    QCOMPARE(int(TfmMain::ascSortColumn()), asc);
    QCOMPARE(int(TfmMain::descSortColumn()), desc);

    // The table is in the order the state names.
    const int column = std::max(asc, desc) - 1;
    const bool descending = desc != 0;
    QStringList expected = namesInOrder(*table);
    table->sortByField(table->fieldDefinitions().at(column).name, true, descending);
    QCOMPARE(namesInOrder(*table), expected);
    if (column != 0)
        QCOMPARE(table->currentRow(), 0);
}

void TitleSortingTest::nameTitleKeepsTheCurrentRecordInTheMiddle()
{
    table->moveTo(20);
    const QString current = nameOf(*table, 20);
    clickTitle(0);
    QCOMPARE(nameOf(*table, table->currentRow()), current);
    const int before = (grid->visibleRowCount() - 1) / 2;
    const int expectedTop = std::clamp(table->currentRow() - before, 0,
                                       recordCount - grid->visibleRowCount());
    QCOMPARE(grid->topRow(), expectedTop);
    QCOMPARE(grid->currentIndex().row(), table->currentRow());

    clickTitle(0);
    QCOMPARE(nameOf(*table, table->currentRow()), current);

    // Names ascending are in collation order, descending is the exact reverse.
    clickTitle(0);
    const QStringList ascending = namesInOrder(*table);
    clickTitle(0);
    QStringList descending = namesInOrder(*table);
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(descending, ascending);
}

void TitleSortingTest::otherTitlesMakeTheFirstRecordCurrent()
{
    table->moveTo(30);
    clickTitle(4); // "сил"
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(grid->topRow(), 0);
    int strongest = 0;
    for (int row = 0; row < recordCount; ++row)
        strongest = std::max(strongest, table->value(row, MDstr).asInteger());
    QCOMPARE(table->value(0, MDstr).asInteger(), strongest);

    clickTitle(4);
    QCOMPARE(table->currentRow(), 0);
    for (int row = 1; row < recordCount; ++row)
        QVERIFY(table->value(row - 1, MDstr).asInteger() <= table->value(row, MDstr).asInteger());
}

void TitleSortingTest::markersFollowTheState()
{
    for (int column = 0; column < 13; ++column)
        QCOMPARE(markerOn(column), Marker::None);
    clickTitle(0);
    QCOMPARE(markerOn(0), Marker::Down);
    clickTitle(0);
    QCOMPARE(markerOn(0), Marker::Up);
    clickTitle(1);
    QCOMPARE(markerOn(0), Marker::None);
    QCOMPARE(markerOn(1), Marker::Up);
    clickTitle(1);
    QCOMPARE(markerOn(1), Marker::Down);
    clickTitle(4);
    QCOMPARE(markerOn(1), Marker::None);
    QCOMPARE(markerOn(4), Marker::Up);
}

void TitleSortingTest::pressAndReleaseElsewhereSortsNothing()
{
    const QStringList before = namesInOrder(*table);
    QHeaderView *titles = grid->horizontalHeader();
    const QPoint onTitle(titles->sectionViewportPosition(2) + 5, titles->height() / 2);
    QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, onTitle);
    QTest::mouseMove(titles->viewport(), onTitle + QPoint(0, 60));
    QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, onTitle + QPoint(0, 60));
    QCOMPARE(namesInOrder(*table), before);
    QCOMPARE(TfmMain::descSortColumn(), quint8(0));
    QCOMPARE(markerOn(2), Marker::None);
}

void TitleSortingTest::doubleClickSortsOnce()
{
    QHeaderView *titles = grid->horizontalHeader();
    const QPoint onLevel(titles->sectionViewportPosition(11) + 10, titles->height() / 2);
    // As a window system delivers it: press, release, the second press with its double-click
    // event, release.
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, onLevel);
    QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, onLevel);
    QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, onLevel);
    QCOMPARE(TfmMain::descSortColumn(), quint8(12));
    QCOMPARE(table->value(0, MDlvl).asInteger(), 8);
}

void TitleSortingTest::rightClickSortsNothing()
{
    const QStringList before = namesInOrder(*table);
    QHeaderView *titles = grid->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::RightButton, {},
                      QPoint(titles->sectionViewportPosition(1) + 10, titles->height() / 2));
    QCOMPARE(namesInOrder(*table), before);
    QCOMPARE(TfmMain::descSortColumn(), quint8(0));
}

void TitleSortingTest::dailyWageSortsNumerically()
{
    clickTitle(12); // "1 д"
    QCOMPARE(table->value(0, MDType).asInteger(), 0);
    QList<int> loadOrder150Descending;
    for (int row = 0; row < recordCount; ++row) {
        if (row > 0)
            QVERIFY(table->value(row - 1, MDCost1).asFloat() >= table->value(row, MDCost1).asFloat());
        if (table->value(row, MDCost1).asFloat() == 150.0)
            loadOrder150Descending << table->loadNumber(row);
    }
    QCOMPARE(loadOrder150Descending.size(), 3);
    QVERIFY(std::is_sorted(loadOrder150Descending.rbegin(), loadOrder150Descending.rend()));

    clickTitle(12);
    QCOMPARE(table->value(0, MDType).asInteger(), 1);
    QCOMPARE(window->findChild<QLabel *>(u"lbKREV"_qs)->text(), u"KREV"_qs);
    QList<int> loadOrder150Ascending;
    for (int row = 0; row < recordCount; ++row) {
        if (table->value(row, MDCost1).asFloat() == 150.0)
            loadOrder150Ascending << table->loadNumber(row);
    }
    QVERIFY(std::is_sorted(loadOrder150Ascending.begin(), loadOrder150Ascending.end()));
}

void TitleSortingTest::detailPanelShowsTheCurrentRecordAfterASort()
{
    auto *alias = window->findChild<QWidget *>(u"dbAlias"_qs);
    QVERIFY(alias != nullptr);
    table->moveTo(12);
    const QString current = nameOf(*table, 12);
    clickTitle(0);
    QCOMPARE(nameOf(*table, table->currentRow()), current);
    QCOMPARE(alias->property("text").toString().isEmpty(), false);
    clickTitle(2);
    QCOMPARE(table->currentRow(), 0);
}

QTEST_MAIN(TitleSortingTest)
#include "tst_titlesorting.moc"
