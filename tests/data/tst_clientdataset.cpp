// Tests of ClientDataSet: opening from a stored packet, letting go of the bytes, binding fields.
#include "ClientDataSet.h"
#include "DataError.h"
#include "HirelingFields.h"
#include "PacketEncoder.h"

#include <QtEndian>
#include <QtTest>

#include <vector>

namespace {

using Rows = std::vector<std::vector<FieldValue>>;

FieldValue text(const char *bytes)
{
    return FieldValue::fromBytes(QByteArray(bytes));
}

FieldValue number(qint16 value)
{
    return FieldValue::fromSmallInt(value);
}

FieldValue money(double amount)
{
    return FieldValue::fromMoney(amount);
}

// A ZOLT hireling with every value, its deposit a stored 0.
std::vector<FieldValue> zoltRow()
{
    return {text("Gus Tarballs"),
            number(88),
            number(92),
            number(85),
            number(60),
            number(0),
            number(88),
            number(90),
            number(52),
            number(31),
            number(30),
            number(4),
            money(1100),
            money(7500),
            money(14000),
            text("\xF1\xEF\xEE\xEA\xEE\xE9\xED\xFB\xE9"),
            money(0),
            text("\xCA\xEE\xEB\xFC\xF2, \xE0\xEF\xF2\xE5\xF7\xEA\xE0"),
            money(1570),
            FieldValue::fromBytes(QByteArray(50, 'a')),
            text("\xF1\xED\xE0\xE9\xEF\xE5\xF0"),
            text("\xED\xE5\xF2"),
            text("Lynx"),
            number(0),
            FieldValue::fromBytes(QByteArray("{\\rtf1 x\\par }\r\n\0", 17)),
            FieldValue::fromBytes(QByteArray("BM\x66\x18", 4))};
}

// A KREV hireling: only a one-day wage, and no equipment.
std::vector<FieldValue> krevRow()
{
    std::vector<FieldValue> row = zoltRow();
    row[MDName] = text("Ivan Dolvich");
    for (const HirelingField blank : {MDCost7, MDCost15, MDdeposit, MDcurtools, MDtools})
        row[blank] = FieldValue();
    row[MDType] = number(1);
    return row;
}

QByteArray stored(const QList<FieldDefinition> &fields, const Rows &rows)
{
    return PacketEncoder::withLengthPrefix(PacketEncoder::encode(fields, rows));
}

QByteArray hirelingData()
{
    return stored(HirelingFields::definitions(), {zoltRow(), krevRow()});
}

QByteArray lengthOnly(qint32 length)
{
    QByteArray bytes(sizeof length, '\0');
    qToLittleEndian(length, bytes.data());
    return bytes;
}

QList<FieldDefinition> hirelingFieldsWith(HirelingField changed, FieldKind kind, int size)
{
    QList<FieldDefinition> fields = HirelingFields::definitions();
    fields[changed].kind = kind;
    fields[changed].size = size;
    return fields;
}

QList<FieldDefinition> hirelingFieldsWithout(HirelingField missing)
{
    QList<FieldDefinition> fields = HirelingFields::definitions();
    fields.removeAt(missing);
    return fields;
}

} // namespace

class tst_ClientDataSet final : public QObject
{
    Q_OBJECT

private slots:
    void opensAndPresentsThePacket();
    void bindsFieldsByNameIgnoringCase();
    void failsToOpen_data();
    void failsToOpen();
};

void tst_ClientDataSet::opensAndPresentsThePacket()
{
    ClientDataSet dataSet;
    QCOMPARE(ClientDataSet::componentName(), u"ClientDataSet"_qs);
    // Bytes beyond the stored length are not part of the packet.
    dataSet.setData(hirelingData() + "tail");
    QVERIFY(dataSet.holdsPacket());
    QVERIFY(!dataSet.isActive());

    dataSet.open();
    QVERIFY(dataSet.isActive());
    QVERIFY(!dataSet.holdsPacket());
    QCOMPARE(dataSet.recordCount(), 2);
    QCOMPARE(dataSet.fieldDefinitions().size(), HirelingFieldCount);
    for (int i = 0; i < HirelingFieldCount; ++i)
        QCOMPARE(dataSet.fieldDefinitions().at(i).name,
                 HirelingFields::definition(HirelingField(i)).name);

    const std::vector<FieldValue> zolt = zoltRow();
    const std::vector<FieldValue> krev = krevRow();
    for (int i = 0; i < HirelingFieldCount; ++i) {
        QCOMPARE(dataSet.value(0, i), zolt[i]);
        QCOMPARE(dataSet.value(1, i), krev[i]);
    }
    QVERIFY(!dataSet.value(0, MDdeposit).isNull());
    QVERIFY(dataSet.value(1, MDdeposit).isNull());
    QVERIFY(dataSet.value(1, MDtools).isNull());
    QCOMPARE(dataSet.value(0, MDAlias).bytes().size(), 50);
    QCOMPARE(dataSet.value(0, MDmemo).bytes().back(), '\0');
    QVERIFY(dataSet.value(2, MDName).isNull());
    QVERIFY(dataSet.value(0, HirelingFieldCount).isNull());

    // Opening again changes nothing, and needs no packet.
    dataSet.open();
    QCOMPARE(dataSet.recordCount(), 2);
}

