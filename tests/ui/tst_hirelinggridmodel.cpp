// Tests of the grid model over the hireling table: titles, cells, and the signals with which it
// follows opens, copies, sorts and moves.
#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingGridModel.h"
#include "HirelingTable.h"
#include "NumberFormat.h"
#include "RecordSource.h"
#include "Windows1251.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;
using Column = HirelingGridModel::GridColumn;

namespace {

constexpr Qt::Alignment numberAlignment = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment textAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Four hirelings with a name, a strength and a wage; every other field is null.
class FourHirelings final : public RecordSource
{
public:
    FourHirelings()
    {
        m_fields = {HirelingFields::definition(MDName), HirelingFields::definition(MDstr),
                    HirelingFields::definition(MDCost1)};
        add(u"Борис"_s, 50, 1500);
        add(u"Анна"_s, 70, 150);
        add(u"Вера"_s, std::nullopt, std::nullopt);
        add(u"Глеб"_s, 60, 400);
    }

    const QList<FieldDefinition> &fieldDefinitions() const override { return m_fields; }
    qsizetype recordCount() const override { return static_cast<qsizetype>(m_rows.size()); }
    const FieldValue &value(qsizetype record, qsizetype field) const override
    {
        return m_rows.at(static_cast<std::size_t>(record)).at(static_cast<std::size_t>(field));
    }

private:
    void add(const QString &name, std::optional<qint16> strength, std::optional<double> wage)
    {
        m_rows.push_back({FieldValue::fromBytes(Windows1251::encode(name).value()),
                          strength ? FieldValue::fromSmallInt(*strength) : FieldValue(),
                          wage ? FieldValue::fromMoney(*wage) : FieldValue()});
    }

    QList<FieldDefinition> m_fields;
    std::vector<std::vector<FieldValue>> m_rows;
};

// The table, its data source and the model bound to it, as the main window puts them together.
struct Grid
{
    DataSource dataSource;
    HirelingTable table;
    HirelingGridModel model{table};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    Grid()
    {
        dataSource.setDataSet(&table);
        model.bindTo(dataSource);
    }

    void openAndFill()
    {
        table.open();
        table.appendAllFrom(FourHirelings(), HirelingTable::AllRecords);
    }

    [[nodiscard]] QString cell(int row, int column) const
    {
        return model.index(row, column).data().toString();
    }

    [[nodiscard]] QStringList names() const
    {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names << cell(row, HirelingGridModel::NameColumn);
        return names;
    }
};

} // namespace

class TestHirelingGridModel final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void titlesAreTheFieldLabels();
    void cellsShowDisplayTexts_data();
    void cellsShowDisplayTexts();
    void cellsAreReadOnly();
    void followsOpenCopySortsAndMoves();
    void sortIsOneLayoutChangeAndOneRefresh_data();
    void sortIsOneLayoutChangeAndOneRefresh();
    void moveRepaintsTheTwoRowsConcerned_data();
    void moveRepaintsTheTwoRowsConcerned();
    void viewKeepsItsRecordAcrossASort();
};

void TestHirelingGridModel::initTestCase()
{
    processNumberFormat().applyWholeAmountOverrides();
}

void TestHirelingGridModel::titlesAreTheFieldLabels()
{
    Grid grid;
    const QStringList expected = {u"Наемник"_s, u"здр"_s, u"пдв"_s, u"лов"_s, u"сил"_s,
                                  u"лдр"_s,     u"мдр"_s, u"мдк"_s, u"взр"_s, u"мех"_s,
                                  u"мед"_s,     u"урв"_s, u"1 д"_s};
    QCOMPARE(grid.model.columnCount(), int(HirelingGridModel::GridColumnCount));
    QStringList titles;
    for (int column = 0; column < grid.model.columnCount(); ++column) {
        titles << grid.model.headerData(column, Qt::Horizontal).toString();
        QCOMPARE(grid.model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                     .value<Qt::Alignment>(),
                 textAlignment);
    }
    QCOMPARE(titles, expected);
    QVERIFY(!grid.model.headerData(HirelingGridModel::GridColumnCount, Qt::Horizontal).isValid());
}

