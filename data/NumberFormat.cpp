// The process-wide number format in which every money value is shown, and the money text rule.
#include "NumberFormat.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>

namespace {

constexpr int unspecified = std::numeric_limits<char>::max();

// '$' stands for the currency symbol and '1' for the number.
constexpr std::array<const char16_t *, NumberFormat::positivePatternCount> positiveLayouts = {
    u"$1", u"1$", u"$ 1", u"1 $"};
constexpr std::array<const char16_t *, NumberFormat::negativePatternCount> negativeLayouts = {
    u"($1)", u"-$1",  u"$-1",  u"$1-",  u"(1$)",  u"-1$", u"1-$",   u"1$-",
    u"-1 $", u"-$ 1", u"1 $-", u"$ 1-", u"$ -1", u"1- $", u"($ 1)", u"(1 $)"};

QString fillLayout(const char16_t *layout, const QString &symbol, const QString &number)
{
    QString text;
    for (const char16_t *c = layout; *c != 0; ++c) {
        if (*c == u'$')
            text += symbol;
        else if (*c == u'1')
            text += number;
        else
            text += QChar(*c);
    }
    return text;
}

QString groupedDigits(const QString &digits, QChar separator)
{
    if (separator.isNull())
        return digits;
    QString grouped;
    const qsizetype count = digits.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

QChar firstCharacter(const char *localeText, QChar fallback)
{
    const QString text = QString::fromLocal8Bit(localeText);
    return text.isEmpty() ? fallback : text.front();
}

int orDefault(char value, int fallback)
{
    return value == unspecified ? fallback : static_cast<unsigned char>(value);
}

} // namespace

QString NumberFormat::moneyText(double value) const
{
    const int decimals = std::clamp(currencyDecimals, 0, 18);
    // At most 15 significant digits, as a double holds; whole amounts come out exactly.
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    QString fraction;
    if (const qsizetype point = digits.indexOf(u'.'); point >= 0) {
        fraction = digits.mid(point + 1);
        digits.truncate(point);
    }
    QString number = groupedDigits(digits, thousandSeparator);
    if (!fraction.isEmpty())
        number += decimalSeparator + fraction;

    // A negative amount that rounds to zero shows no sign.
    const bool negative =
        value < 0 && std::any_of(number.cbegin(), number.cend(),
                                 [](QChar c) { return c >= u'1' && c <= u'9'; });
    if (negative)
        return fillLayout(negativeLayouts[std::clamp(negCurrFormat, 0, 15)], currencyString,
                          number);
    return fillLayout(positiveLayouts[std::clamp(currencyFormat, 0, 3)], currencyString, number);
}

// The C library describes a currency layout by three items, Windows by a pattern number. The
// mapping: the symbol before or after the number, a space between them or not, and where the
// sign of a negative amount goes (0: parentheses, 1: before everything, 2: after everything,
// 3: right before the symbol, 4: right after the symbol). Where the C library asks for a layout
// that no Windows pattern has (a space between sign and symbol that the patterns lack), the
// pattern with the same order of sign, symbol and number is taken. Unspecified items (the C
// locale) give the symbol in front, no space and a leading minus: patterns 0 and 1.
int NumberFormat::positivePattern(int symbolPrecedes, int separatedBySpace)
{
    const bool before = symbolPrecedes == unspecified || symbolPrecedes != 0;
    const bool spaced = separatedBySpace == 1;
    if (before)
        return spaced ? 2 : 0;
    return spaced ? 3 : 1;
}

int NumberFormat::negativePattern(int symbolPrecedes, int separatedBySpace, int signPosition)
{
    const bool before = symbolPrecedes == unspecified || symbolPrecedes != 0;
    const bool spaced = separatedBySpace != unspecified && separatedBySpace != 0;
    const int sign = signPosition == unspecified || signPosition > 4 ? 1 : signPosition;
    switch (sign) {
    case 0: // (…)
        return before ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    case 1: // -…
        return before ? (spaced ? 9 : 1) : (spaced ? 8 : 5);
    case 2: // …-
        return before ? (spaced ? 11 : 3) : (spaced ? 10 : 7);
    case 3: // sign right before the symbol
        return before ? (spaced ? 9 : 1) : (spaced ? 13 : 6);
    default: // 4: sign right after the symbol
        return before ? (spaced ? 12 : 2) : (spaced ? 10 : 7);
    }
}

std::array<int, 2> NumberFormat::patterns(const MonetaryConventions &conventions)
{
    return {positivePattern(conventions.positiveSymbolPrecedes,
                            conventions.positiveSeparatedBySpace),
            negativePattern(conventions.negativeSymbolPrecedes,
                            conventions.negativeSeparatedBySpace,
                            conventions.negativeSignPosition)};
}

NumberFormat NumberFormat::fromUserLocale()
{
    std::setlocale(LC_ALL, "");
    const std::lconv *conv = std::localeconv();
    NumberFormat format;
    format.currencyString = QString::fromLocal8Bit(conv->currency_symbol);
    format.thousandSeparator = firstCharacter(conv->mon_thousands_sep, u',');
    format.decimalSeparator = firstCharacter(conv->decimal_point, u'.');
    format.currencyDecimals = orDefault(conv->frac_digits, 2);
    const MonetaryConventions conventions{
        orDefault(conv->p_cs_precedes, unspecified), orDefault(conv->p_sep_by_space, unspecified),
        orDefault(conv->n_cs_precedes, unspecified), orDefault(conv->n_sep_by_space, unspecified),
        orDefault(conv->n_sign_posn, unspecified)};
    const auto [positive, negative] = patterns(conventions);
    format.currencyFormat = positive;
    format.negCurrFormat = negative;
    return format;
}

void NumberFormat::applyWholeAmountOverrides()
{
    currencyString.clear();
    thousandSeparator = u' ';
    currencyDecimals = 0;
}

NumberFormat &processNumberFormat()
{
    static NumberFormat format = NumberFormat::fromUserLocale();
    return format;
}

void reloadProcessNumberFormat()
{
    processNumberFormat() = NumberFormat::fromUserLocale();
}
