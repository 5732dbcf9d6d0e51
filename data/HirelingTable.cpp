// The in-memory hireling table "MD": records, current record, copy, sort and notifications.
#include "HirelingTable.h"

#include "DataError.h"
#include "HirelingFields.h"
#include "NameCollator.h"
#include "RecordSource.h"
#include "Windows1251.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The error class of a missing field, a field of the wrong kind or a closed table.
constexpr QStringView databaseErrorClass = u"EDatabaseError";

const FieldValue &nullValue()
{
    static const FieldValue none;
    return none;
}

// -1, 0 or 1. NaN, which only a damaged source could hold, sorts after every number so that the
// order stays total and the sort stays well-defined.
int compareNumbers(double left, double right)
{
    if (left < right)
        return -1;
    if (left > right)
        return 1;
    const bool leftNan = std::isnan(left);
    const bool rightNan = std::isnan(right);
    return leftNan == rightNan ? 0 : (leftNan ? 1 : -1);
}

} // namespace

struct HirelingTable::Record
{
    int loadNumber = 0;
    std::vector<FieldValue> values;
};

HirelingTable::HirelingTable(QObject *parent)
    : QObject(parent), m_fields(HirelingFields::definitions())
{
    setObjectName(u"MD"_s);
}

HirelingTable::~HirelingTable() = default;

const QList<FieldDefinition> &HirelingTable::fieldDefinitions() const
{
    return m_fields;
}

int HirelingTable::fieldIndex(QStringView name) const
{
    return indexOfField(m_fields, name);
}

void HirelingTable::open()
{
    if (m_open)
        return;
    m_open = true;
    emit filled(0, -1);
}

int HirelingTable::appendAllFrom(const RecordSource &source, int recordLimit)
{
    if (!m_open) {
        throw DataError(
            databaseErrorClass.toString(),
            u"%1: Невозможно выполнить эту операцию на закрытом наборе данных"_s.arg(objectName()));
    }

    // Pair every source field with its namesake before anything is appended, so that a mismatch
    // leaves the table as it was. A later source field of the same name overwrites an earlier.
    struct FieldPair
    {
        qsizetype source;
        int table;
    };
    std::vector<FieldPair> pairs;
    const QList<FieldDefinition> &sourceFields = source.fieldDefinitions();
    for (qsizetype s = 0; s < sourceFields.size(); ++s) {
        const int t = fieldIndex(sourceFields[s].name);
        if (t < 0)
            continue;
        if (sourceFields[s].kind != m_fields[t].kind) {
            throw DataError(databaseErrorClass.toString(),
                            u"%1: Поле '%2' не того типа, который ожидается"_s.arg(
                                objectName(), m_fields[t].displayLabel()));
        }
        pairs.push_back({s, t});
    }

    qsizetype count = std::max<qsizetype>(source.recordCount(), 0);
    if (recordLimit > 0)
        count = std::min<qsizetype>(count, recordLimit);
    // Rows and load numbers are ints; a source claiming more records than that cannot be real.
    const qsizetype room = std::min<qsizetype>(std::numeric_limits<int>::max() - m_nextLoadNumber,
                                               std::numeric_limits<int>::max() - recordCount());
    if (count > room)
        throw std::length_error("HirelingTable::appendAllFrom: too many records");

    // Built aside and committed at once: a source that throws half-way appends nothing.
    // Grown record by record rather than reserved from the count the source claims.
    std::vector<std::unique_ptr<Record>> appended;
    for (qsizetype r = 0; r < count; ++r) {
        auto record = std::make_unique<Record>();
        record->values.resize(static_cast<std::size_t>(m_fields.size()));
        for (const FieldPair &pair : pairs)
            record->values[static_cast<std::size_t>(pair.table)] = source.value(r, pair.source);
        appended.push_back(std::move(record));
    }

    const int firstNewRow = recordCount();
    m_storage.reserve(m_storage.size() + appended.size());
    m_order.reserve(m_order.size() + appended.size());
    for (std::unique_ptr<Record> &record : appended) {
        record->loadNumber = m_nextLoadNumber++;
        m_order.push_back(record.get());
        m_storage.push_back(std::move(record));
    }
    // The copy ends on the first record and says so once, not once per record or per move.
    m_currentRow = m_order.empty() ? -1 : 0;
    emit filled(firstNewRow, recordCount() - 1);
    return static_cast<int>(count);
}