// Fields find their columns whatever the letter case of the column names; columns the record does
// not know stay in the data set.
void tst_ClientDataSet::bindsFieldsByNameIgnoringCase()
{
    QList<FieldDefinition> fields = HirelingFields::definitions();
    for (FieldDefinition &field : fields)
        field.name = field.name.toUpper();
    fields.append({u"Extra"_qs, FieldKind::SmallInt, 0, {}, Qt::AlignRight});
    std::vector<FieldValue> row = zoltRow();
    row.push_back(number(5));

    ClientDataSet dataSet;
    dataSet.setData(stored(fields, {row}));
    dataSet.open();
    QCOMPARE(dataSet.fieldDefinitions().size(), HirelingFieldCount + 1);
    QCOMPARE(dataSet.fieldDefinitions().at(MDName).name, u"MDNAME"_qs);
    QCOMPARE(dataSet.value(0, HirelingFieldCount), number(5));
}

void tst_ClientDataSet::failsToOpen_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("message");

    const QString database = u"EDatabaseError"_qs;
    const QString missing = u"ClientDataSet: Missing data provider or data packet"_qs;
    QTest::newRow("nothing stored") << QByteArray() << database << missing;
    QTest::newRow("fewer than 4 bytes") << QByteArray("\x05\x00\x00", 3) << database << missing;
    QTest::newRow("length 0") << lengthOnly(0) + "packet" << database << missing;
    QTest::newRow("negative length") << lengthOnly(-1) + hirelingData() << database << missing;

    QByteArray cut = hirelingData();
    cut.chop(1);
    QTest::newRow("length past the stored bytes")
        << cut << u"EDBClient"_qs
        << u"Damaged data packet: length %1 runs past the end of the stored data (%2 bytes after "
           u"the length)"_qs.arg(cut.size() - 3)
               .arg(cut.size() - 4);
    QByteArray badMark = hirelingData();
    badMark[4] = 0;
    QTest::newRow("damaged packet")
        << badMark << u"EDBClient"_qs
        << u"Damaged data packet: format mark 0xBDE01900 at offset 0 is not 0xBDE01996"_qs;

    QTest::newRow("missing field") << stored(hirelingFieldsWithout(MDspec), {}) << database
                                   << u"ClientDataSet: Поле 'Специальность' не найдено"_qs;
    QTest::newRow("missing field without a label")
        << stored(hirelingFieldsWithout(MDFrends), {}) << database
        << u"ClientDataSet: Поле 'MDFrends' не найдено"_qs;
    QTest::newRow("small integer as money")
        << stored(hirelingFieldsWith(MDlvl, FieldKind::Money, 0), {}) << database
        << u"ClientDataSet: Поле 'урв' не того типа, который ожидается"_qs;
    QTest::newRow("string of another size")
        << stored(hirelingFieldsWith(MDName, FieldKind::String, 30), {}) << database
        << u"ClientDataSet: Поле 'Наемник' не того типа, который ожидается"_qs;
    QTest::newRow("portrait as memo")
        << stored(hirelingFieldsWith(MDpic, FieldKind::Memo, 0), {}) << database
        << u"ClientDataSet: Поле 'Фото' не того типа, который ожидается"_qs;
}

// Every failure leaves the data set closed and without the bytes.
void tst_ClientDataSet::failsToOpen()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, className);
    QFETCH(QString, message);

    ClientDataSet dataSet;
    dataSet.setData(data);
    try {
        dataSet.open();
        QFAIL("the data set opened");
    } catch (const DataError &error) {
        QCOMPARE(error.className(), className);
        QCOMPARE(error.message(), message);
    }
    QVERIFY(!dataSet.isActive());
    QVERIFY(!dataSet.holdsPacket());
    QCOMPARE(dataSet.recordCount(), 0);
    QVERIFY(dataSet.fieldDefinitions().isEmpty());
}

QTEST_APPLESS_MAIN(tst_ClientDataSet)
#include "tst_clientdataset.moc"
