// The in-memory hireling table "MD": records, current record, copy, sort and notifications.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"

#include <QList>
#include <QObject>
#include <QStringView>

#include <memory>
#include <vector>

class RecordSource;

// Records live at fixed addresses from their append to the table's end; the display order is a
// sequence of references to them, which a sort rearranges without touching record contents.
//
// The table says what happened in its signals, synchronously, after the change is complete:
// filled() when it opens and at the end of a copy, reordered() and then refreshed() for a sort of
// a non-empty table, currentMoved() for each move of the current record, refreshed() for a move to
// the record that is current already. Each signal is one change notification as the data source
// counts them.
class HirelingTable final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HirelingTable)

public:
    // appendAllFrom(): a record limit of 0 copies every record of the source.
    static constexpr int AllRecords = 0;

    explicit HirelingTable(QObject *parent = nullptr);
    ~HirelingTable() override;

    [[nodiscard]] const QList<FieldDefinition> &fieldDefinitions() const;
    // The position of the field of that name, letter case ignored; -1 when there is none.
    [[nodiscard]] int fieldIndex(QStringView name) const;

    // Opens the table empty and emits filled(0, -1). Opening an open table does nothing.
    void open();
    [[nodiscard]] bool isOpen() const { return m_open; }

    // Appends the source's records from its first, at most `recordLimit` of them (AllRecords or
    // a negative limit: every one), and returns how many were appended. Fields pair by name,
    // letter case ignored; table fields that no source field names stay null. The records are
    // appended after the table's own; the first record of the table ends up current, and
    // filled() tells of it once, at the end, also when nothing was appended.
    // Throws DataError when the table is closed or a source field's kind differs from its
    // namesake's, before anything is appended.
    int appendAllFrom(const RecordSource &source, int recordLimit);

    // Orders the records by the named field: nulls first, then by value (strings by the user's
    // collation), equal values by load number; `descending` gives the exact reverse. The current
    // record stays current. Emits reordered() and then refreshed(), also when the order comes
    // out as it was. Throws DataError, with nothing moved and nothing emitted, when no field has
    // that name or the field is a memo or blob. A sort of an empty table does nothing.
    void sortByField(QStringView fieldName, bool caseInsensitive, bool descending);

    // While the table is open, first() and last() always raise one notification, as a refresh
    // from that end would: currentMoved() when another record becomes current, refreshed() when
    // that record is current already (or there is none). The other moves emit currentMoved() only
    // when the current record changes: a move to the current row or past either end does nothing.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);

    [[nodiscard]] int recordCount() const;
    // -1 while the table holds no records.
    [[nodiscard]] int currentRow() const { return m_currentRow; }
    // Null for a row or field out of range.
    [[nodiscard]] const FieldValue &value(int row, int field) const;
    // Null when there is no current record.
    [[nodiscard]] const FieldValue &currentValue(int field) const;
    // The number the record got when it was appended, 1 for the first; -1 for a row out of range.
    [[nodiscard]] int loadNumber(int row) const;

signals:
    // The table opened empty, or a copy appended the rows firstNewRow to lastNewRow (none when
    // lastNewRow < firstNewRow) after the rows it had; the current record is the first.
    void filled(int firstNewRow, int lastNewRow);
    // A sort put the records in a new order: the record now in row r stood in row formerRows[r].
    // The current record is the one that was current, wherever it stands now.
    void reordered(const QList<int> &formerRows);
    // The rows are to be shown again as they stand, the current record in the same row: a sort
    // ends with it once its new order has been taken in, and first() and last() say it when they
    // find their record current already.
    void refreshed();
    // Another record became current: the one in row `toRow` instead of the one in row `fromRow`
    // (-1: none). The two rows always differ.
    void currentMoved(int fromRow, int toRow);

private:
    struct Record;

    void moveCurrentRow(int row);
    [[nodiscard]] const Record *recordAt(int row) const;

    QList<FieldDefinition> m_fields;
    std::vector<std::unique_ptr<Record>> m_storage; // in load order, never rearranged
    std::vector<Record *> m_order;                  // display order
    int m_currentRow = -1;
    int m_nextLoadNumber = 1;
    bool m_open = false;
};