void TestHirelingGridModel::cellsShowDisplayTexts_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::Alignment>("alignment");

    QTest::newRow("name") << 0 << int(Column::NameColumn) << u"Борис"_s << textAlignment;
    QTest::newRow("skill") << 0 << int(Column::StrengthColumn) << u"50"_s << numberAlignment;
    QTest::newRow("wage as money text")
        << 0 << int(Column::WageColumn) << u"1 500"_s << numberAlignment;
    QTest::newRow("small wage") << 1 << int(Column::WageColumn) << u"150"_s << numberAlignment;
    QTest::newRow("null skill") << 2 << int(Column::StrengthColumn) << QString() << numberAlignment;
    QTest::newRow("null wage") << 2 << int(Column::WageColumn) << QString() << numberAlignment;
    QTest::newRow("field the source lacks")
        << 3 << int(Column::LevelColumn) << QString() << numberAlignment;
}

void TestHirelingGridModel::cellsShowDisplayTexts()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(Qt::Alignment, alignment);

    Grid grid;
    grid.openAndFill();
    const QModelIndex index = grid.model.index(row, column);
    QCOMPARE(index.data().toString(), text);
    QCOMPARE(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), alignment);
}

void TestHirelingGridModel::cellsAreReadOnly()
{
    Grid grid;
    grid.openAndFill();
    const QModelIndex index = grid.model.index(1, HirelingGridModel::NameColumn);
    QCOMPARE(grid.model.flags(index),
             Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
    QVERIFY(!grid.model.setData(index, u"Ева"_s));
    QCOMPARE(index.data().toString(), u"Анна"_s);
}

void TestHirelingGridModel::followsOpenCopySortsAndMoves()
{
    Grid grid;
    QSignalSpy inserted(&grid.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy layoutChanged(&grid.model, &QAbstractItemModel::layoutChanged);
    QSignalSpy dataChanged(&grid.model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&grid.model, &QAbstractItemModel::modelReset);

    grid.table.open();
    QCOMPARE(grid.model.rowCount(), 0);
    QCOMPARE(inserted.count(), 0);

    grid.table.appendAllFrom(FourHirelings(), HirelingTable::AllRecords);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 0);
    QCOMPARE(inserted.at(0).at(2).toInt(), 3);
    QCOMPARE(grid.names(), (QStringList{u"Борис"_s, u"Анна"_s, u"Вера"_s, u"Глеб"_s}));

    // A second copy appends after the rows there are.
    grid.table.appendAllFrom(FourHirelings(), 1);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 4);
    QCOMPARE(inserted.at(1).at(2).toInt(), 4);
    QCOMPARE(grid.model.rowCount(), 5);

    // The new order moves persistent indexes with their records.
    const QPersistentModelIndex gleb = grid.model.index(3, HirelingGridModel::StrengthColumn);
    grid.table.sortByField(u"MDstr", true, true);
    QCOMPARE(layoutChanged.count(), 1);
    QCOMPARE(grid.names(), (QStringList{u"Анна"_s, u"Глеб"_s, u"Борис"_s, u"Борис"_s, u"Вера"_s}));
    QCOMPARE(gleb.row(), 1);
    QCOMPARE(gleb.column(), int(HirelingGridModel::StrengthColumn));
    QCOMPARE(gleb.data().toString(), u"60"_s);

    grid.table.sortByField(u"MDName", true, false);
    QCOMPARE(layoutChanged.count(), 2);
    QCOMPARE(grid.names(), (QStringList{u"Анна"_s, u"Борис"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s}));
    QCOMPARE(gleb.row(), 4);
    QCOMPARE(reset.count(), 0);
}

void TestHirelingGridModel::sortIsOneLayoutChangeAndOneRefresh_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("new order") << u"MDCost1"_s << true
                               << QStringList{u"Борис"_s, u"Глеб"_s, u"Анна"_s, u"Вера"_s};
    // The same order again is still announced: the grid chooses its rows anew around it.
    QTest::newRow("order as it was")
        << u"MDhea"_s << false << QStringList{u"Борис"_s, u"Анна"_s, u"Вера"_s, u"Глеб"_s};
}

