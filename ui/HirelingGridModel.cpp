// The read-only table model through which the grid shows the thirteen grid fields of "MD".
#include "HirelingGridModel.h"

#include "DataSource.h"
#include "HirelingTable.h"

namespace {

// Titles stand at the left whatever their column holds.
constexpr Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

HirelingGridModel::HirelingGridModel(HirelingTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(&table), m_rowCount(table.recordCount())
{}

HirelingGridModel::~HirelingGridModel() = default;

void HirelingGridModel::bindTo(DataSource &dataSource)
{
    connect(&dataSource, &DataSource::filled, this, &HirelingGridModel::showAppended);
    connect(&dataSource, &DataSource::reordered, this, &HirelingGridModel::showNewOrder);
    connect(&dataSource, &DataSource::refreshed, this, &HirelingGridModel::repaintAll);
    connect(&dataSource, &DataSource::reformatted, this, &HirelingGridModel::repaintAll);
    connect(&dataSource, &DataSource::currentMoved, this, &HirelingGridModel::repaintMove);
}

void HirelingGridModel::showAppended(int firstNewRow, int lastNewRow)
{
    if (lastNewRow < firstNewRow)
        return;
    beginInsertRows({}, firstNewRow, lastNewRow);
    m_rowCount += lastNewRow - firstNewRow + 1;
    endInsertRows();
}

void HirelingGridModel::showNewOrder(const QList<int> &formerRows)
{
    // The table has its new order already and the cells are read from it; what the two layout
    // signals bracket is the moving of the persistent indexes, which is what views keep across
    // a layout change.
    const QList<QPersistentModelIndex> parents;
    emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);

    QList<int> newRowOf(formerRows.size());
    for (qsizetype row = 0; row < formerRows.size(); ++row)
        newRowOf[formerRows[row]] = static_cast<int>(row);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &old : from)
        to.append(index(newRowOf.at(old.row()), old.column()));
    changePersistentIndexList(from, to);

    emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
}

void HirelingGridModel::repaintAll()
{
    if (m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, GridColumnCount - 1));
}

void HirelingGridModel::repaintMove(int fromRow, int toRow)
{
    repaintRow(fromRow);
    repaintRow(toRow);
}

void HirelingGridModel::repaintRow(int row)
{
    if (row >= 0 && row < m_rowCount)
        emit dataChanged(index(row, 0), index(row, GridColumnCount - 1));
}

int HirelingGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int HirelingGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridColumnCount;
}

QVariant HirelingGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        m_table.isNull())
        return {};
    const FieldDefinition &field = m_table->fieldDefinitions().at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_table->value(index.row(), index.column()).displayText(field.kind);
    case Qt::TextAlignmentRole:
        return (field.alignment | Qt::AlignVCenter).toInt();
    default:
        return {};
    }
}

QVariant HirelingGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= GridColumnCount ||
        m_table.isNull())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_table->fieldDefinitions().at(section).displayLabel();
    case Qt::TextAlignmentRole:
        return titleAlignment.toInt();
    default:
        return {};
    }
}

Qt::ItemFlags HirelingGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
