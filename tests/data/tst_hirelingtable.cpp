// Tests of the hireling table: opening, copy, sort, moves and the notifications they raise.
#include "DataError.h"
#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "RecordSource.h"
#include "Windows1251.h"

#include <QTest>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QByteArray cp1251(const QString &text)
{
    return Windows1251::encode(text).value();
}

// A source whose fields and rows the test spells out.
class FixtureSource final : public RecordSource
{
public:
    FixtureSource(QList<FieldDefinition> fields, std::vector<std::vector<FieldValue>> rows)
        : m_fields(std::move(fields)), m_rows(std::move(rows))
    {}

    const QList<FieldDefinition> &fieldDefinitions() const override { return m_fields; }
    qsizetype recordCount() const override { return static_cast<qsizetype>(m_rows.size()); }
    const FieldValue &value(qsizetype record, qsizetype field) const override
    {
        return m_rows.at(static_cast<std::size_t>(record)).at(static_cast<std::size_t>(field));
    }

private:
    QList<FieldDefinition> m_fields;
    std::vector<std::vector<FieldValue>> m_rows;
};

FieldValue text(const QString &value)
{
    return FieldValue::fromBytes(cp1251(value));
}

FieldValue small(qint16 value)
{
    return FieldValue::fromSmallInt(value);
}

FieldValue money(double value)
{
    return FieldValue::fromMoney(value);
}

const FieldValue null;

// Source fields in an order of their own, names in other letter cases, and one field the table
// does not have. The table's other fields stay null.
enum SourceField
{
    SrcStrength,
    SrcName,
    SrcExtra,
    SrcWage,
    SrcMemo,
    SrcPic
};

QList<FieldDefinition> sourceFields()
{
    return {
        {u"mdSTR"_s, FieldKind::SmallInt, 0, {}, Qt::AlignRight},
        {u"mdname"_s, FieldKind::String, 20, {}, Qt::AlignLeft},
        {u"MDNotInTable"_s, FieldKind::String, 10, {}, Qt::AlignLeft},
        {u"MDCOST1"_s, FieldKind::Money, 0, {}, Qt::AlignRight},
        {u"MDmemo"_s, FieldKind::Memo, 0, {}, Qt::AlignLeft},
        {u"MDpic"_s, FieldKind::Blob, 0, {}, Qt::AlignLeft},
    };
}

// Seven hirelings, load numbers 1 to 7, with ties and nulls on each sort key:
//   load  name       strength  wage
//   1     Борис      50        150
//   2     анна       null      300
//   3     Ёлкин      70        150
//   4     null       50        null
//   5     Анна       -5        150
//   6     Иван-Петров 70       2000
//   7     Иванов     50        100
FixtureSource sevenHirelings()
{
    const auto row = [](FieldValue strength, FieldValue name, FieldValue wage) {
        return std::vector<FieldValue>{strength,
                                       name,
                                       text(u"лишнее"_s),
                                       wage,
                                       FieldValue::fromBytes(QByteArray("{\\rtf1}\r\n\0", 10)),
                                       FieldValue::fromBytes(QByteArray("BM\0\0", 4))};
    };
    return FixtureSource(sourceFields(), {
                                             row(small(50), text(u"Борис"_s), money(150)),
                                             row(null, text(u"анна"_s), money(300)),
                                             row(small(70), text(u"Ёлкин"_s), money(150)),
                                             row(small(50), null, null),
                                             row(small(-5), text(u"Анна"_s), money(150)),
                                             row(small(70), text(u"Иван-Петров"_s), money(2000)),
                                             row(small(50), text(u"Иванов"_s), money(100)),
                                         });
}

// Counts the notifications that reach the data-change handler and notes the current row at each.
class NotificationLog final
{
public:
    NotificationLog(DataSource &dataSource, const HirelingTable &table)
    {
        QObject::connect(&dataSource, &DataSource::dataChange, &m_control, [this, &table] {
            m_currentLoadNumbers.append(table.loadNumber(table.currentRow()));
        });
    }

