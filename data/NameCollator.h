// Compares names the way the user's locale collates them, ignoring letter case if asked.
#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>

// Names are ordered by the ICU collation of a locale (the user's collation locale unless one is
// given). Where that locale is C or POSIX, Qt would fall back to code-point order; the root
// collation stands in for it instead, so that "б" still sorts after "а" and before "в".
//
// Hyphens and apostrophes are treated as in a word sort: they are left out when two names are
// compared and decide only between names that are otherwise equal, so that "co-op" stays beside
// "coop". Every other punctuation mark, the space included, counts as a character that sorts
// before digits and letters. Names equal under these rules compare equal; whoever sorts them
// breaks the tie.
class NameCollator final
{
public:
    explicit NameCollator(Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive);
    NameCollator(const QLocale &locale, Qt::CaseSensitivity caseSensitivity);

    // Negative, zero or positive as `left` sorts before, with or after `right`.
    [[nodiscard]] int compare(QStringView left, QStringView right) const;

    // The locale whose collation is used: `requested`, or the root-collation stand-in when
    // `requested` is C or POSIX.
    [[nodiscard]] static QLocale collationLocale(const QLocale &requested);
    [[nodiscard]] QLocale locale() const { return m_collator.locale(); }

private:
    QCollator m_collator;
};
