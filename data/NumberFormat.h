// The process-wide number format in which every money value is shown, and the money text rule.
#pragma once

#include <QChar>
#include <QString>

#include <array>

// The monetary items of the C library's locale (see localeconv()) that decide the currency
// patterns. CHAR_MAX, the C library's "unspecified", is kept as it comes.
struct MonetaryConventions
{
    int positiveSymbolPrecedes = 127; // p_cs_precedes
    int positiveSeparatedBySpace = 127; // p_sep_by_space
    int negativeSymbolPrecedes = 127; // n_cs_precedes
    int negativeSeparatedBySpace = 127; // n_sep_by_space
    int negativeSignPosition = 127; // n_sign_posn
};

struct NumberFormat
{
    static constexpr int positivePatternCount = 4;
    static constexpr int negativePatternCount = 16;

    QString currencyString;
    QChar thousandSeparator = u',';
    QChar decimalSeparator = u'.';
    int currencyDecimals = 2;
    int currencyFormat = 0; // positive currency pattern, 0 to 3
    int negCurrFormat = 0; // negative currency pattern, 0 to 15

    // The money text of a non-null amount, built from the items above.
    [[nodiscard]] QString moneyText(double value) const;

    // The items as the user's locale gives them (setlocale(LC_ALL, "") is called first).
    [[nodiscard]] static NumberFormat fromUserLocale();

    [[nodiscard]] static int positivePattern(int symbolPrecedes, int separatedBySpace);
    [[nodiscard]] static int negativePattern(int symbolPrecedes, int separatedBySpace,
                                             int signPosition);
    [[nodiscard]] static std::array<int, 2> patterns(const MonetaryConventions &conventions);

    // Currency symbol empty, thousands separator a plain space, no currency decimals: applied
    // once at start-up so that amounts read as whole numbers grouped in threes.
    void applyWholeAmountOverrides();
};

// The one format object of the process. It is filled from the user's locale the first time it is
// used, which makes reading the locale come before any override, whatever the order in which the
// program's static objects are initialised.
[[nodiscard]] NumberFormat &processNumberFormat();

// Reads the whole format from the user's locale again, undoing the overrides, as after the
// system announced that the regional settings changed.
void reloadProcessNumberFormat();
