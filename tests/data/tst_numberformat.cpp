// Money texts under every currency pattern, the locale-to-pattern mapping, and the overrides.
#include "FieldValue.h"
#include "NumberFormat.h"

#include <QTest>

#include <climits>

namespace {

NumberFormat wholeAmounts(int positivePattern, int negativePattern = 1)
{
    NumberFormat format;
    format.currencyString = u"р."_qs;
    format.thousandSeparator = u',';
    format.decimalSeparator = u',';
    format.currencyDecimals = 2;
    format.currencyFormat = positivePattern;
    format.negCurrFormat = negativePattern;
    format.applyWholeAmountOverrides();
    return format;
}

} // namespace

class NumberFormatTest final : public QObject
{
    Q_OBJECT

private slots:
    void moneyTextUnderPositivePatterns_data();
    void moneyTextUnderPositivePatterns();
    void moneyTextUnderNegativePatterns_data();
    void moneyTextUnderNegativePatterns();
    void overridesWinOverLocaleQuirks_data();
    void overridesWinOverLocaleQuirks();
    void patternsFromMonetaryItems_data();
    void patternsFromMonetaryItems();
    void formatWithoutOverridesFollowsTheLocaleItems();
    void nullIsEmptyAndZeroIsADigit();
    void smallIntegersShowNoGroupSeparator();
    void reloadUndoesTheOverrides();
};

void NumberFormatTest::moneyTextUnderPositivePatterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("digits");

    QTest::newRow("6000") << 6000.0 << u"6 000"_qs;
    QTest::newRow("37000") << 37000.0 << u"37 000"_qs;
    QTest::newRow("70000") << 70000.0 << u"70 000"_qs;
    QTest::newRow("465") << 465.0 << u"465"_qs;
    QTest::newRow("100") << 100.0 << u"100"_qs;
    QTest::newRow("0") << 0.0 << u"0"_qs;
    QTest::newRow("1000") << 1000.0 << u"1 000"_qs;
    QTest::newRow("999") << 999.0 << u"999"_qs;
    QTest::newRow("100000") << 100000.0 << u"100 000"_qs;
    QTest::newRow("1234567") << 1234567.0 << u"1 234 567"_qs;
    QTest::newRow("fraction rounds to whole") << 149.5 << u"150"_qs;
}

void NumberFormatTest::moneyTextUnderPositivePatterns()
{
    QFETCH(double, value);
    QFETCH(QString, digits);

    QCOMPARE(wholeAmounts(0).moneyText(value), digits);
    QCOMPARE(wholeAmounts(1).moneyText(value), digits);
    // The space of patterns 2 and 3 belongs to the pattern and stays without a symbol.
    QCOMPARE(wholeAmounts(2).moneyText(value), u' ' + digits);
    QCOMPARE(wholeAmounts(3).moneyText(value), digits + u' ');
    // A pattern above 3 counts as 3.
    QCOMPARE(wholeAmounts(9).moneyText(value), digits + u' ');
}

void NumberFormatTest::moneyTextUnderNegativePatterns_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("withSymbol");
    QTest::addColumn<QString>("withoutSymbol");

    const QStringList symbolTexts = {u"(р.1 234)"_qs, u"-р.1 234"_qs, u"р.-1 234"_qs,
                                     u"р.1 234-"_qs, u"(1 234р.)"_qs, u"-1 234р."_qs,
                                     u"1 234-р."_qs, u"1 234р.-"_qs, u"-1 234 р."_qs,
                                     u"-р. 1 234"_qs, u"1 234 р.-"_qs, u"р. 1 234-"_qs,
                                     u"р. -1 234"_qs, u"1 234- р."_qs, u"(р. 1 234)"_qs,
                                     u"(1 234 р.)"_qs};
    const QStringList plainTexts = {u"(1 234)"_qs, u"-1 234"_qs, u"-1 234"_qs, u"1 234-"_qs,
                                    u"(1 234)"_qs, u"-1 234"_qs, u"1 234-"_qs, u"1 234-"_qs,
                                    u"-1 234 "_qs, u"- 1 234"_qs, u"1 234 -"_qs, u" 1 234-"_qs,
                                    u" -1 234"_qs, u"1 234- "_qs, u"( 1 234)"_qs, u"(1 234 )"_qs};
    for (int pattern = 0; pattern < NumberFormat::negativePatternCount; ++pattern) {
        QTest::addRow("pattern %d", pattern)
            << pattern << symbolTexts[pattern] << plainTexts[pattern];
    }
}

void NumberFormatTest::moneyTextUnderNegativePatterns()
{
    QFETCH(int, pattern);
    QFETCH(QString, withSymbol);
    QFETCH(QString, withoutSymbol);

    NumberFormat format = wholeAmounts(0, pattern);
    QCOMPARE(format.moneyText(-1234.0), withoutSymbol);
    format.currencyString = u"р."_qs;
    QCOMPARE(format.moneyText(-1234.0), withSymbol);
}

void NumberFormatTest::overridesWinOverLocaleQuirks_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QChar>("thousands");
    QTest::addColumn<int>("decimals");

    QTest::newRow("comma separator") << QString() << QChar(u',') << 0;
    QTest::newRow("point separator") << QString() << QChar(u'.') << 0;
    QTest::newRow("no-break space separator") << QString() << QChar(u'\u00A0') << 0;
    QTest::newRow("narrow no-break space separator") << QString() << QChar(u'\u202F') << 0;
    QTest::newRow("two decimals") << QString() << QChar(u' ') << 2;
    QTest::newRow("currency symbol") << u"₽"_qs << QChar(u' ') << 0;
    QTest::newRow("everything at once") << u"EUR"_qs << QChar(u'.') << 3;
}

