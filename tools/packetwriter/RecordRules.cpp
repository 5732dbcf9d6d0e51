// The facts each hireling record must meet on its own: nulls, ranges, lengths and text shapes.
#include "RecordRules.h"

#include "DossierRules.h"
#include "PortraitRules.h"
#include "ProfileFacts.h"

#include <cmath>

namespace {

using ProfileFacts::Range;

constexpr int firstPrintable = 0x20;
constexpr int deleteCode = 0x7F;

QString fieldName(HirelingField field)
{
    return HirelingFields::definition(field).name;
}

QString rangeText(const Range &range)
{
    return u"%1..%2"_qs.arg(range.min).arg(range.max);
}

class Checker final
{
public:
    explicit Checker(const HirelingEntry &entry) : m_entry(entry), m_krev(entry.isKrev()) {}

    QStringList run()
    {
        const qint64 type = m_entry.value(MDType).asInteger();
        if (m_entry.value(MDType).isNull() || (type != 0 && type != 1))
            note(MDType, u"must be 0 (ZOLT) or 1 (KREV)"_qs);
        for (const ProfileFacts::FieldRange &range : ProfileFacts::ranges)
            checkRange(range);
        checkNulls();
        for (const HirelingField field :
             {MDName, MDchr, MDtools, MDAlias, MDspec, MDFrends, MDNoFrends})
            checkText(field);
        checkShapes();
        if (!m_entry.value(MDmemo).isNull()) {
            for (const QString &problem : DossierRules::check(m_entry.value(MDmemo).bytes()))
                note(MDmemo, problem);
        }
        if (!m_entry.value(MDpic).isNull()) {
            for (const QString &problem : PortraitRules::check(m_entry.value(MDpic).bytes()))
                note(MDpic, problem);
        }
        return m_problems;
    }

private:
    void note(HirelingField field, const QString &what)
    {
        m_problems << fieldName(field) + u' ' + what;
    }

    [[nodiscard]] QString agency() const { return m_krev ? u"KREV"_qs : u"ZOLT"_qs; }

    void checkRange(const ProfileFacts::FieldRange &range)
    {
        const FieldValue &value = m_entry.value(range.field);
        if (value.isNull() || (m_krev && range.nullForKrev))
            return;
        const Range &allowed = m_krev ? range.krev : range.zolt;
        const FieldKind kind = HirelingFields::definition(range.field).kind;
        qint64 measured = 0;
        QString what;
        switch (kind) {
        case FieldKind::SmallInt:
            measured = value.asInteger();
            what = u"value"_qs;
            break;
        case FieldKind::Money:
            if (value.asFloat() != std::floor(value.asFloat()))
                note(range.field, u"%1 is not a whole amount"_qs.arg(value.asFloat()));
            measured = static_cast<qint64>(value.asFloat());
            what = u"value"_qs;
            break;
        case FieldKind::String:
            measured = value.bytes().size();
            what = u"length"_qs;
            break;
        case FieldKind::Memo:
        case FieldKind::Blob:
            measured = value.bytes().size();
            what = u"size in bytes"_qs;
            break;
        }
        if (!allowed.contains(measured))
            note(range.field, u"%1 %2 is outside %3 for %4"_qs.arg(what).arg(measured).arg(
                                  rangeText(allowed), agency()));
    }

    void checkNulls()
    {
        for (int f = 0; f < HirelingFieldCount; ++f) {
            const auto field = static_cast<HirelingField>(f);
            bool mustBeNull = false;
            bool mayBeNull = false;
            if (m_krev) {
                for (const ProfileFacts::FieldRange &range : ProfileFacts::ranges) {
                    if (range.field == field && range.nullForKrev)
                        mustBeNull = true;
                }
                mayBeNull = mustBeNull || field == MDtools;
            }
            const bool isNull = m_entry.value(field).isNull();
            if (mustBeNull && !isNull)
                note(field, u"must be null in a KREV record"_qs);
            else if (isNull && !mayBeNull)
                note(field, u"must not be null in a %1 record"_qs.arg(agency()));
        }
    }

    void checkText(HirelingField field)
    {
        const FieldValue &value = m_entry.value(field);
        if (value.isNull())
            return;
        const QByteArray &bytes = value.bytes();
        const int width = HirelingFields::definition(field).size;
        if (bytes.isEmpty())
            note(field, u"is empty"_qs);
        if (bytes.size() > width)
            note(
                field,
                u"is %1 characters long, more than the field's %2"_qs.arg(bytes.size()).arg(width));
        if (bytes.startsWith(' ') || bytes.endsWith(' '))
            note(field, u"has a leading or trailing space"_qs);
        for (const char c : bytes) {
            const auto code = static_cast<unsigned char>(c);
            if (code < firstPrintable || code == deleteCode) {
                note(field,
                     u"holds the control character 0x%1"_qs.arg(code, 2, 16, QLatin1Char('0')));
                break;
            }
        }
    }

    void checkItemCount(HirelingField field, const ProfileFacts::Range &allowed)
    {
        const QStringList items = RecordRules::listItems(m_entry.text(field));
        if (!allowed.contains(items.size()))
            note(field,
                 u"lists %1 items instead of %2"_qs.arg(items.size()).arg(rangeText(allowed)));
        for (const QString &item : items) {
            if (item.isEmpty())
                note(field, u"has an empty item"_qs);
        }
    }

    void checkLowerCase(HirelingField field)
    {
        const QString text = m_entry.text(field);
        if (text != text.toLower())
            note(field, u"\"%1\" is not in lower case"_qs.arg(text));
    }

    void checkShapes()
    {
        if (!m_entry.value(MDchr).isNull()) {
            checkLowerCase(MDchr);
            if (m_entry.text(MDchr).contains(u' '))
                note(MDchr, u"must be a single word"_qs);
        }
        if (!m_entry.value(MDspec).isNull()) {
            checkLowerCase(MDspec);
            checkItemCount(MDspec, ProfileFacts::specItems);
        }
        if (!m_entry.value(MDAlias).isNull())
            checkItemCount(MDAlias, ProfileFacts::aliasItems);
        if (!m_entry.value(MDtools).isNull())
            checkItemCount(MDtools, ProfileFacts::toolItems);
        for (const HirelingField field : {MDFrends, MDNoFrends}) {
            if (m_entry.value(field).isNull())
                continue;
            const QString text = m_entry.text(field);
            if (text == RecordRules::noneWord())
                continue;
            checkItemCount(field, ProfileFacts::colleagueItems);
            if (RecordRules::listItems(text).contains(RecordRules::noneWord()))
                note(field, u"lists \"%1\" beside colleagues"_qs.arg(RecordRules::noneWord()));
        }
    }

    const HirelingEntry &m_entry;
    bool m_krev;
    QStringList m_problems;
};

} // namespace

QStringList RecordRules::check(const HirelingEntry &entry)
{
    return Checker(entry).run();
}

QStringList RecordRules::listItems(const QString &text)
{
    QStringList items;
    QString current;
    int depth = 0;
    for (const QChar c : text) {
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        if (c == u',' && depth == 0) {
            items << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    items << current.trimmed();
    return items;
}
