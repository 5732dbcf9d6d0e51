// The read-only table model through which the grid shows the thirteen grid fields of "MD".
#pragma once

#include "HirelingFields.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

class DataSource;
class HirelingTable;

// Column k shows field k of the table. The model follows the table through the data source and
// turns each change into the signals Qt's views expect: appended rows into an insertion, a new
// order into a layout change (persistent indexes follow their records, so a view's current row
// stays on its hireling), a refresh into a repaint of every cell, and a move of the current record
// into a repaint of the two rows it left and reached.
class HirelingGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HirelingGridModel)

public:
    enum GridColumn : int
    {
        NameColumn = MDName,
        HealthColumn = MDhea,
        AgilityColumn = MDagi,
        DexterityColumn = MDdex,
        StrengthColumn = MDstr,
        LeadershipColumn = MDldr,
        WisdomColumn = MDwis,
        MarksmanshipColumn = MDmrk,
        ExplosivesColumn = MDexp,
        MechanicalColumn = MDmec,
        MedicalColumn = MDmed,
        LevelColumn = MDlvl,
        WageColumn = MDCost1,
        GridColumnCount
    };

    explicit HirelingGridModel(HirelingTable &table, QObject *parent = nullptr);
    ~HirelingGridModel() override;

    // Makes the model a bound control of `dataSource`, the one that passes on the table's changes.
    void bindTo(DataSource &dataSource);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void showAppended(int firstNewRow, int lastNewRow);
    void showNewOrder(const QList<int> &formerRows);
    void repaintAll();
    void repaintMove(int fromRow, int toRow);
    void repaintRow(int row);

    QPointer<HirelingTable> m_table;
    int m_rowCount = 0; // the rows as the views know them
};