    [[nodiscard]] int count() const { return static_cast<int>(m_currentLoadNumbers.size()); }
    // The load number of the current record at each notification (-1: none).
    [[nodiscard]] const QList<int> &currentAtEach() const { return m_currentLoadNumbers; }
    void clear() { m_currentLoadNumbers.clear(); }

private:
    QObject m_control;
    QList<int> m_currentLoadNumbers;
};

// Writes down each change signal of a table or data source, with its arguments, as text.
class SignalLog final
{
public:
    template <typename Sender> explicit SignalLog(Sender &sender, const QString &prefix = {})
    {
        QObject::connect(&sender, &Sender::filled, &m_context, [this, prefix](int first, int last) {
            entries << u"%1filled(%2, %3)"_s.arg(prefix).arg(first).arg(last);
        });
        QObject::connect(&sender, &Sender::reordered, &m_context,
                         [this, prefix](const QList<int> &formerRows) {
                             QStringList rows;
                             for (const int row : formerRows)
                                 rows << QString::number(row);
                             entries << u"%1reordered(%2)"_s.arg(prefix, rows.join(u' '));
                         });
        QObject::connect(&sender, &Sender::refreshed, &m_context,
                         [this, prefix] { entries << prefix + u"refreshed"_s; });
        QObject::connect(&sender, &Sender::currentMoved, &m_context,
                         [this, prefix](int from, int to) {
                             entries << u"%1currentMoved(%2, %3)"_s.arg(prefix).arg(from).arg(to);
                         });
        // Only the data source has it: new texts for the same values.
        if constexpr (requires { &Sender::reformatted; }) {
            QObject::connect(&sender, &Sender::reformatted, &m_context,
                             [this, prefix] { entries << prefix + u"reformatted"_s; });
        }
    }

    QStringList entries;

private:
    QObject m_context;
};

QList<int> loadOrder(const HirelingTable &table)
{
    QList<int> order;
    for (int row = 0; row < table.recordCount(); ++row)
        order.push_back(table.loadNumber(row));
    return order;
}

QList<int> reversed(QList<int> order)
{
    std::reverse(order.begin(), order.end());
    return order;
}

// A table with its data source and log, opened and filled with the seven hirelings.
struct FilledTable
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log{dataSource, table};

    FilledTable()
    {
        dataSource.setDataSet(&table);
        table.open();
        table.appendAllFrom(sevenHirelings(), HirelingTable::AllRecords);
        log.clear();
    }
};

} // namespace

class TestHirelingTable final : public QObject
{
    Q_OBJECT

private slots:
    void openingRaisesOneNotification();
    void copyPairsFieldsByNameAndPassesValuesUnchanged();
    void copyNotifiesOnceWithTheFirstRecordCurrent();
    void copyAppendsAfterExistingRecords();
    void copyHonoursTheRecordLimit();
    void copyRefusesWithoutChangingTheTable();

    void sortOrdersByKeyThenLoadNumber_data();
    void sortOrdersByKeyThenLoadNumber();
    void sortIgnoresThePreviousOrder();
    void sortKeepsTheCurrentRecordAndNotifiesTwice();
    void sortOfAnEmptyTableDoesNothing();
    void failedSortMovesNothing_data();
    void failedSortMovesNothing();
    void signalsSayWhatHappened_data();
    void signalsSayWhatHappened();

    void movesNotifyOncePerChange();
    void emptyTableHasNoCurrentRecord();
    void dataSourceServesControlsBeforeTheHandler();
};

void TestHirelingTable::openingRaisesOneNotification()
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log(dataSource, table);
    dataSource.setDataSet(&table);
    QVERIFY(!table.isOpen());

    table.open();
    table.open();
    QVERIFY(table.isOpen());
    QCOMPARE(log.currentAtEach(), QList<int>{-1});
    QCOMPARE(table.recordCount(), 0);
    QCOMPARE(table.objectName(), u"MD"_s);
}

