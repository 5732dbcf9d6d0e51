// The data source "dsMD" that passes each change of the hireling table to its bound controls.
#pragma once

#include <QList>
#include <QObject>

class HirelingTable;

// Repeats each of the table's signals to the bound controls, which connect to the signal of the
// change they show, and then emits dataChange(), to which the window binds its data-change
// handler: the handler always finds controls that already show the new record. Each repeated
// signal is one change notification: a copy raises one, a sort two, a move of the current record
// one.
class DataSource final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataSource)

public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    // The table whose changes this source passes on; null passes none.
    void setDataSet(HirelingTable *table);

    // Tells the controls that the same values now read differently (the regional settings that
    // shape money texts changed): reformatted(), then dataChange().
    void reformat();

signals:
    // The table's signals, repeated to the bound controls (see HirelingTable).
    void filled(int firstNewRow, int lastNewRow);
    void reordered(const QList<int> &formerRows);
    void refreshed();
    void currentMoved(int fromRow, int toRow);
    // Not the table's: the values stand as they stood, but their texts are made anew.
    void reformatted();
    // After every one of the signals above, once the bound controls have handled it.
    void dataChange();

private:
    QList<QMetaObject::Connection> m_tableConnections;
};
