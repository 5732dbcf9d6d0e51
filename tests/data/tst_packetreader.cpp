// Tests of the packet encoder and the packet reader: exact bytes, values, and damaged packets.
#include "DataError.h"
#include "FieldDefinition.h"
#include "FieldValue.h"
#include "HirelingFields.h"
#include "PacketEncoder.h"
#include "PacketReader.h"

#include <QtEndian>
#include <QtTest>

#include <vector>

namespace {

using Rows = std::vector<std::vector<FieldValue>>;

constexpr int hirelingRowCount = 51;

FieldDefinition field(const char16_t *name, FieldKind kind, int size = 0)
{
    const bool number = kind == FieldKind::SmallInt || kind == FieldKind::Money;
    return {QString::fromUtf16(name), kind, size, {}, number ? Qt::AlignRight : Qt::AlignLeft};
}

// Five columns of every kind, names of equal length so that a patch can swap one for another.
QList<FieldDefinition> smallFields()
{
    return {field(u"Name", FieldKind::String, 20), field(u"Levl", FieldKind::SmallInt),
            field(u"Cost", FieldKind::Money), field(u"Memo", FieldKind::Memo),
            field(u"Pict", FieldKind::Blob)};
}

FieldValue text(const char *bytes)
{
    return FieldValue::fromBytes(QByteArray(bytes));
}

// The first row has every value; the second has a blank level and a blank cost.
Rows smallRows()
{
    return {
        {text("\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2"), FieldValue::fromSmallInt(7),
         FieldValue::fromMoney(1250), FieldValue::fromBytes(QByteArray("{\\rtf1 a}\r\n\0", 12)),
         FieldValue::fromBytes(QByteArray("BM\0\1\2", 5))},
        {text("Zed"), FieldValue(), FieldValue(), FieldValue::fromBytes(QByteArray("\0", 1)),
         FieldValue::fromBytes(QByteArray())},
    };
}

quint16 u16At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

void putU8(QByteArray &bytes, qsizetype offset, quint8 value)
{
    bytes[offset] = static_cast<char>(value);
}

void putU16(QByteArray &bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putU32(QByteArray &bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// Where the descriptor of the column of that name starts (its name length byte).
qsizetype descriptorOffset(const QByteArray &packet, const char *name)
{
    const qsizetype at = packet.indexOf(name);
    Q_ASSERT(at > 0);
    return at - 1;
}

// Where the type code of the descriptor of a column or property with that name lies.
qsizetype typeOffset(const QByteArray &packet, const char *name)
{
    return descriptorOffset(packet, name) + 1 + qsizetype(qstrlen(name)) + sizeof(quint16);
}

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

} // namespace

class tst_PacketReader final : public QObject
{
    Q_OBJECT

private slots:
    void encoderWritesTheHirelingLayout();
    void valuesReadBackAsStored();
    void valuesOutliveThePacketAndEachOther();
    void fieldsComeFromColumns();
    void otherColumnFormsMapToKinds();
    void changeLogChangesNothing();
    void everyCutOrExtraByteIsReported();
    void damagedPacketsAreReported_data();
    void damagedPacketsAreReported();
};

// The hireling layout: 26 columns and 51 rows put every section where the format fixes it, and
// the worked bytes of two descriptors and of the change log come out exactly.
void tst_PacketReader::encoderWritesTheHirelingLayout()
{
    const Rows rows(hirelingRowCount, std::vector<FieldValue>(HirelingFieldCount));
    const QByteArray packet = PacketEncoder::encode(HirelingFields::definitions(), rows);

    QCOMPARE(packet.left(PacketFormat::headerSize),
             hex("96 19 E0 BD 01 00 00 00 18 00 00 00 1A 00 33 00 00 00 03 00 00 00 FD 04"));
    constexpr qsizetype columnsEnd = 644;
    constexpr qsizetype firstRow = 1277;
    QCOMPARE(u16At(packet, PacketFormat::FirstRowOffset), firstRow);

    const QByteArray name = hex("06") + "MDName" + hex("01 00 49 00 00 00 01 00") + hex("05") +
                            "WIDTH" + hex("02 00 02 00 14 00");
    QCOMPARE(packet.mid(PacketFormat::headerSize, name.size()), name);
    const QByteArray cost1 = hex("07") + "MDCost1" + hex("08 00 04 00 00 00 01 00") + hex("07") +
                             "SUBTYPE" + hex("02 00 49 00 06 00") + "Money" + hex("00");
    QCOMPARE(packet.mid(descriptorOffset(packet, "MDCost1"), cost1.size()), cost1);

    const QByteArray changeLog = hex("01 00 0A") + "CHANGE_LOG" +
                                 hex("04 00 82 00 99 00 00 00 01 00 00 00 00 00 00 00 04 00 00 00"
                                     " 02 00 00 00");
    QCOMPARE(packet.mid(columnsEnd, changeLog.size()), changeLog);
    // The last entry is (51, 0, 4), right before the first row.
    QCOMPARE(packet.mid(firstRow - 12, 12), hex("33 00 00 00 00 00 00 00 04 00 00 00"));

    // Every row is all blank: status 4, a blank map of 26 ones and no values.
    const QByteArray blankRow = hex("04 55 55 55 55 55 55 05");
    QCOMPARE(packet.size(), firstRow + hirelingRowCount * blankRow.size());
    QCOMPARE(packet.mid(firstRow, blankRow.size()), blankRow);

    const QByteArray stored = PacketEncoder::withLengthPrefix(packet);
    QCOMPARE(stored.left(4), hex("95 06 00 00"));
    QCOMPARE(stored.mid(4), packet);
}

// Blank values take no bytes, zero and empty are not blank, strings of full width, memos with their
// final zero byte and empty blobs read back unchanged, and the rows end at the last byte.
void tst_PacketReader::valuesReadBackAsStored()
{
    QList<FieldDefinition> fields = smallFields();
    fields[0].size = 50;
    Rows rows = smallRows();
    const QByteArray fifty(50, '\xE0');
    rows.push_back({FieldValue::fromBytes(fifty), FieldValue::fromSmallInt(0),
                    FieldValue::fromMoney(0), FieldValue(), FieldValue::fromBytes(QByteArray())});
    rows.push_back({FieldValue::fromBytes(QByteArray("")), FieldValue::fromSmallInt(-32768),
                    FieldValue::fromMoney(99999), FieldValue::fromBytes(QByteArray("x")),
                    FieldValue()});

    const QByteArray packet = PacketEncoder::encode(fields, rows);
    const PacketReader::Packet decoded = PacketReader::decode(packet);
    QCOMPARE(decoded.rows, rows);

    // The second row's blank level and cost leave nothing between the name and the memo:
    // status, 2 blank-map bytes, name, memo, blob.
    const qsizetype firstRow = u16At(packet, PacketFormat::FirstRowOffset);
    const qsizetype secondRow = firstRow + 1 + 2 + (1 + 11) + 2 + 8 + (4 + 12) + (4 + 5);
    QCOMPARE(packet.mid(secondRow, 12), hex("04 14 00 03") + "Zed" + hex("01 00 00 00 00"));

    const std::vector<FieldValue> &zeros = decoded.rows[2];
    QCOMPARE(zeros[0].bytes(), fifty);
    QVERIFY(!zeros[1].isNull());
    QCOMPARE(zeros[1].asInteger(), 0);
    QVERIFY(!zeros[2].isNull());
    QCOMPARE(zeros[2].asFloat(), 0.0);
    QVERIFY(zeros[3].isNull());
    QVERIFY(!zeros[4].isNull());
    QVERIFY(!decoded.rows[3][0].isNull());
    QCOMPARE(decoded.rows[3][0].bytes(), QByteArray());

    const QByteArray &memo = decoded.rows[0][3].bytes();
    QCOMPARE(memo.size(), 12);
    QCOMPARE(memo.back(), '\0');
}

// Decoded values own their bytes together: they outlive the packet, a change to one leaves the
// others alone, and each ends with a zero byte as every QByteArray does.
void tst_PacketReader::valuesOutliveThePacketAndEachOther()
{
    const Rows rows = smallRows();
    QByteArray name;
    QByteArray memo;
    QByteArray last;
    {
        QByteArray packet = PacketEncoder::encode(smallFields(), rows);
        const PacketReader::Packet decoded = PacketReader::decode(packet);
        for (const std::vector<FieldValue> &row : decoded.rows) {
            for (const FieldValue &value : row)
                QCOMPARE(value.bytes().constData()[value.bytes().size()], '\0');
        }
        name = decoded.rows[0][0].bytes();
        memo = decoded.rows[0][3].bytes();
        last = decoded.rows[1][0].bytes();
        packet.fill('\xFF');
    }
    QCOMPARE(name, rows[0][0].bytes());
    name.append(QByteArray(100, 'x'));
    QCOMPARE(memo, rows[0][3].bytes());
    QCOMPARE(last, rows[1][0].bytes());

    // With every other value gone, the last one grows as any other QByteArray does.
    name.clear();
    memo.clear();
    last.append(QByteArray(100, 'y'));
    QCOMPARE(last, rows[1][0].bytes() + QByteArray(100, 'y'));
}

void tst_PacketReader::fieldsComeFromColumns()
{
    const PacketReader::Packet decoded =
        PacketReader::decode(PacketEncoder::encode(HirelingFields::definitions(), Rows{}));
    QCOMPARE(decoded.fields.size(), HirelingFieldCount);
    QVERIFY(decoded.rows.empty());
    for (int i = 0; i < HirelingFieldCount; ++i) {
        FieldDefinition expected = HirelingFields::definitions().at(i);
        expected.label.clear(); // a packet carries no labels
        QCOMPARE(decoded.fields.at(i), expected);
    }
    const PacketReader::Column &name = decoded.columns.front();
    QCOMPARE(name.offset, PacketFormat::headerSize);
    QCOMPARE(name.width, std::optional<quint16>(20));
    QCOMPARE(decoded.columns.at(MDCost1).subtype, QByteArray("Money"));
    QCOMPARE(decoded.columns.at(MDpic).subtype, QByteArray("Binary"));
}

// A double whose SUBTYPE is not "Money" still reads as an amount; a byte string whose SUBTYPE is
// not "Text" reads as a blob; unknown properties are skipped by their type code.
void tst_PacketReader::otherColumnFormsMapToKinds()
{
    const Rows rows = smallRows();
    QByteArray packet = PacketEncoder::encode(smallFields(), rows);
    packet.replace("Money", "Other");
    packet.replace("Text", "Note");
    const PacketReader::Packet decoded = PacketReader::decode(packet);
    QCOMPARE(decoded.fields[2].kind, FieldKind::Money);
    QCOMPARE(decoded.columns[2].subtype, QByteArray("Other"));
    QCOMPARE(decoded.fields[3].kind, FieldKind::Blob);
    QCOMPARE(decoded.rows, rows);

    // The level column gets one unknown array property, spliced in after its descriptor.
    QByteArray withProperty = PacketEncoder::encode(smallFields(), rows);
    const qsizetype levl = descriptorOffset(withProperty, "Levl");
    const qsizetype countAt = levl + 1 + 4 + 3 * sizeof(quint16);
    putU16(withProperty, countAt, 1);
    const QByteArray property = hex("04") + "XTRA" + hex("02 00 81 00 02 00 00 00 01 00 02 00");
    withProperty.insert(countAt + sizeof(quint16), property);
    putU16(withProperty, PacketFormat::FirstRowOffset,
           u16At(withProperty, PacketFormat::FirstRowOffset) + property.size());
    QCOMPARE(PacketReader::decode(withProperty).rows, rows);
}

void tst_PacketReader::changeLogChangesNothing()
{
    const Rows rows = smallRows();
    QByteArray packet = PacketEncoder::encode(smallFields(), rows);
    // Entry 1 becomes (2, 7, 2): row 2 deleted; entry 2 becomes (2, 0, 8): row 2 modified.
    const qsizetype entries = packet.indexOf("CHANGE_LOG") + 10 + 2 * sizeof(quint16) + 4;
    putU32(packet, entries, 2);
    putU32(packet, entries + 4, 7);
    putU32(packet, entries + 8, 2);
    putU32(packet, entries + 20, 8);
    // Row statuses mean nothing to the reader either.
    putU8(packet, u16At(packet, PacketFormat::FirstRowOffset), 2);
    QCOMPARE(PacketReader::decode(packet).rows, rows);
}

// Whatever byte the packet is cut after, and whatever is appended, the reader reports it.
void tst_PacketReader::everyCutOrExtraByteIsReported()
{
    const QByteArray packet = PacketEncoder::encode(smallFields(), smallRows());
    for (qsizetype size = 0; size < packet.size(); ++size) {
        try {
            (void)PacketReader::decode(QByteArrayView(packet).first(size));
            QFAIL(qPrintable(u"a packet cut to %1 bytes was accepted"_qs.arg(size)));
        } catch (const DataError &error) {
            QCOMPARE(error.className(), u"EDBClient"_qs);
            QVERIFY2(error.message().startsWith(u"Damaged data packet: "_qs),
                     qPrintable(error.message()));
        }
    }
    QVERIFY_THROWS_EXCEPTION(DataError, (void)PacketReader::decode(packet + '\0'));
}

void tst_PacketReader::damagedPacketsAreReported_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<qsizetype>("offset");
    namespace R = PacketFormat;

    const QByteArray good = PacketEncoder::encode(smallFields(), smallRows());
    const qsizetype size = good.size();
    const qsizetype firstRow = u16At(good, PacketFormat::FirstRowOffset);
    const qsizetype blankMap = firstRow + 1;
    const qsizetype nameLength = firstRow + 3;
    const qsizetype nameWidth = typeOffset(good, "WIDTH") + sizeof(quint16);
    const qsizetype memoLength = nameLength + 1 + 11 + 2 + 8;
    const qsizetype changeLogType = typeOffset(good, "CHANGE_LOG");
    const qsizetype changeLogCount = changeLogType + sizeof(quint16);
    const auto patched = [&good](auto patch) {
        QByteArray bytes = good;
        patch(bytes);
        return bytes;
    };

    const auto addRow = [](const char *name, const QByteArray &packet, const QString &fragment,
                           qsizetype offset) {
        QTest::newRow(name) << packet << fragment << offset;
    };

    addRow("shorter than the header", good.left(10),
           u"the 24-byte header at offset 0 runs past the end"_qs, R::MarkOffset);
    addRow("bad mark", patched([](QByteArray &b) { putU8(b, R::MarkOffset, 0x97); }),
           u"format mark 0xBDE01997 at offset 0 is not 0xBDE01996"_qs, R::MarkOffset);
    addRow("header size below 24",
           patched([](QByteArray &b) { putU32(b, R::HeaderSizeOffset, 23); }), u"header size 23"_qs,
           R::HeaderSizeOffset);
    addRow("header size past the end",
           patched([size](QByteArray &b) { putU32(b, R::HeaderSizeOffset, quint32(size + 1)); }),
           u"header size %1"_qs.arg(size + 1), R::HeaderSizeOffset);
    addRow("too many columns",
           patched([](QByteArray &b) { putU16(b, R::ColumnCountOffset, 0xFFFF); }),
           u"column count 65535 at offset 12 needs at least 655350 bytes"_qs, R::ColumnCountOffset);
    addRow("more rows than the packet holds",
           patched([](QByteArray &b) { putU32(b, R::RowCountOffset, 0xFFFFFFFF); }),
           u"row count 4294967295 at offset 14 needs at least"_qs, R::RowCountOffset);
    addRow("fewer rows than announced",
           patched([](QByteArray &b) { putU32(b, R::RowCountOffset, 3); }),
           u"the packet ends after 2 of 3 rows"_qs, size);
    addRow("bytes after the last row", good + "\x04", u"unread bytes after the last row"_qs, size);
    addRow("first-row offset too large", patched([firstRow](QByteArray &b) {
               putU16(b, R::FirstRowOffset, quint16(firstRow + 1));
           }),
           u"first-row offset %1 at offset 22 differs from the end of the table properties"_qs.arg(
               firstRow + 1),
           firstRow);
    addRow("empty column name", patched([](QByteArray &b) { putU8(b, R::headerSize, 0); }),
           u"empty column name"_qs, R::headerSize);
    addRow("column name twice", patched([](QByteArray &b) { b.replace("Cost", "NAME"); }),
           u"column name 'NAME'"_qs, descriptorOffset(good, "Cost"));
    addRow("unknown column type code",
           patched([&good](QByteArray &b) { putU16(b, typeOffset(good, "Levl"), 0x03); }),
           u"unknown type code 0x03 of column 'Levl'"_qs, typeOffset(good, "Levl"));
    addRow("column type of an unexpected size",
           patched([&good](QByteArray &b) { putU16(b, typeOffset(good, "Levl") - 2, 4); }),
           u"column 'Levl' at offset %1 has type 0x01 size 4"_qs.arg(typeOffset(good, "Levl")),
           typeOffset(good, "Levl"));
    addRow("array column",
           patched([&good](QByteArray &b) { putU16(b, typeOffset(good, "Levl"), 0x81); }),
           u"has type 0x81 size 2, which no field kind takes"_qs, typeOffset(good, "Levl"));
    addRow("string column without WIDTH",
           patched([](QByteArray &b) { b.replace("WIDTH", "WIDTX"); }),
           u"string column 'Name' at offset 24 has no WIDTH"_qs, R::headerSize);
    addRow("unknown column property type",
           patched([&good](QByteArray &b) { putU16(b, typeOffset(good, "WIDTH"), 0x83); }),
           u"unknown type code 0x83 of property WIDTH of column 'Name'"_qs,
           typeOffset(good, "WIDTH"));
    addRow("WIDTH of another type",
           patched([&good](QByteArray &b) { putU16(b, typeOffset(good, "WIDTH"), 0x01); }),
           u"property WIDTH of column 'Name'"_qs, descriptorOffset(good, "WIDTH"));
    addRow("SUBTYPE without its zero",
           patched([](QByteArray &b) { b.replace(QByteArray("Money\0", 6), "Moneys"); }),
           u"SUBTYPE value of column 'Cost'"_qs, good.indexOf("Money") - 2);
    addRow("blank-map value 2", patched([blankMap](QByteArray &b) { putU8(b, blankMap, 0x02); }),
           u"blank-map value 2 for column 'Name' of row 1"_qs, blankMap);
    addRow("blank-map value 3", patched([blankMap](QByteArray &b) { putU8(b, blankMap, 0x0C); }),
           u"blank-map value 3 for column 'Levl' of row 1"_qs, blankMap);
    addRow("spare blank-map bits",
           patched([blankMap](QByteArray &b) { putU8(b, blankMap + 1, 0x04); }),
           u"spare bits 0x04 of the blank map of row 1"_qs, blankMap + 1);
    addRow("string longer than WIDTH",
           patched([nameWidth](QByteArray &b) { putU16(b, nameWidth, 9); }),
           u"string length 11 at offset %1 exceeds the WIDTH 9 of column 'Name'"_qs.arg(nameLength),
           nameLength);
    addRow("string running past the end", good.left(nameLength + 5),
           u"string length 11 at offset %1 runs past the end of the packet (%2 bytes)"_qs
               .arg(nameLength)
               .arg(nameLength + 5),
           nameLength);
    addRow("byte string running past the end",
           patched([memoLength](QByteArray &b) { putU32(b, memoLength, 0x7FFFFFFF); }),
           u"byte string length 2147483647 at offset %1 runs past the end"_qs.arg(memoLength),
           memoLength);
    addRow(
        "change log of another type",
        patched([changeLogType](QByteArray &b) { putU16(b, changeLogType, 0x81); }),
        u"CHANGE_LOG at offset %1 has type 0x81 size 4, not type 0x82 size 4"_qs.arg(changeLogType),
        changeLogType);
    addRow("unknown table property type",
           patched([changeLogType](QByteArray &b) { putU16(b, changeLogType, 0x83); }),
           u"unknown type code 0x83 of table property CHANGE_LOG"_qs, changeLogType);
    addRow("change log count not in entries",
           patched([changeLogCount](QByteArray &b) { putU32(b, changeLogCount, 5); }),
           u"CHANGE_LOG count 5"_qs, changeLogCount);
    addRow(
        "change log past the end",
        patched([changeLogCount](QByteArray &b) { putU32(b, changeLogCount, 0xFFFFFFFF); }),
        u"CHANGE_LOG of 4294967295 elements at offset %1 runs past the end"_qs.arg(changeLogCount),
        changeLogCount);
    addRow("change log naming a missing row",
           patched([changeLogCount](QByteArray &b) { putU32(b, changeLogCount + 16, 3); }),
           u"CHANGE_LOG entry at offset %1 names row 3 of 2"_qs.arg(changeLogCount + 16),
           changeLogCount + 16);
}

void tst_PacketReader::damagedPacketsAreReported()
{
    QFETCH(QByteArray, packet);
    QFETCH(QString, fragment);
    QFETCH(qsizetype, offset);
    try {
        (void)PacketReader::decode(packet);
        QFAIL("the damaged packet was accepted");
    } catch (const DataError &error) {
        QCOMPARE(error.className(), u"EDBClient"_qs);
        const QString &message = error.message();
        QVERIFY2(message.startsWith(u"Damaged data packet: "_qs), qPrintable(message));
        QVERIFY2(message.contains(fragment), qPrintable(message));
        QVERIFY2(message.contains(u"offset %1"_qs.arg(offset)), qPrintable(message));
    }
}

QTEST_APPLESS_MAIN(tst_PacketReader)
#include "tst_packetreader.moc"