void TestHirelingGridModel::sortIsOneLayoutChangeAndOneRefresh()
{
    QFETCH(QString, field);
    QFETCH(bool, descending);
    QFETCH(QStringList, names);

    Grid grid;
    grid.openAndFill();
    QStringList emitted;
    QObject context;
    connect(&grid.model, &QAbstractItemModel::layoutAboutToBeChanged, &context,
            [&emitted](const QList<QPersistentModelIndex> &parents,
                       QAbstractItemModel::LayoutChangeHint hint) {
                QVERIFY(parents.isEmpty());
                QCOMPARE(hint, QAbstractItemModel::VerticalSortHint);
                emitted << u"layoutAboutToBeChanged"_s;
            });
    connect(&grid.model, &QAbstractItemModel::layoutChanged, &context,
            [&emitted] { emitted << u"layoutChanged"_s; });
    connect(&grid.model, &QAbstractItemModel::dataChanged, &context,
            [&emitted](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                emitted << u"dataChanged(%1,%2 - %3,%4)"_s.arg(topLeft.row())
                               .arg(topLeft.column())
                               .arg(bottomRight.row())
                               .arg(bottomRight.column());
            });
    QSignalSpy reset(&grid.model, &QAbstractItemModel::modelReset);
    QSignalSpy moved(&grid.model, &QAbstractItemModel::rowsMoved);

    grid.table.sortByField(field, true, descending);
    QCOMPARE(emitted, (QStringList{u"layoutAboutToBeChanged"_s, u"layoutChanged"_s,
                                   u"dataChanged(0,0 - 3,12)"_s}));
    QCOMPARE(grid.names(), names);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(moved.count(), 0);
}

void TestHirelingGridModel::moveRepaintsTheTwoRowsConcerned_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("move");
    QTest::addColumn<QList<int>>("rows"); // the rows repainted, in order

    QTest::newRow("down to a row") << 0 << u"moveTo 2"_s << QList<int>{0, 2};
    QTest::newRow("up to a row") << 3 << u"moveTo 1"_s << QList<int>{3, 1};
    QTest::newRow("next") << 1 << u"next"_s << QList<int>{1, 2};
    QTest::newRow("prior") << 1 << u"prior"_s << QList<int>{1, 0};
    QTest::newRow("last") << 1 << u"last"_s << QList<int>{1, 3};
    QTest::newRow("first") << 2 << u"first"_s << QList<int>{2, 0};
    QTest::newRow("past the end") << 3 << u"next"_s << QList<int>{};
}

void TestHirelingGridModel::moveRepaintsTheTwoRowsConcerned()
{
    QFETCH(int, startRow);
    QFETCH(QString, move);
    QFETCH(QList<int>, rows);

    Grid grid;
    grid.openAndFill();
    grid.table.moveTo(startRow);
    QSignalSpy dataChanged(&grid.model, &QAbstractItemModel::dataChanged);
    QSignalSpy layoutChanged(&grid.model, &QAbstractItemModel::layoutChanged);

    if (move == u"next"_s)
        grid.table.next();
    else if (move == u"prior"_s)
        grid.table.prior();
    else if (move == u"first"_s)
        grid.table.first();
    else if (move == u"last"_s)
        grid.table.last();
    else
        grid.table.moveTo(move.section(u' ', 1).toInt());

    QList<int> repainted;
    for (const QList<QVariant> &signal : std::as_const(dataChanged)) {
        const auto topLeft = signal.at(0).value<QModelIndex>();
        const auto bottomRight = signal.at(1).value<QModelIndex>();
        // Each repaint is one whole row.
        QCOMPARE(bottomRight.row(), topLeft.row());
        QCOMPARE(topLeft.column(), 0);
        QCOMPARE(bottomRight.column(), HirelingGridModel::GridColumnCount - 1);
        repainted << topLeft.row();
    }
    QCOMPARE(repainted, rows);
    QCOMPARE(layoutChanged.count(), 0);
}

void TestHirelingGridModel::viewKeepsItsRecordAcrossASort()
{
    Grid grid;
    grid.openAndFill();
    QTableView view;
    view.setModel(&grid.model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    grid.table.moveTo(2); // "Вера", whose strength is null
    view.setCurrentIndex(grid.model.index(grid.table.currentRow(), 0));

    grid.table.sortByField(u"MDstr", true, true);
    QCOMPARE(grid.table.currentRow(), 3);
    QCOMPARE(view.currentIndex().row(), grid.table.currentRow());
    QCOMPARE(view.currentIndex().data().toString(), u"Вера"_s);
    QVERIFY(view.selectionModel()->isRowSelected(3, {}));
    QVERIFY(!view.selectionModel()->isRowSelected(2, {}));
}

QTEST_MAIN(TestHirelingGridModel)
#include "tst_hirelinggridmodel.moc"
