// Tests of the hireling table filled from the embedded packet: stored order, ties, levels and the
// current record across sorts of the 51 real records.
#include "ClientDataSet.h"
#include "EmbeddedPacket.h"
#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "NameCollator.h"
#include "Windows1251.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>

using namespace Qt::StringLiterals;

namespace {

constexpr int hirelingCount = 51;
constexpr int zoltCount = 40;
constexpr int gridFieldCount = MDCost1 + 1;
constexpr double sharedWage = 150;
constexpr int sharedWageCount = 3;
constexpr int levelCount = 8;
constexpr int levelOneCount = 8;
constexpr int someMiddleRow = 17;

QList<int> loadOrder(const HirelingTable &table)
{
    QList<int> order;
    for (int row = 0; row < table.recordCount(); ++row)
        order.append(table.loadNumber(row));
    return order;
}

QList<int> reversed(QList<int> order)
{
    std::reverse(order.begin(), order.end());
    return order;
}

// Load numbers of the records whose field reads `value`, top to bottom.
QList<int> loadNumbersWhere(const HirelingTable &table, int field, double value)
{
    QList<int> found;
    for (int row = 0; row < table.recordCount(); ++row) {
        if (!table.value(row, field).isNull() && table.value(row, field).asFloat() == value)
            found.append(table.loadNumber(row));
    }
    return found;
}

void addGridFieldRows()
{
    QTest::addColumn<QString>("field");
    for (int field = 0; field < gridFieldCount; ++field) {
        const QString name = HirelingFields::definition(static_cast<HirelingField>(field)).name;
        QTest::newRow(qPrintable(name)) << name;
    }
}

} // namespace

class TestHirelingTableRealData final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void copyKeepsTheStoredOrder();
    void gridFieldsHoldNoNulls();
    void descendingIsTheReverseOfAscending_data();
    void descendingIsTheReverseOfAscending();
    void equalWagesStandInLoadOrder();
    void levelsDescendingEndWithLevelOneInReverseLoadOrder();
    void earlierSortLeavesNoTrace();
    void namesAllDifferAndSortAlphabetically();
    void currentRecordSurvivesEverySort_data();
    void currentRecordSurvivesEverySort();

private:
    QByteArray m_stored;
    ClientDataSet m_source;
    std::unique_ptr<DataSource> m_dataSource;
    std::unique_ptr<HirelingTable> m_table;
    int m_notifications = 0;
};

void TestHirelingTableRealData::initTestCase()
{
    m_stored = EmbeddedPacket::storedData();
    QVERIFY2(!m_stored.isEmpty(), "the embedded packet is not linked in");
    m_source.setData(m_stored);
    m_source.open();
    QCOMPARE(m_source.recordCount(), hirelingCount);
}

// A fresh table for every test, filled as the main window fills it at start.
void TestHirelingTableRealData::init()
{
    m_table.reset();
    m_dataSource = std::make_unique<DataSource>();
    connect(m_dataSource.get(), &DataSource::dataChange, this, [this] { ++m_notifications; });
    m_table = std::make_unique<HirelingTable>();
    m_dataSource->setDataSet(m_table.get());
    m_table->open();
    m_notifications = 0;
    m_table->appendAllFrom(m_source, HirelingTable::AllRecords);
}

void TestHirelingTableRealData::copyKeepsTheStoredOrder()
{
    QCOMPARE(m_notifications, 1);
    QCOMPARE(m_table->recordCount(), hirelingCount);
    QCOMPARE(m_table->currentRow(), 0);
    QList<int> stored(hirelingCount);
    std::iota(stored.begin(), stored.end(), 1);
    QCOMPARE(loadOrder(*m_table), stored);
    for (int row = 0; row < hirelingCount; ++row) {
        QCOMPARE(m_table->value(row, MDType).asInteger(), row < zoltCount ? 0 : 1);
        QCOMPARE(m_table->value(row, MDmemo).bytes(), m_source.value(row, MDmemo).bytes());
    }
}

void TestHirelingTableRealData::gridFieldsHoldNoNulls()
{
    for (int row = 0; row < hirelingCount; ++row) {
        for (int field = 0; field < gridFieldCount; ++field)
            QVERIFY(!m_table->value(row, field).isNull());
    }
}

