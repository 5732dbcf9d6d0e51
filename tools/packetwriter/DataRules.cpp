// The facts the 51 records must meet together: order, counts, extremes and sizes.
#include "DataRules.h"

#include "ProfileFacts.h"
#include "RecordRules.h"

#include <QSet>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

using ProfileFacts::Agency;

// Row layout: a status byte, then two bits of blank map per field.
constexpr qsizetype statusBytes = 1;
constexpr qsizetype blankBitsPerField = 2;
constexpr qsizetype bitsPerByte = 8;
constexpr qsizetype stringLengthBytes = 1;
constexpr qsizetype blobLengthBytes = 4;
constexpr qsizetype smallIntBytes = 2;
constexpr qsizetype moneyBytes = 8;

QString fieldName(HirelingField field)
{
    return HirelingFields::definition(field).name;
}

QString agencyName(Agency agency)
{
    return agency == ProfileFacts::Krev ? u"KREV"_qs : u"ZOLT"_qs;
}

// The number the value ranges speak of: the value of a number, the length of text or bytes.
qint64 measure(const HirelingEntry &entry, HirelingField field)
{
    const FieldValue &value = entry.value(field);
    switch (HirelingFields::definition(field).kind) {
    case FieldKind::SmallInt:
        return value.asInteger();
    case FieldKind::Money:
        return static_cast<qint64>(value.asFloat());
    case FieldKind::String:
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    return value.bytes().size();
}

class Checker final
{
public:
    explicit Checker(const QList<HirelingEntry> &entries) : m_entries(entries) {}

    QStringList run()
    {
        if (m_entries.size() != ProfileFacts::recordCount) {
            note(u"there are %1 records instead of %2"_qs.arg(m_entries.size())
                     .arg(ProfileFacts::recordCount));
            return m_problems;
        }
        checkAgencyOrder();
        for (const ProfileFacts::FieldRange &range : ProfileFacts::ranges)
            checkExtremes(range);
        checkLevels();
        checkMoney();
        checkWageOrder();
        checkNames();
        checkTexts();
        checkSizes();
        return m_problems;
    }

private:
    void note(const QString &what) { m_problems << what; }

    [[nodiscard]] Agency agencyOf(qsizetype row) const
    {
        return row < ProfileFacts::zoltRecords ? ProfileFacts::Zolt : ProfileFacts::Krev;
    }

    [[nodiscard]] qsizetype count(const std::function<bool(const HirelingEntry &)> &test) const
    {
        return std::count_if(m_entries.cbegin(), m_entries.cend(), test);
    }

    void checkAgencyOrder()
    {
        for (qsizetype row = 0; row < m_entries.size(); ++row) {
            const bool krev = m_entries.at(row).isKrev();
            if (krev != (agencyOf(row) == ProfileFacts::Krev))
                note(u"%1 stands at row %2, but rows 1 to %3 are ZOLT and the rest KREV"_qs
                         .arg(m_entries.at(row).label())
                         .arg(row + 1)
                         .arg(ProfileFacts::zoltRecords));
        }
    }

    // Each end of each range is reached by at least one record of the agency.
    void checkExtremes(const ProfileFacts::FieldRange &range)
    {
        for (const Agency agency : {ProfileFacts::Zolt, ProfileFacts::Krev}) {
            if (agency == ProfileFacts::Krev && range.nullForKrev)
                continue;
            const ProfileFacts::Range &wanted =
                agency == ProfileFacts::Krev ? range.krev : range.zolt;
            qint64 lowest = std::numeric_limits<qint64>::max();
            qint64 highest = std::numeric_limits<qint64>::min();
            for (qsizetype row = 0; row < m_entries.size(); ++row) {
                const HirelingEntry &entry = m_entries.at(row);
                if (agencyOf(row) != agency || entry.value(range.field).isNull())
                    continue;
                lowest = std::min(lowest, measure(entry, range.field));
                highest = std::max(highest, measure(entry, range.field));
            }
            if (lowest != wanted.min || highest != wanted.max)
                note(u"%1 of the %2 records spans %3..%4; the data profile wants exactly %5..%6"_qs
                         .arg(fieldName(range.field), agencyName(agency))
                         .arg(lowest)
                         .arg(highest)
                         .arg(wanted.min)
                         .arg(wanted.max));
        }
    }

    void checkLevels()
    {
        const auto levelCount = [this](int level) {
            return count(
                [level](const HirelingEntry &e) { return e.value(MDlvl).asInteger() == level; });
        };
        if (levelCount(ProfileFacts::topLevel) != ProfileFacts::topLevelCount)
            note(u"%1 hirelings have level %2 instead of %3"_qs
                     .arg(levelCount(ProfileFacts::topLevel))
                     .arg(ProfileFacts::topLevel)
                     .arg(ProfileFacts::topLevelCount));
        if (levelCount(ProfileFacts::bottomLevel) != ProfileFacts::bottomLevelCount)
            note(u"%1 hirelings have level %2 instead of %3"_qs
                     .arg(levelCount(ProfileFacts::bottomLevel))
                     .arg(ProfileFacts::bottomLevel)
                     .arg(ProfileFacts::bottomLevelCount));
        QSet<int> levels;
        for (const HirelingEntry &entry : m_entries)
            levels.insert(entry.value(MDlvl).asInteger());
        if (levels.size() != ProfileFacts::distinctLevels)
            note(u"%1 different levels occur instead of %2"_qs.arg(levels.size())
                     .arg(ProfileFacts::distinctLevels));
    }

    void checkMoney()
    {
        const qsizetype zeroDeposits = count([](const HirelingEntry &e) {
            return !e.value(MDdeposit).isNull() && e.value(MDdeposit).asFloat() == 0.0;
        });
        if (zeroDeposits != ProfileFacts::zeroDepositCount)
            note(u"%1 records have a deposit of 0 instead of %2"_qs.arg(zeroDeposits)
                     .arg(ProfileFacts::zeroDepositCount));

        int shared = 0;
        for (const HirelingEntry &entry : m_entries) {
            for (const HirelingField field : {MDCost1, MDCost7, MDCost15, MDdeposit, MDcurtools}) {
                const FieldValue &value = entry.value(field);
                if (value.isNull() || value.asFloat() != ProfileFacts::sharedWage)
                    continue;
                ++shared;
                if (field != MDCost1 || !entry.isKrev())
                    note(u"%1: %2 is %3, an amount reserved for three KREV daily wages"_qs
                             .arg(entry.label(), fieldName(field))
                             .arg(ProfileFacts::sharedWage));
            }
        }
        if (shared != ProfileFacts::sharedWageCount)
            note(u"the amount %1 occurs %2 times instead of %3"_qs.arg(ProfileFacts::sharedWage)
                     .arg(shared)
                     .arg(ProfileFacts::sharedWageCount));
    }

    // KREV rows fall by daily wage with some ties; ZOLT rows follow no key in either direction.
    void checkWageOrder()
    {
        bool tie = false;
        for (qsizetype row = ProfileFacts::zoltRecords + 1; row < m_entries.size(); ++row) {
            const double before = m_entries.at(row - 1).value(MDCost1).asFloat();
            const double here = m_entries.at(row).value(MDCost1).asFloat();
            if (here > before)
                note(u"%1 earns more than the KREV hireling before it; KREV rows fall by MDCost1"_qs
                         .arg(m_entries.at(row).label()));
            tie = tie || here == before;
        }
        if (!tie)
            note(u"no two neighbouring KREV rows share a daily wage"_qs);

        const auto zolt = m_entries.mid(0, ProfileFacts::zoltRecords);
        const auto ordered =
            [&zolt](const std::function<int(const HirelingEntry &, const HirelingEntry &)> &compare,
                    int direction) {
                for (qsizetype row = 1; row < zolt.size(); ++row) {
                    if (compare(zolt.at(row - 1), zolt.at(row)) * direction > 0)
                        return false;
                }
                return true;
            };
        const auto byName = [](const HirelingEntry &a, const HirelingEntry &b) {
            return a.text(MDName).compare(b.text(MDName), Qt::CaseInsensitive);
        };
        const auto byLevel = [](const HirelingEntry &a, const HirelingEntry &b) {
            return a.value(MDlvl).asInteger() - b.value(MDlvl).asInteger();
        };
        const auto byWage = [](const HirelingEntry &a, const HirelingEntry &b) {
            const double x = a.value(MDCost1).asFloat();
            const double y = b.value(MDCost1).asFloat();
            return x < y ? -1 : (x > y ? 1 : 0);
        };
        const std::pair<const char16_t *,
                        std::function<int(const HirelingEntry &, const HirelingEntry &)>>
            keys[] = {{u"name", byName}, {u"level", byLevel}, {u"daily wage", byWage}};
        for (const auto &[key, compare] : keys) {
            for (const int direction : {1, -1}) {
                if (ordered(compare, direction))
                    note(u"the ZOLT rows are sorted by %1; they must follow no key"_qs.arg(
                        QString::fromUtf16(key)));
            }
        }
    }

    void checkNames()
    {
        QSet<QString> seen;
        for (const HirelingEntry &entry : m_entries) {
            const QString folded = entry.text(MDName).toCaseFolded();
            if (seen.contains(folded))
                note(u"%1: another hireling has the same name, letter case ignored"_qs.arg(
                    entry.label()));
            seen.insert(folded);
        }
        const qsizetype hyphenated =
            count([](const HirelingEntry &e) { return e.text(MDName).contains(u'-'); });
        if (hyphenated != ProfileFacts::hyphenatedNameCount)
            note(u"%1 names contain a hyphen instead of %2"_qs.arg(hyphenated)
                     .arg(ProfileFacts::hyphenatedNameCount));
        const qsizetype starred =
            count([](const HirelingEntry &e) { return e.text(MDName).endsWith(u" *"_qs); });
        if (starred != ProfileFacts::starredNameCount)
            note(u"%1 names end in \" *\" instead of %2"_qs.arg(starred).arg(
                ProfileFacts::starredNameCount));
    }

    [[nodiscard]] bool anyText(HirelingField field,
                               const std::function<bool(const QString &)> &test) const
    {
        return count([&](const HirelingEntry &e) {
                   return !e.value(field).isNull() && test(e.text(field));
               }) > 0;
    }

    void checkTexts()
    {
        QSet<QString> temperaments;
        for (const HirelingEntry &entry : m_entries)
            temperaments.insert(entry.text(MDchr));
        if (temperaments.size() != ProfileFacts::temperamentWords)
            note(u"%1 different MDchr words occur instead of %2"_qs.arg(temperaments.size())
                     .arg(ProfileFacts::temperamentWords));

        const int aliasWidth = HirelingFields::definition(MDAlias).size;
        const qsizetype fullAliases = count([aliasWidth](const HirelingEntry &e) {
            return e.value(MDAlias).bytes().size() == aliasWidth;
        });
        if (fullAliases != ProfileFacts::fullWidthAliasCount)
            note(u"%1 MDAlias values fill all %2 characters instead of %3"_qs.arg(fullAliases)
                     .arg(aliasWidth)
                     .arg(ProfileFacts::fullWidthAliasCount));
        const auto hasLatin = [](const QString &t) {
            return std::any_of(t.cbegin(), t.cend(), [](QChar c) {
                return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
            });
        };
        const auto hasCyrillic = [](const QString &t) {
            return std::any_of(t.cbegin(), t.cend(),
                               [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
        };
        if (!anyText(MDAlias, hasLatin) || !anyText(MDAlias, hasCyrillic))
            note(u"MDAlias must show both Latin and Cyrillic nicknames"_qs);
        if (!anyText(MDspec, [](const QString &t) { return t.contains(u'('); }))
            note(u"no MDspec carries a remark in parentheses"_qs);
        for (const QChar mark : {u'.', u'(', u'"', u'&'}) {
            if (!anyText(MDtools, [mark](const QString &t) { return t.contains(mark); }))
                note(u"no MDtools value contains '%1'"_qs.arg(mark));
        }

        const QString none = RecordRules::noneWord();
        const qsizetype noFriends =
            count([&none](const HirelingEntry &e) { return e.text(MDFrends) == none; });
        if (noFriends != ProfileFacts::noFriendsCount)
            note(u"MDFrends is \"%1\" in %2 records instead of %3"_qs.arg(none).arg(noFriends).arg(
                ProfileFacts::noFriendsCount));
        const qsizetype noFoes =
            count([&none](const HirelingEntry &e) { return e.text(MDNoFrends) == none; });
        if (noFoes != ProfileFacts::noFoesCount)
            note(u"MDNoFrends is \"%1\" in %2 records instead of %3"_qs.arg(none).arg(noFoes).arg(
                ProfileFacts::noFoesCount));
        const qsizetype withoutTools =
            count([](const HirelingEntry &e) { return e.value(MDtools).isNull(); });
        if (withoutTools != ProfileFacts::recordsWithoutTools)
            note(u"%1 records have no MDtools instead of %2"_qs.arg(withoutTools)
                     .arg(ProfileFacts::recordsWithoutTools));
    }

    void checkSizes()
    {
        qint64 dossierBytes = 0;
        qsizetype smallestRow = std::numeric_limits<qsizetype>::max();
        qsizetype largestRow = 0;
        for (const HirelingEntry &entry : m_entries) {
            dossierBytes += entry.value(MDmemo).bytes().size();
            smallestRow = std::min(smallestRow, DataRules::rowBytes(entry));
            largestRow = std::max(largestRow, DataRules::rowBytes(entry));
        }
        if (dossierBytes != ProfileFacts::dossierTotalBytes)
            note(u"the dossiers hold %1 bytes in all instead of %2"_qs.arg(dossierBytes)
                     .arg(ProfileFacts::dossierTotalBytes));
        if (smallestRow != ProfileFacts::rowBytes.min || largestRow != ProfileFacts::rowBytes.max)
            note(u"rows take %1 to %2 bytes; the data profile wants exactly %3 to %4"_qs
                     .arg(smallestRow)
                     .arg(largestRow)
                     .arg(ProfileFacts::rowBytes.min)
                     .arg(ProfileFacts::rowBytes.max));
    }

    const QList<HirelingEntry> &m_entries;
    QStringList m_problems;
};

} // namespace

QStringList DataRules::check(const QList<HirelingEntry> &entries)
{
    return Checker(entries).run();
}

qsizetype DataRules::rowBytes(const HirelingEntry &entry)
{
    const qsizetype blankMapBytes =
        (HirelingFieldCount * blankBitsPerField + bitsPerByte - 1) / bitsPerByte;
    qsizetype size = statusBytes + blankMapBytes;
    for (int f = 0; f < HirelingFieldCount; ++f) {
        const auto field = static_cast<HirelingField>(f);
        const FieldValue &value = entry.value(field);
        if (value.isNull())
            continue;
        switch (HirelingFields::definition(field).kind) {
        case FieldKind::String:
            size += stringLengthBytes + value.bytes().size();
            break;
        case FieldKind::SmallInt:
            size += smallIntBytes;
            break;
        case FieldKind::Money:
            size += moneyBytes;
            break;
        case FieldKind::Memo:
        case FieldKind::Blob:
            size += blobLengthBytes + value.bytes().size();
            break;
        }
    }
    return size;
}