void TestHirelingTable::copyPairsFieldsByNameAndPassesValuesUnchanged()
{
    FilledTable filled;
    const HirelingTable &table = filled.table;
    QCOMPARE(table.recordCount(), 7);
    QCOMPARE(loadOrder(table), (QList<int>{1, 2, 3, 4, 5, 6, 7}));

    QCOMPARE(table.value(0, MDName).bytes(), cp1251(u"Борис"_s));
    QCOMPARE(table.value(0, MDstr), small(50));
    QCOMPARE(table.value(0, MDCost1), money(150));
    QVERIFY(table.value(1, MDstr).isNull());
    QVERIFY(table.value(3, MDName).isNull());
    // Memo and blob bytes arrive whole, zero bytes included.
    QCOMPARE(table.value(0, MDmemo).bytes(), QByteArray("{\\rtf1}\r\n\0", 10));
    QCOMPARE(table.value(0, MDpic).bytes(), QByteArray("BM\0\0", 4));
    // No source field names these: they stay null.
    for (const int field : {MDhea, MDlvl, MDCost7, MDchr, MDType})
        QVERIFY2(table.value(0, field).isNull(), qPrintable(table.fieldDefinitions()[field].name));
    // Out of range reads null rather than failing.
    QVERIFY(table.value(7, MDName).isNull());
    QVERIFY(table.value(0, HirelingFieldCount).isNull());
    QCOMPARE(table.loadNumber(-1), -1);
}

void TestHirelingTable::copyNotifiesOnceWithTheFirstRecordCurrent()
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log(dataSource, table);
    dataSource.setDataSet(&table);
    table.open();
    log.clear();

    const int appended = table.appendAllFrom(sevenHirelings(), HirelingTable::AllRecords);
    QCOMPARE(appended, 7);
    QCOMPARE(log.currentAtEach(), QList<int>{1});
    QCOMPARE(table.currentRow(), 0);

    // A source without records still ends the copy with its one notification.
    log.clear();
    const FixtureSource empty(sourceFields(), {});
    QCOMPARE(table.appendAllFrom(empty, HirelingTable::AllRecords), 0);
    QCOMPARE(log.count(), 1);
}

void TestHirelingTable::copyAppendsAfterExistingRecords()
{
    FilledTable filled;
    filled.table.moveTo(4);
    filled.log.clear();

    filled.table.appendAllFrom(sevenHirelings(), HirelingTable::AllRecords);
    QCOMPARE(filled.table.recordCount(), 14);
    QCOMPARE(filled.table.loadNumber(7), 8);
    QCOMPARE(filled.table.loadNumber(13), 14);
    QCOMPARE(filled.table.value(7, MDName).bytes(), cp1251(u"Борис"_s));
    QCOMPARE(filled.log.currentAtEach(), QList<int>{1});
}

void TestHirelingTable::copyHonoursTheRecordLimit()
{
    FilledTable filled;
    QCOMPARE(filled.table.appendAllFrom(sevenHirelings(), 2), 2);
    QCOMPARE(filled.table.recordCount(), 9);
    QCOMPARE(filled.table.value(8, MDName).bytes(), cp1251(u"анна"_s));
}