void TestHirelingTableRealData::descendingIsTheReverseOfAscending_data()
{
    addGridFieldRows();
}

void TestHirelingTableRealData::descendingIsTheReverseOfAscending()
{
    QFETCH(QString, field);
    m_table->sortByField(field, true, false);
    const QList<int> ascending = loadOrder(*m_table);
    m_table->sortByField(field, true, true);
    QCOMPARE(loadOrder(*m_table), reversed(ascending));

    // Ascending really ascends: no value is smaller than the one above it.
    m_table->sortByField(field, true, false);
    const int index = m_table->fieldIndex(field);
    if (m_table->fieldDefinitions().at(index).kind != FieldKind::String) {
        for (int row = 1; row < hirelingCount; ++row) {
            QVERIFY(m_table->value(row - 1, index).asFloat() <=
                    m_table->value(row, index).asFloat());
        }
    }
}

void TestHirelingTableRealData::equalWagesStandInLoadOrder()
{
    m_table->sortByField(u"MDCost1", true, false);
    const QList<int> ascending = loadNumbersWhere(*m_table, MDCost1, sharedWage);
    QCOMPARE(ascending.size(), sharedWageCount);
    QVERIFY(std::is_sorted(ascending.begin(), ascending.end()));

    m_table->sortByField(u"MDCost1", true, true);
    QCOMPARE(loadNumbersWhere(*m_table, MDCost1, sharedWage), reversed(ascending));
    // The highest wage is a ZOLT hireling's, the lowest a KREV one's.
    QCOMPARE(m_table->value(0, MDType).asInteger(), 0);
    QCOMPARE(m_table->value(hirelingCount - 1, MDType).asInteger(), 1);
}

void TestHirelingTableRealData::levelsDescendingEndWithLevelOneInReverseLoadOrder()
{
    m_table->sortByField(u"MDlvl", true, true);
    std::set<int> levels;
    for (int row = 0; row < hirelingCount; ++row)
        levels.insert(m_table->value(row, MDlvl).asInteger());
    QCOMPARE(static_cast<int>(levels.size()), levelCount);

    QCOMPARE(m_table->value(0, MDlvl).asInteger(), *levels.rbegin());
    QVERIFY(m_table->value(1, MDlvl).asInteger() < *levels.rbegin());

    const QList<int> levelOne = loadNumbersWhere(*m_table, MDlvl, 1);
    QCOMPARE(levelOne.size(), levelOneCount);
    QCOMPARE(loadOrder(*m_table).mid(hirelingCount - levelOneCount), levelOne);
    QVERIFY(std::is_sorted(levelOne.rbegin(), levelOne.rend()));
}

void TestHirelingTableRealData::earlierSortLeavesNoTrace()
{
    m_table->sortByField(u"MDhea", true, true);
    m_table->sortByField(u"MDstr", true, true);
    const QList<int> afterHealth = loadOrder(*m_table);

    init();
    m_table->sortByField(u"MDstr", true, true);
    QCOMPARE(afterHealth, loadOrder(*m_table));
}

void TestHirelingTableRealData::namesAllDifferAndSortAlphabetically()
{
    m_table->sortByField(u"MDName", true, false);
    const NameCollator collator;
    for (int row = 1; row < hirelingCount; ++row) {
        const QString above = Windows1251::decode(m_table->value(row - 1, MDName).bytes());
        const QString below = Windows1251::decode(m_table->value(row, MDName).bytes());
        QVERIFY2(collator.compare(above, below) < 0, qPrintable(above + u" / "_s + below));
    }
}

void TestHirelingTableRealData::currentRecordSurvivesEverySort_data()
{
    addGridFieldRows();
}

void TestHirelingTableRealData::currentRecordSurvivesEverySort()
{
    QFETCH(QString, field);
    m_table->moveTo(someMiddleRow);
    const int current = m_table->loadNumber(m_table->currentRow());
    m_notifications = 0;

    m_table->sortByField(field, true, true);
    QCOMPARE(m_table->loadNumber(m_table->currentRow()), current);
    m_table->sortByField(field, true, false);
    QCOMPARE(m_table->loadNumber(m_table->currentRow()), current);
    QCOMPARE(m_notifications, 4);
}

QTEST_GUILESS_MAIN(TestHirelingTableRealData)
#include "tst_hirelingtable_realdata.moc"
