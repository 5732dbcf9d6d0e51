// The in-memory hireling table "MD": records, current record, copy, sort and notifications.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringView>

#include <memory>
#include <vector>

class DataSource;
class RecordSource;

// Records live at fixed addresses from their append to the table's end; the display order is a
// sequence of references to them, which a sort rearranges without touching record contents.
//
// Notifications go to the data source, synchronously: one when the table opens, one at the end of
// a copy, two for a sort of a non-empty table, one for each move of the current record.
class HirelingTable final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HirelingTable)

public:
    // appendAllFrom(): a record limit of 0 copies every record of the source.
    static constexpr int AllRecords = 0;
    // appendAllFrom(): append into the table's own field definitions, keeping its records.
    static constexpr int AppendKeepingRecords = 1;

    explicit HirelingTable(QObject *parent = nullptr);
    ~HirelingTable() override;

    [[nodiscard]] const QList<FieldDefinition> &fieldDefinitions() const;
    // The position of the field of that name, letter case ignored; -1 when there is none.
    [[nodiscard]] int fieldIndex(QStringView name) const;

    // The data source told of every change; the table does not own it.
    void setDataSource(DataSource *dataSource);
    [[nodiscard]] DataSource *dataSource() const;

    // Opens the table empty and raises one notification. Opening an open table does nothing.
    void open();
    [[nodiscard]] bool isOpen() const { return m_open; }

    // Appends the source's records from its first, at most `recordLimit` of them (AllRecords or
    // a negative limit: every one), and returns how many were appended. Fields pair by name,
    // letter case ignored; table fields that no source field names stay null. The first record
    // of the table ends up current and the data source hears of it once, at the end.
    // Throws DataError when the table is closed or a source field's kind differs from its
    // namesake's, before anything is appended; std::invalid_argument for a mode other than
    // AppendKeepingRecords.
    int appendAllFrom(const RecordSource &source, int recordLimit, int mode);

    // Orders the records by the named field: nulls first, then by value (strings by the user's
    // collation), equal values by load number; `descending` gives the exact reverse. The current
    // record stays current. Throws DataError, with nothing moved and nobody notified, when no
    // field has that name or the field is a memo or blob. A sort of an empty table does nothing.
    void sortByField(QStringView fieldName, bool caseInsensitive, bool descending);

    // While the table is open, first() and last() always raise one notification, as a refresh
    // from that end would, even when that record is current already (or there is none). The other
    // moves raise one only when the current record changes: a move to the current row or past
    // either end does nothing.
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
    // Grows with every sort of a non-empty table, whether or not the order changed, so that a view
    // can tell a refreshed order from a move of the current record.
    [[nodiscard]] quint64 orderGeneration() const { return m_orderGeneration; }

private:
    struct Record;
    class NotificationSuspension;

    void notify();
    [[nodiscard]] const Record *recordAt(int row) const;

    QList<FieldDefinition> m_fields;
    QPointer<DataSource> m_dataSource;
    std::vector<std::unique_ptr<Record>> m_storage; // in load order, never rearranged
    std::vector<Record *> m_order;                  // display order
    int m_currentRow = -1;
    int m_nextLoadNumber = 1;
    int m_notificationSuspensions = 0;
    quint64 m_orderGeneration = 0;
    bool m_open = false;
};