void TestHirelingTable::copyRefusesWithoutChangingTheTable()
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log(dataSource, table);
    dataSource.setDataSet(&table);

    // Closed.
    try {
        table.appendAllFrom(sevenHirelings(), HirelingTable::AllRecords);
        QFAIL("a closed table took records");
    } catch (const DataError &error) {
        QCOMPARE(error.className(), u"EDatabaseError"_s);
        QVERIFY(error.message().startsWith(u"MD: "_s));
    }
    table.open();
    log.clear();

    // A source field whose kind differs from its namesake's.
    QList<FieldDefinition> wrongKind = sourceFields();
    wrongKind[SrcStrength].kind = FieldKind::Money;
    try {
        table.appendAllFrom(FixtureSource(wrongKind, {{money(1), null, null, null, null, null}}),
                            HirelingTable::AllRecords);
        QFAIL("a field of the wrong kind was copied");
    } catch (const DataError &error) {
        QCOMPARE(error.message(), u"MD: Поле 'сил' не того типа, который ожидается"_s);
    }
    QCOMPARE(table.recordCount(), 0);
    QCOMPARE(log.count(), 0);
}

void TestHirelingTable::sortOrdersByKeyThenLoadNumber_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<int>>("ascending"); // load numbers, top to bottom

    // Nulls first; "анна" and "Анна" tie when case is ignored; Ё sorts with Е, before И (code
    // points would put it last); the hyphen is skipped, so "ИванПетров" follows "Иванов".
    QTest::newRow("string") << u"MDName"_s << QList<int>{4, 2, 5, 1, 3, 7, 6};
    QTest::newRow("small integer, negative value") << u"MDstr"_s << QList<int>{2, 5, 1, 4, 7, 3, 6};
    QTest::newRow("money, three equal wages") << u"MDCost1"_s << QList<int>{4, 7, 1, 3, 5, 2, 6};
    QTest::newRow("field name in another case") << u"mdcost1"_s << QList<int>{4, 7, 1, 3, 5, 2, 6};
    QTest::newRow("all null") << u"MDhea"_s << QList<int>{1, 2, 3, 4, 5, 6, 7};
}

void TestHirelingTable::sortOrdersByKeyThenLoadNumber()
{
    QFETCH(QString, field);
    QFETCH(QList<int>, ascending);

    FilledTable filled;
    filled.table.sortByField(field, true, false);
    QCOMPARE(loadOrder(filled.table), ascending);
    // Descending is the exact reverse, ties and nulls included.
    filled.table.sortByField(field, true, true);
    QCOMPARE(loadOrder(filled.table), reversed(ascending));
    // Sorting again changes nothing.
    filled.table.sortByField(field, true, true);
    QCOMPARE(loadOrder(filled.table), reversed(ascending));
}

void TestHirelingTable::sortIgnoresThePreviousOrder()
{
    FilledTable byStrength;
    byStrength.table.sortByField(u"MDName", true, true);
    byStrength.table.sortByField(u"MDstr", true, false);

    FilledTable strengthOnly;
    strengthOnly.table.sortByField(u"MDstr", true, false);
    QCOMPARE(loadOrder(byStrength.table), loadOrder(strengthOnly.table));
}

void TestHirelingTable::sortKeepsTheCurrentRecordAndNotifiesTwice()
{
    FilledTable filled;
    filled.table.moveTo(2); // load number 3, "Ёлкин", fifth by name
    filled.log.clear();

    filled.table.sortByField(u"MDName", true, false);
    QCOMPARE(filled.log.currentAtEach(), (QList<int>{3, 3}));
    QCOMPARE(filled.table.currentRow(), 4);
    QCOMPARE(filled.table.currentValue(MDName).bytes(), cp1251(u"Ёлкин"_s));

    filled.log.clear();
    filled.table.sortByField(u"MDName", true, true);
    QCOMPARE(filled.log.currentAtEach(), (QList<int>{3, 3}));
    QCOMPARE(filled.table.currentRow(), 2);
}

void TestHirelingTable::sortOfAnEmptyTableDoesNothing()
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log(dataSource, table);
    dataSource.setDataSet(&table);
    table.open();
    log.clear();

    table.sortByField(u"MDName", true, false);
    QCOMPARE(log.count(), 0);
    QCOMPARE(table.currentRow(), -1);
}