void HirelingTable::sortByField(QStringView fieldName, bool caseInsensitive, bool descending)
{
    const int field = fieldIndex(fieldName);
    if (field < 0) {
        throw DataError(databaseErrorClass.toString(),
                        u"%1: Поле '%2' не найдено"_s.arg(objectName(), fieldName));
    }
    const FieldDefinition &definition = m_fields[field];
    if (!definition.isComparable()) {
        throw DataError(databaseErrorClass.toString(),
                        u"%1: Поле '%2' не того типа, который ожидается"_s.arg(
                            objectName(), definition.displayLabel()));
    }
    if (m_order.empty())
        return;

    // The keys are read once per record; the sort then only rearranges references.
    struct SortEntry
    {
        Record *record;
        int formerRow;
        bool isNull;
        double number;
        QString text;
    };
    const bool isString = definition.kind == FieldKind::String;
    std::vector<SortEntry> entries;
    entries.reserve(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row) {
        Record *record = m_order[row];
        const FieldValue &value = record->values[static_cast<std::size_t>(field)];
        entries.push_back({record, static_cast<int>(row), value.isNull(), value.asFloat(),
                           isString ? Windows1251::decode(value.bytes()) : QString()});
    }

    const NameCollator collator(caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    const auto compareKeys = [&](const SortEntry &left, const SortEntry &right) {
        if (left.isNull || right.isNull)
            return left.isNull == right.isNull ? 0 : (left.isNull ? -1 : 1);
        return isString ? collator.compare(left.text, right.text)
                        : compareNumbers(left.number, right.number);
    };
    // The load number breaks every tie, so any correct sort gives the same order; descending is
    // the ascending order turned round, tie-break included.
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const SortEntry &left, const SortEntry &right) {
                         const int byKey = compareKeys(left, right);
                         if (byKey != 0)
                             return byKey < 0;
                         return left.record->loadNumber < right.record->loadNumber;
                     });
    if (descending)
        std::reverse(entries.begin(), entries.end());

    const int formerCurrentRow = m_currentRow;
    std::vector<Record *> order;
    order.reserve(entries.size());
    QList<int> formerRows;
    formerRows.reserve(static_cast<qsizetype>(entries.size()));
    for (const SortEntry &entry : entries) {
        const int formerRow = entry.formerRow;
        order.push_back(entry.record);
        formerRows.push_back(formerRow);
        if (formerRow == formerCurrentRow)
            m_currentRow = static_cast<int>(formerRows.size() - 1);
    }
    m_order.swap(order);

    // Every sort announces a new order, also one that comes out as it was: the grid then chooses
    // its rows anew around the current record, and then shows them refreshed.
    emit reordered(formerRows);
    emit refreshed();
}

void HirelingTable::first()
{
    if (m_open)
        moveCurrentRow(m_order.empty() ? -1 : 0);
}

void HirelingTable::last()
{
    if (m_open)
        moveCurrentRow(recordCount() - 1);
}

void HirelingTable::next()
{
    if (m_currentRow >= 0)
        moveTo(m_currentRow + 1);
}

void HirelingTable::prior()
{
    if (m_currentRow > 0)
        moveTo(m_currentRow - 1);
}

void HirelingTable::moveTo(int row)
{
    if (row >= 0 && row < recordCount() && row != m_currentRow)
        moveCurrentRow(row);
}

void HirelingTable::moveCurrentRow(int row)
{
    if (row == m_currentRow) {
        emit refreshed();
        return;
    }
    const int fromRow = std::exchange(m_currentRow, row);
    emit currentMoved(fromRow, row);
}

int HirelingTable::recordCount() const
{
    return static_cast<int>(m_order.size());
}

const FieldValue &HirelingTable::value(int row, int field) const
{
    const Record *record = recordAt(row);
    if (record == nullptr || field < 0 || static_cast<std::size_t>(field) >= record->values.size())
        return nullValue();
    return record->values[static_cast<std::size_t>(field)];
}

const FieldValue &HirelingTable::currentValue(int field) const
{
    return value(m_currentRow, field);
}

int HirelingTable::loadNumber(int row) const
{
    const Record *record = recordAt(row);
    return record != nullptr ? record->loadNumber : -1;
}

const HirelingTable::Record *HirelingTable::recordAt(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_order.size())
        return nullptr;
    return m_order[static_cast<std::size_t>(row)];
}
