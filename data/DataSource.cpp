// The data source "dsMD" that passes each change of the hireling table to its bound controls.
#include "DataSource.h"

#include "HirelingTable.h"

DataSource::DataSource(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("dsMD"));
}

DataSource::~DataSource() = default;

void DataSource::setDataSet(HirelingTable *table)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_tableConnections))
        disconnect(connection);
    m_tableConnections.clear();
    if (table == nullptr)
        return;
    // Each repetition is followed by dataChange() in the same call, so the handler runs after
    // every control that is connected to the repeated signal, whatever the order of binding.
    m_tableConnections = {
        connect(table, &HirelingTable::filled, this,
                [this](int firstNewRow, int lastNewRow) {
                    emit filled(firstNewRow, lastNewRow);
                    emit dataChange();
                }),
        connect(table, &HirelingTable::reordered, this,
                [this](const QList<int> &formerRows) {
                    emit reordered(formerRows);
                    emit dataChange();
                }),
        connect(table, &HirelingTable::refreshed, this,
                [this] {
                    emit refreshed();
                    emit dataChange();
                }),
        connect(table, &HirelingTable::currentMoved, this,
                [this](int fromRow, int toRow) {
                    emit currentMoved(fromRow, toRow);
                    emit dataChange();
                }),
    };
}

void DataSource::reformat()
{
    emit reformatted();
    emit dataChange();
}
