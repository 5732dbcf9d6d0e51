// The read-only table model through which the grid shows the thirteen grid fields of "MD".
#pragma once

#include "HirelingFields.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class DataSource;
class HirelingTable;

// Column k shows field k of the table. The model follows the table through the data source: on
// each notification it compares the order it last published (a list of load numbers) with the
// table's, and announces appended rows, a new order (persistent indexes follow their records, so a
// view's current row stays on its hireling) or, for a move of the current record, repainted cells.
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

    // Registers the model as a bound control of `dataSource`, the one the table notifies.
    void bindTo(DataSource &dataSource);
    // Brings the model in line with the table; what a notification runs.
    void refresh();

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    [[nodiscard]] std::vector<int> tableLoadNumbers() const;
    // Nothing moved: the cells are redrawn, the current row's highlight among them.
    void repaint();
    void publishNewOrder(std::vector<int> order);

    QPointer<HirelingTable> m_table;
    std::vector<int> m_shownLoadNumbers; // the rows as the views know them
    quint64 m_shownOrderGeneration = 0;
};