void TestHirelingTable::failedSortMovesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such field") << u"MDnope"_s << u"MD: Поле 'MDnope' не найдено"_s;
    QTest::newRow("name given as passed") << u"mdNOPE"_s << u"MD: Поле 'mdNOPE' не найдено"_s;
    QTest::newRow("memo") << u"mdmemo"_s << u"MD: Поле 'Досье' не того типа, который ожидается"_s;
    QTest::newRow("blob") << u"MDpic"_s << u"MD: Поле 'Фото' не того типа, который ожидается"_s;
}

void TestHirelingTable::failedSortMovesNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, message);

    FilledTable filled;
    filled.table.sortByField(u"MDstr", true, true);
    filled.table.moveTo(3);
    const QList<int> before = loadOrder(filled.table);
    filled.log.clear();

    try {
        filled.table.sortByField(field, true, false);
        QFAIL("the sort did not fail");
    } catch (const DataError &error) {
        QCOMPARE(error.className(), u"EDatabaseError"_s);
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(loadOrder(filled.table), before);
    QCOMPARE(filled.table.currentRow(), 3);
    QCOMPARE(filled.log.count(), 0);
}

void TestHirelingTable::signalsSayWhatHappened_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");

    // Each operation starts from the seven hirelings with row 2 (load number 3, "Ёлкин") current.
    QTest::newRow("copy") << u"copy two"_s << QStringList{u"filled(7, 8)"_s};
    QTest::newRow("copy of nothing") << u"copy none"_s << QStringList{u"filled(7, 6)"_s};
    // By name the load numbers come as 4 2 5 1 3 7 6; each stood in the row one below its number.
    QTest::newRow("sort") << u"sort by name"_s
                          << QStringList{u"reordered(3 1 4 0 2 6 5)"_s, u"refreshed"_s};
    QTest::newRow("sort that keeps the order")
        << u"sort by health"_s << QStringList{u"reordered(0 1 2 3 4 5 6)"_s, u"refreshed"_s};
    QTest::newRow("sort, then the first record")
        << u"sort by name, first"_s
        << QStringList{u"reordered(3 1 4 0 2 6 5)"_s, u"refreshed"_s, u"currentMoved(4, 0)"_s};
    QTest::newRow("move") << u"move to 5"_s << QStringList{u"currentMoved(2, 5)"_s};
    QTest::newRow("next") << u"next"_s << QStringList{u"currentMoved(2, 3)"_s};
    QTest::newRow("prior") << u"prior"_s << QStringList{u"currentMoved(2, 1)"_s};
    QTest::newRow("last") << u"last"_s << QStringList{u"currentMoved(2, 6)"_s};
    QTest::newRow("first twice") << u"first, first"_s
                                 << QStringList{u"currentMoved(2, 0)"_s, u"refreshed"_s};
    QTest::newRow("move to the current row") << u"move to 2"_s << QStringList{};
    QTest::newRow("failed sort") << u"sort by portrait"_s << QStringList{};
}

void TestHirelingTable::signalsSayWhatHappened()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);

    FilledTable filled;
    HirelingTable &table = filled.table;
    table.moveTo(2);
    const SignalLog fromTable(table);
    const SignalLog fromDataSource(filled.dataSource);
    filled.log.clear();

    for (const QString &step : operation.split(u", "_s)) {
        if (step == u"copy two"_s)
            table.appendAllFrom(sevenHirelings(), 2);
        else if (step == u"copy none"_s)
            table.appendAllFrom(FixtureSource(sourceFields(), {}), HirelingTable::AllRecords);
        else if (step == u"sort by name"_s)
            table.sortByField(u"MDName", true, false);
        else if (step == u"sort by health"_s)
            table.sortByField(u"MDhea", true, false);
        else if (step == u"sort by portrait"_s)
            QVERIFY_THROWS_EXCEPTION(DataError, table.sortByField(u"MDpic", true, false));
        else if (step == u"move to 5"_s)
            table.moveTo(5);
        else if (step == u"move to 2"_s)
            table.moveTo(2);
        else if (step == u"next"_s)
            table.next();
        else if (step == u"prior"_s)
            table.prior();
        else if (step == u"first"_s)
            table.first();
        else if (step == u"last"_s)
            table.last();
        else
            QFAIL(qPrintable(u"unknown step "_s + step));
    }

    QCOMPARE(fromTable.entries, expected);
    // The data source passes on exactly what the table said, each followed by one notification.
    QCOMPARE(fromDataSource.entries, expected);
    QCOMPARE(filled.log.count(), expected.size());
}