void NumberFormatTest::overridesWinOverLocaleQuirks()
{
    QFETCH(QString, symbol);
    QFETCH(QChar, thousands);
    QFETCH(int, decimals);

    NumberFormat format;
    format.currencyString = symbol;
    format.thousandSeparator = thousands;
    format.decimalSeparator = u',';
    format.currencyDecimals = decimals;
    format.currencyFormat = 1;
    format.applyWholeAmountOverrides();

    QCOMPARE(format.moneyText(37000.0), u"37 000"_qs);
    QCOMPARE(format.moneyText(999.0), u"999"_qs);
}

void NumberFormatTest::patternsFromMonetaryItems_data()
{
    QTest::addColumn<int>("precedes");
    QTest::addColumn<int>("spaced");
    QTest::addColumn<int>("signPosition");
    QTest::addColumn<int>("positive");
    QTest::addColumn<int>("negative");

    QTest::newRow("C locale: all unspecified") << CHAR_MAX << CHAR_MAX << CHAR_MAX << 0 << 1;
    QTest::newRow("$1 / ($1)") << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("$1 / -$1") << 1 << 0 << 1 << 0 << 1;
    QTest::newRow("$1 / $1-") << 1 << 0 << 2 << 0 << 3;
    QTest::newRow("$1 / -$1 (sign before symbol)") << 1 << 0 << 3 << 0 << 1;
    QTest::newRow("$1 / $-1") << 1 << 0 << 4 << 0 << 2;
    QTest::newRow("$ 1 / ($ 1)") << 1 << 1 << 0 << 2 << 14;
    QTest::newRow("$ 1 / -$ 1") << 1 << 1 << 1 << 2 << 9;
    QTest::newRow("$ 1 / $ 1-") << 1 << 1 << 2 << 2 << 11;
    QTest::newRow("$ 1 / $ -1") << 1 << 1 << 4 << 2 << 12;
    QTest::newRow("1$ / (1$)") << 0 << 0 << 0 << 1 << 4;
    QTest::newRow("1$ / -1$") << 0 << 0 << 1 << 1 << 5;
    QTest::newRow("1$ / 1$-") << 0 << 0 << 2 << 1 << 7;
    QTest::newRow("1$ / 1-$") << 0 << 0 << 3 << 1 << 6;
    QTest::newRow("1 $ / (1 $)") << 0 << 1 << 0 << 3 << 15;
    QTest::newRow("1 $ / -1 $ (ru_RU)") << 0 << 1 << 1 << 3 << 8;
    QTest::newRow("1 $ / 1 $-") << 0 << 1 << 2 << 3 << 10;
    QTest::newRow("1 $ / 1- $") << 0 << 1 << 3 << 3 << 13;
    QTest::newRow("sign-symbol space counts as spaced") << 0 << 2 << 3 << 1 << 13;
}

void NumberFormatTest::patternsFromMonetaryItems()
{
    QFETCH(int, precedes);
    QFETCH(int, spaced);
    QFETCH(int, signPosition);
    QFETCH(int, positive);
    QFETCH(int, negative);

    const auto patterns =
        NumberFormat::patterns({precedes, spaced, precedes, spaced, signPosition});
    QCOMPARE(patterns[0], positive);
    QCOMPARE(patterns[1], negative);
}

void NumberFormatTest::formatWithoutOverridesFollowsTheLocaleItems()
{
    NumberFormat format;
    format.currencyString = u"₽"_qs;
    format.thousandSeparator = u'\u00A0';
    format.decimalSeparator = u',';
    format.currencyDecimals = 2;
    format.currencyFormat = 3;
    format.negCurrFormat = 8;

    QCOMPARE(format.moneyText(6000.0), u"6\u00A0000,00 ₽"_qs);
    QCOMPARE(format.moneyText(-6000.5), u"-6\u00A0000,50 ₽"_qs);
    format.thousandSeparator = QChar();
    QCOMPARE(format.moneyText(6000.0), u"6000,00 ₽"_qs);
}

void NumberFormatTest::nullIsEmptyAndZeroIsADigit()
{
    NumberFormat format = wholeAmounts(3);
    QCOMPARE(FieldValue().displayText(FieldKind::Money, format), QString());
    QCOMPARE(FieldValue::fromMoney(0.0).displayText(FieldKind::Money, format), u"0 "_qs);
    QCOMPARE(FieldValue().asFloat(), 0.0);
    QCOMPARE(FieldValue::fromMoney(0.0).asFloat(), 0.0);
    QVERIFY(!FieldValue::fromMoney(0.0).isNull());
}

void NumberFormatTest::smallIntegersShowNoGroupSeparator()
{
    const NumberFormat format = wholeAmounts(0);
    QCOMPARE(FieldValue::fromSmallInt(1000).displayText(FieldKind::SmallInt, format), u"1000"_qs);
    QCOMPARE(FieldValue::fromSmallInt(-32768).displayText(FieldKind::SmallInt, format),
             u"-32768"_qs);
}

void NumberFormatTest::reloadUndoesTheOverrides()
{
    processNumberFormat().applyWholeAmountOverrides();
    QCOMPARE(processNumberFormat().moneyText(6000.0), u"6 000"_qs);

    reloadProcessNumberFormat();
    // The tests run in the C locale: no grouping character, two decimals.
    const NumberFormat expected = NumberFormat::fromUserLocale();
    QCOMPARE(processNumberFormat().currencyDecimals, expected.currencyDecimals);
    QCOMPARE(processNumberFormat().thousandSeparator, expected.thousandSeparator);
    QCOMPARE(processNumberFormat().moneyText(6000.0), expected.moneyText(6000.0));
    QVERIFY(processNumberFormat().moneyText(6000.0) != u"6 000"_qs);
    processNumberFormat().applyWholeAmountOverrides();
}

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "tst_numberformat.moc"
