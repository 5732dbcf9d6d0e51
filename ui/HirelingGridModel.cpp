// The read-only table model through which the grid shows the thirteen grid fields of "MD".
#include "HirelingGridModel.h"

#include "DataSource.h"
#include "HirelingTable.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Titles stand at the left whatever their column holds.
constexpr Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

HirelingGridModel::HirelingGridModel(HirelingTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(&table), m_shownLoadNumbers(tableLoadNumbers()),
      m_shownOrderGeneration(table.orderGeneration())
{}

HirelingGridModel::~HirelingGridModel() = default;

void HirelingGridModel::bindTo(DataSource &dataSource)
{
    dataSource.bindControl(this, [this] { refresh(); });
}

void HirelingGridModel::refresh()
{
    if (m_table.isNull())
        return;
    const quint64 generation = m_table->orderGeneration();
    const auto shownCount = static_cast<std::size_t>(m_shownLoadNumbers.size());
    const auto tableCount = static_cast<std::size_t>(m_table->recordCount());

    // The table reorders only when it sorts, and a sort raises the generation.
    if (generation == m_shownOrderGeneration && tableCount == shownCount) {
        repaint();
        return;
    }

    std::vector<int> order = tableLoadNumbers();
    m_shownOrderGeneration = generation;
    if (order == m_shownLoadNumbers) {
        repaint();
        return;
    }
    if (tableCount > shownCount &&
        std::equal(m_shownLoadNumbers.begin(), m_shownLoadNumbers.end(), order.begin())) {
        beginInsertRows({}, static_cast<int>(shownCount), static_cast<int>(tableCount) - 1);
        m_shownLoadNumbers = std::move(order);
        endInsertRows();
        return;
    }
    if (tableCount == shownCount &&
        std::is_permutation(order.begin(), order.end(), m_shownLoadNumbers.begin())) {
        publishNewOrder(std::move(order));
        return;
    }
    beginResetModel();
    m_shownLoadNumbers = std::move(order);
    endResetModel();
}

void HirelingGridModel::repaint()
{
    if (!m_shownLoadNumbers.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, GridColumnCount - 1));
}

void HirelingGridModel::publishNewOrder(std::vector<int> order)
{
    const QList<QPersistentModelIndex> parents;
    emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);

    std::unordered_map<int, int> newRowOf;
    newRowOf.reserve(order.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        newRowOf.emplace(order[row], static_cast<int>(row));

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &old : from) {
        const int loadNumber = m_shownLoadNumbers[static_cast<std::size_t>(old.row())];
        to.append(index(newRowOf.at(loadNumber), old.column()));
    }
    m_shownLoadNumbers = std::move(order);
    changePersistentIndexList(from, to);

    emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
}

int HirelingGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shownLoadNumbers.size());
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

std::vector<int> HirelingGridModel::tableLoadNumbers() const
{
    std::vector<int> numbers;
    if (m_table.isNull())
        return numbers;
    const int count = m_table->recordCount();
    numbers.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        numbers.push_back(m_table->loadNumber(row));
    return numbers;
}