void TestHirelingTable::movesNotifyOncePerChange()
{
    FilledTable filled;
    HirelingTable &table = filled.table;
    NotificationLog &log = filled.log;

    table.first(); // already first: still one refresh
    QCOMPARE(log.currentAtEach(), QList<int>{1});

    log.clear();
    table.moveTo(3);
    table.next();
    table.prior();
    QCOMPARE(log.currentAtEach(), (QList<int>{4, 5, 4}));

    log.clear();
    table.moveTo(3); // the current row
    table.moveTo(-1);
    table.moveTo(7);
    QCOMPARE(log.count(), 0);
    QCOMPARE(table.currentRow(), 3);

    table.last();
    table.next(); // past the end
    QCOMPARE(log.currentAtEach(), QList<int>{7});
    QCOMPARE(table.currentRow(), 6);

    log.clear();
    table.first();
    table.prior(); // past the beginning
    QCOMPARE(log.currentAtEach(), QList<int>{1});
    QCOMPARE(table.currentRow(), 0);
}

void TestHirelingTable::emptyTableHasNoCurrentRecord()
{
    DataSource dataSource;
    HirelingTable table;
    NotificationLog log(dataSource, table);
    dataSource.setDataSet(&table);
    table.open();
    log.clear();

    table.next();
    table.moveTo(0);
    QCOMPARE(log.count(), 0);
    QCOMPARE(table.currentRow(), -1);
    QVERIFY(table.currentValue(MDName).isNull());
}

void TestHirelingTable::dataSourceServesControlsBeforeTheHandler()
{
    DataSource dataSource;
    QStringList calls;
    QObject::connect(&dataSource, &DataSource::dataChange, [&calls] { calls << u"handler"_s; });
    SignalLog first(dataSource, u"first "_s);
    auto second = std::make_unique<SignalLog>(dataSource, u"second "_s);

    HirelingTable table;
    dataSource.setDataSet(&table);
    table.open();
    table.appendAllFrom(sevenHirelings(), 1);
    table.sortByField(u"MDName", true, false);
    QCOMPARE(first.entries, (QStringList{u"first filled(0, -1)"_s, u"first filled(0, 0)"_s,
                                         u"first reordered(0)"_s, u"first refreshed"_s}));
    QCOMPARE(second->entries.size(), 4);
    QCOMPARE(calls.size(), 4);

    // A control bound after the handler still has its turn before the handler runs.
    QStringList order;
    QObject context;
    QObject::connect(&dataSource, &DataSource::dataChange, &context,
                     [&order] { order << u"handler"_s; });
    QObject::connect(&dataSource, &DataSource::refreshed, &context,
                     [&order] { order << u"control"_s; });
    table.first(); // the one record is current already: a refresh
    QCOMPARE(order, (QStringList{u"control"_s, u"handler"_s}));

    // A destroyed control is forgotten; new texts for the same values reach the rest.
    second.reset();
    calls.clear();
    first.entries.clear();
    dataSource.reformat();
    QCOMPARE(first.entries, QStringList{u"first reformatted"_s});
    QCOMPARE(calls, QStringList{u"handler"_s});

    // Without a table the source passes nothing on.
    dataSource.setDataSet(nullptr);
    calls.clear();
    table.last();
    QVERIFY(calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestHirelingTable)
#include "tst_hirelingtable.moc"
