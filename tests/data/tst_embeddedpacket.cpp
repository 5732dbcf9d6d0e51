// Tests of the packet the build embeds: it decodes, and its records have the shape the program
// relies on (agencies, nulls, ranges, the special values, dossiers and portraits).
#include "ClientDataSet.h"
#include "EmbeddedPacket.h"
#include "HirelingFields.h"
#include "RtfReader.h"
#include "Windows1251.h"

#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <algorithm>
#include <limits>

namespace {

constexpr int zoltCount = 40;
constexpr int krevCount = 11;
constexpr int recordCount = zoltCount + krevCount;
constexpr qsizetype packetBytes = 449132;
constexpr qsizetype lengthPrefixBytes = 4;
constexpr qsizetype firstRowOffsetPosition = 22;
constexpr quint16 firstRowOffset = 1277;
constexpr int portraitWidth = 48;
constexpr int portraitHeight = 43;
constexpr qsizetype portraitBytes = 6246;
constexpr qsizetype dossierTotal = 117915;

enum class Agency
{
    Zolt,
    Krev
};

} // namespace

class TestEmbeddedPacket final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedForm();
    void fieldsAreTheHirelingRecord();
    void agenciesAndNulls();
    void valueRanges_data();
    void valueRanges();
    void levelsAndWages();
    void texts();
    void dossiers();
    void portraits();

private:
    [[nodiscard]] const FieldValue &value(int record, HirelingField field) const
    {
        return m_dataSet.value(record, field);
    }
    [[nodiscard]] QString text(int record, HirelingField field) const
    {
        return Windows1251::decode(value(record, field).bytes());
    }
    // A number for numeric fields, the length in bytes for the others.
    [[nodiscard]] qint64 measure(int record, HirelingField field) const;

    QByteArray m_stored;
    ClientDataSet m_dataSet;
};

