// Compares names the way the user's locale collates them, ignoring letter case if asked.
#include "NameCollator.h"

#include <QString>

#include <algorithm>

namespace {

// Characters that a word sort ignores until everything else is equal.
constexpr char16_t hyphen = u'-';
constexpr char16_t apostrophe = u'\'';

bool isWordSortMark(QChar c)
{
    return c == hyphen || c == apostrophe;
}

// The name without its hyphens and apostrophes; the view itself when it has none, which spares
// the allocation for almost every name.
class WithoutWordSortMarks final
{
public:
    explicit WithoutWordSortMarks(QStringView name) : m_view(name)
    {
        if (std::none_of(name.begin(), name.end(), isWordSortMark))
            return;
        m_stripped.reserve(name.size());
        for (const QChar c : name) {
            if (!isWordSortMark(c))
                m_stripped.append(c);
        }
        m_view = m_stripped;
    }
    Q_DISABLE_COPY_MOVE(WithoutWordSortMarks)

    [[nodiscard]] QStringView view() const { return m_view; }

private:
    QString m_stripped;
    QStringView m_view;
};

} // namespace

NameCollator::NameCollator(Qt::CaseSensitivity caseSensitivity)
    : NameCollator(QLocale::system().collation(), caseSensitivity)
{}

NameCollator::NameCollator(const QLocale &locale, Qt::CaseSensitivity caseSensitivity)
    : m_collator(collationLocale(locale))
{
    m_collator.setCaseSensitivity(caseSensitivity);
    // Punctuation and spaces must count (ICU's "non-ignorable"), or "Ли Вей" and "Ливей" would
    // compare equal.
    m_collator.setIgnorePunctuation(false);
    m_collator.setNumericMode(false);
}

QLocale NameCollator::collationLocale(const QLocale &requested)
{
    // Qt reports C and POSIX alike as the C language. English carries no tailoring of its own in
    // ICU, so its collation is the root collation.
    if (requested.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return requested;
}

int NameCollator::compare(QStringView left, QStringView right) const
{
    const WithoutWordSortMarks leftWords(left);
    const WithoutWordSortMarks rightWords(right);
    const int withoutMarks = m_collator.compare(leftWords.view(), rightWords.view());
    if (withoutMarks != 0)
        return withoutMarks;
    return m_collator.compare(left, right);
}
