// Tests of the name collation: locale order, letter case, Ё, hyphens, apostrophes and punctuation.
#include "NameCollator.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// The C locale, whose collation the root collation stands in for, and Russian.
const QLocale &rootStandIn()
{
    static const QLocale c = QLocale::c();
    return c;
}

const QLocale &russian()
{
    static const QLocale ru(QLocale::Russian, QLocale::Russia);
    return ru;
}

} // namespace

class TestNameCollator final : public QObject
{
    Q_OBJECT

private slots:
    void orderOfTwoNames_data();
    void orderOfTwoNames();
    void caseSensitiveCollationTellsCaseApart();
    void cAndPosixLocalesUseRootCollation_data();
    void cAndPosixLocalesUseRootCollation();
    void userLocaleIsNeverCodePointOrder();
};

void TestNameCollator::orderOfTwoNames_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("expected"); // sign of compare(left, right)

    struct Case
    {
        const char *tag;
        QString left;
        QString right;
        int expected;
    };
    // Cases that hold under the root collation and the Russian one alike.
    const Case common[] = {
        {"alphabetical", u"Алексей"_s, u"Борис"_s, -1},
        {"letter case ignored", u"анна"_s, u"АННА"_s, 0},
        {"mixed case", u"мАкс"_s, u"Макс"_s, 0},
        {"case ignored, prefix shorter", u"макс"_s, u"МАКСИМ"_s, -1},
        // Code-point order would put Ё (U+0401) before А and ё (U+0451) after я.
        {"capital Yo sorts with Ye, not before A", u"Алексей"_s, u"Ёлкин"_s, -1},
        {"small yo sorts with ye, not after ya", u"ёлкин"_s, u"жуков"_s, -1},
        {"Yo is Ye at the first level", u"Ёжиков"_s, u"Ежов"_s, -1},
        {"Yo after Ye when otherwise equal", u"Ёж"_s, u"Еж"_s, 1},
        // A hyphen is skipped at first: "ИванПетров" follows "Иванов".
        {"hyphen ignored at first", u"Иван-Петров"_s, u"Иванов"_s, 1},
        {"apostrophe ignored at first", u"О'Нил"_s, u"Оден"_s, 1},
        {"hyphen decides between otherwise equal names", u"ко-опер"_s, u"коопер"_s, -1},
        {"apostrophe decides between otherwise equal names", u"д'Арт"_s, u"дАрт"_s, -1},
        {"space counts and sorts before letters", u"Ли Вей"_s, u"Ливей"_s, -1},
        {"space sorts before digits", u"Агент 7"_s, u"Агент7"_s, -1},
        {"digits sort before letters", u"Агент 7"_s, u"Агент А"_s, -1},
        {"trailing star after the bare name", u"Сова *"_s, u"Сова"_s, 1},
        {"trailing star before a following letter", u"Сова *"_s, u"Совак"_s, -1},
        {"star before a digit", u"Сова *"_s, u"Сова 1"_s, -1},
        {"same name", u"Бык"_s, u"Бык"_s, 0},
    };
    for (const Case &c : common) {
        QTest::addRow("root: %s", c.tag) << rootStandIn() << c.left << c.right << c.expected;
        QTest::addRow("ru: %s", c.tag) << russian() << c.left << c.right << c.expected;
    }
    // Where the locales differ: Russian puts Cyrillic before Latin.
    QTest::newRow("root: Latin before Cyrillic") << rootStandIn() << u"Zorro"_s << u"Акула"_s << -1;
    QTest::newRow("ru: Cyrillic before Latin") << russian() << u"Zorro"_s << u"Акула"_s << 1;
}

void TestNameCollator::orderOfTwoNames()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(int, expected);

    const NameCollator collator(locale, Qt::CaseInsensitive);
    QCOMPARE(sign(collator.compare(left, right)), expected);
    QCOMPARE(sign(collator.compare(right, left)), -expected);
}

void TestNameCollator::caseSensitiveCollationTellsCaseApart()
{
    const NameCollator insensitive(russian(), Qt::CaseInsensitive);
    const NameCollator sensitive(russian(), Qt::CaseSensitive);
    QCOMPARE(insensitive.compare(u"макс", u"Макс"), 0);
    QCOMPARE(sign(sensitive.compare(u"макс", u"Макс")), -1);
    // Case is only the last word: the letters still decide first.
    QCOMPARE(sign(sensitive.compare(u"Макс", u"мякиш")), -1);
}

void TestNameCollator::cAndPosixLocalesUseRootCollation_data()
{
    QTest::addColumn<QLocale>("requested");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("POSIX") << QLocale(u"POSIX"_s);
    QTest::newRow("C.UTF-8") << QLocale(u"C.UTF-8"_s);
}

void TestNameCollator::cAndPosixLocalesUseRootCollation()
{
    QFETCH(QLocale, requested);
    QCOMPARE(requested.language(), QLocale::C);
    const NameCollator collator(requested, Qt::CaseInsensitive);
    QCOMPARE_NE(collator.locale().language(), QLocale::C);
    QCOMPARE(sign(collator.compare(u"ёлкин", u"жуков")), -1);
}

void TestNameCollator::userLocaleIsNeverCodePointOrder()
{
    // The suites run under LC_ALL=C.UTF-8; whatever the user's locale, the collator is ICU's.
    const NameCollator collator;
    QCOMPARE_NE(collator.locale().language(), QLocale::C);
    QCOMPARE(sign(collator.compare(u"Ёлкин", u"Алексей")), 1);
    QCOMPARE(sign(collator.compare(u"б", u"В")), -1);
}

QTEST_GUILESS_MAIN(TestNameCollator)
#include "tst_namecollator.moc"