qint64 TestEmbeddedPacket::measure(int record, HirelingField field) const
{
    switch (HirelingFields::definition(field).kind) {
    case FieldKind::SmallInt:
        return value(record, field).asInteger();
    case FieldKind::Money:
        return static_cast<qint64>(value(record, field).asFloat());
    case FieldKind::String:
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    return value(record, field).bytes().size();
}

void TestEmbeddedPacket::initTestCase()
{
    m_stored = EmbeddedPacket::storedData();
    QVERIFY2(!m_stored.isEmpty(), "the packet is not embedded");
    m_dataSet.setData(m_stored);
    m_dataSet.open();
    QVERIFY(m_dataSet.isActive());
}

void TestEmbeddedPacket::storedForm()
{
    QCOMPARE(m_stored.size(), lengthPrefixBytes + packetBytes);
    QCOMPARE(qFromLittleEndian<qint32>(m_stored.constData()), packetBytes);
    const QByteArray packet = m_stored.mid(lengthPrefixBytes);
    QCOMPARE(packet.left(4), QByteArray("\x96\x19\xE0\xBD"));
    QCOMPARE(qFromLittleEndian<quint16>(packet.constData() + firstRowOffsetPosition),
             firstRowOffset);
}

void TestEmbeddedPacket::fieldsAreTheHirelingRecord()
{
    const QList<FieldDefinition> &columns = m_dataSet.fieldDefinitions();
    const QList<FieldDefinition> &record = HirelingFields::definitions();
    QCOMPARE(columns.size(), record.size());
    for (qsizetype i = 0; i < record.size(); ++i) {
        QCOMPARE(columns.at(i).name, record.at(i).name);
        QCOMPARE(columns.at(i).kind, record.at(i).kind);
        QCOMPARE(columns.at(i).size, record.at(i).size);
    }
}

void TestEmbeddedPacket::agenciesAndNulls()
{
    QCOMPARE(m_dataSet.recordCount(), recordCount);
    const QSet<HirelingField> nullForKrev = {MDCost7, MDCost15, MDdeposit, MDcurtools};
    int withoutTools = 0;
    int zeroDeposits = 0;
    for (int r = 0; r < recordCount; ++r) {
        const bool krev = r >= zoltCount;
        QCOMPARE(value(r, MDType).asInteger(), krev ? 1 : 0);
        for (int f = 0; f < HirelingFieldCount; ++f) {
            const auto field = static_cast<HirelingField>(f);
            if (krev && field == MDtools && value(r, field).isNull()) {
                ++withoutTools;
                continue;
            }
            QVERIFY2(
                value(r, field).isNull() == (krev && nullForKrev.contains(field)),
                qPrintable(u"record %1, %2"_qs.arg(r).arg(HirelingFields::definition(field).name)));
        }
        if (!krev && value(r, MDdeposit).asFloat() == 0.0)
            ++zeroDeposits;
    }
    QCOMPARE(withoutTools, 1);
    QCOMPARE(zeroDeposits, 10);
}

void TestEmbeddedPacket::valueRanges_data()
{
    QTest::addColumn<HirelingField>("field");
    QTest::addColumn<Agency>("agency");
    QTest::addColumn<qint64>("lowest");
    QTest::addColumn<qint64>("highest");

    struct Row
    {
        HirelingField field;
        qint64 zoltLow, zoltHigh, krevLow, krevHigh;
    };
    constexpr qint64 none = -1;
    const Row rows[] = {
        {MDName, 9, 17, 9, 16},
        {MDhea, 68, 99, 46, 88},
        {MDagi, 56, 99, 37, 88},
        {MDdex, 40, 100, 54, 91},
        {MDstr, 55, 98, 35, 98},
        {MDldr, 1, 87, 1, 31},
        {MDwis, 55, 97, 29, 94},
        {MDmrk, 60, 99, 38, 93},
        {MDexp, 0, 99, 2, 92},
        {MDmec, 0, 99, 0, 82},
        {MDmed, 0, 94, 0, 70},
        {MDlvl, 1, 8, 1, 5},
        {MDCost1, 400, 6000, 100, 2000},
        {MDCost7, 2700, 37000, none, none},
        {MDCost15, 4500, 70000, none, none},
        {MDchr, 6, 11, 6, 11},
        {MDdeposit, 0, 5900, none, none},
        {MDtools, 39, 91, 19, 45},
        {MDcurtools, 465, 3455, none, none},
        {MDAlias, 14, 50, 7, 49},
        {MDspec, 7, 39, 6, 39},
        {MDFrends, 3, 19, 3, 18},
        {MDNoFrends, 3, 29, 3, 19},
        {MDmemo, 1314, 3528, 1996, 6421},
        {MDpic, 6246, 6246, 6246, 6246},
    };
    for (const Row &row : rows) {
        const QString name = HirelingFields::definition(row.field).name;
        QTest::addRow("%s ZOLT", qPrintable(name))
            << row.field << Agency::Zolt << row.zoltLow << row.zoltHigh;
        if (row.krevLow != none)
            QTest::addRow("%s KREV", qPrintable(name))
                << row.field << Agency::Krev << row.krevLow << row.krevHigh;
    }
}

// Numbers by value, texts by characters, dossiers and portraits by bytes: each range is met and
// both of its ends occur.
void TestEmbeddedPacket::valueRanges()
{
    QFETCH(HirelingField, field);
    QFETCH(Agency, agency);
    QFETCH(qint64, lowest);
    QFETCH(qint64, highest);
    const int first = agency == Agency::Zolt ? 0 : zoltCount;
    const int last = agency == Agency::Zolt ? zoltCount : recordCount;
    qint64 low = std::numeric_limits<qint64>::max();
    qint64 high = std::numeric_limits<qint64>::min();
    for (int r = first; r < last; ++r) {
        if (value(r, field).isNull())
            continue;
        low = std::min(low, measure(r, field));
        high = std::max(high, measure(r, field));
    }
    QCOMPARE(low, lowest);
    QCOMPARE(high, highest);
}

void TestEmbeddedPacket::levelsAndWages()
{
    QMap<int, int> levels;
    for (int r = 0; r < recordCount; ++r)
        ++levels[value(r, MDlvl).asInteger()];
    QCOMPARE(levels.size(), 8);
    QCOMPARE(levels.value(8), 1);
    QCOMPARE(levels.value(1), 8);

    // The KREV rows fall by daily wage, with ties; 150 is the wage of exactly three of them and
    // no other amount anywhere.
    QList<int> sharedWageRows;
    for (int r = 0; r < recordCount; ++r) {
        for (const HirelingField field : {MDCost1, MDCost7, MDCost15, MDdeposit, MDcurtools}) {
            if (!value(r, field).isNull() && value(r, field).asFloat() == 150.0) {
                QCOMPARE(field, MDCost1);
                sharedWageRows << r;
            }
        }
    }
    QCOMPARE(sharedWageRows.size(), 3);
    QVERIFY(sharedWageRows.first() >= zoltCount);
    bool tie = false;
    for (int r = zoltCount + 1; r < recordCount; ++r) {
        QVERIFY(value(r, MDCost1).asFloat() <= value(r - 1, MDCost1).asFloat());
        tie = tie || value(r, MDCost1).asFloat() == value(r - 1, MDCost1).asFloat();
    }
    QVERIFY(tie);

    // The ZOLT rows follow neither level nor wage.
    const auto sorted = [this](HirelingField field, bool rising) {
        for (int r = 1; r < zoltCount; ++r) {
            const qint64 a = measure(r - 1, field);
            const qint64 b = measure(r, field);
            if (rising ? a > b : a < b)
                return false;
        }
        return true;
    };
    for (const HirelingField field : {MDlvl, MDCost1}) {
        QVERIFY(!sorted(field, true));
        QVERIFY(!sorted(field, false));
    }
}

void TestEmbeddedPacket::texts()
{
    QSet<QString> names;
    QSet<QString> temperaments;
    int hyphenated = 0;
    int starred = 0;
    int noFriends = 0;
    int noFoes = 0;
    int fullAliases = 0;
    for (int r = 0; r < recordCount; ++r) {
        for (const HirelingField field :
             {MDName, MDchr, MDtools, MDAlias, MDspec, MDFrends, MDNoFrends}) {
            if (value(r, field).isNull())
                continue;
            const QString t = text(r, field);
            QVERIFY2(!t.isEmpty() && t == t.trimmed(), qPrintable(t));
        }
        const QString name = text(r, MDName);
        names.insert(name.toCaseFolded());
        hyphenated += name.contains(u'-') ? 1 : 0;
        starred += name.endsWith(u" *"_qs) ? 1 : 0;
        temperaments.insert(text(r, MDchr));
        noFriends += text(r, MDFrends) == u"нет"_qs ? 1 : 0;
        noFoes += text(r, MDNoFrends) == u"нет"_qs ? 1 : 0;
        fullAliases += value(r, MDAlias).bytes().size() == 50 ? 1 : 0;
    }
    QCOMPARE(names.size(), recordCount);
    QCOMPARE(hyphenated, 1);
    QCOMPARE(starred, 1);
    QCOMPARE(temperaments.size(), 9);
    QCOMPARE(noFriends, 7);
    QCOMPARE(noFoes, 14);
    QCOMPARE(fullAliases, 1);
}

void TestEmbeddedPacket::dossiers()
{
    qsizetype total = 0;
    for (int r = 0; r < recordCount; ++r) {
        const QByteArray &rtf = value(r, MDmemo).bytes();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\deff0\\deftab720"));
        QVERIFY(rtf.endsWith(QByteArray("\\par }\r\n\0", 9)));
        QVERIFY(rtf.contains("\\fcharset204"));
        total += rtf.size();

        // The program's reader takes every dossier as rich text: an italic line naming the
        // source, then Cyrillic text, whatever character set the runs' fonts declare.
        QTextDocument document;
        const std::optional<QString> error = RtfReader::read(rtf, document);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        const QTextBlock source = document.firstBlock();
        QVERIFY(source.text().contains(r < zoltCount ? u"ZOLT"_qs : u"KREV"_qs));
        QVERIFY(source.begin().fragment().charFormat().fontItalic());
        const QTextBlock body = source.next();
        QVERIFY(body.isValid() && !body.begin().fragment().charFormat().fontItalic());
        QVERIFY(body.text().contains(text(r, MDName).section(u' ', 0, 0)));
    }
    QCOMPARE(total, dossierTotal);
}

void TestEmbeddedPacket::portraits()
{
    QSet<QByteArray> seen;
    for (int r = 0; r < recordCount; ++r) {
        const QByteArray &bitmap = value(r, MDpic).bytes();
        QCOMPARE(bitmap.size(), portraitBytes);
        const QImage image = QImage::fromData(bitmap, "BMP");
        QCOMPARE(image.size(), QSize(portraitWidth, portraitHeight));
        seen.insert(bitmap);
    }
    QCOMPARE(seen.size(), recordCount); // every hireling has a face of their own
}

QTEST_MAIN(TestEmbeddedPacket)
#include "tst_embeddedpacket.moc"
