// What assistive technology sees of one column title of the hireling grid: a pressable header.
#include "GridTitleAccessible.h"

#include "HirelingGrid.h"
#include "TitleButtonHeader.h"

#include <QAbstractItemModel>

GridTitleAccessible::GridTitleAccessible(HirelingGrid *grid, int column)
    : GridPartAccessible(grid), m_column(column)
{}

GridTitleAccessible::~GridTitleAccessible() = default;

bool GridTitleAccessible::isValid() const
{
    return grid() != nullptr && grid()->model() != nullptr && m_column >= 0 &&
           m_column < grid()->model()->columnCount();
}

QString GridTitleAccessible::text(QAccessible::Text kind) const
{
    if (!isValid())
        return {};
    switch (kind) {
    case QAccessible::Name:
        return grid()->model()->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
    case QAccessible::Description:
        switch (grid()->titleButtons()->sortMarker(m_column)) {
        case TitleButtonHeader::SortMarker::Down:
            return u"по возрастанию"_qs;
        case TitleButtonHeader::SortMarker::Up:
            return u"по убыванию"_qs;
        case TitleButtonHeader::SortMarker::None:
            return {};
        }
        return {};
    default:
        return {};
    }
}

QRect GridTitleAccessible::rect() const
{
    if (!isValid())
        return {};
    const TitleButtonHeader *titles = grid()->titleButtons();
    const QRect section = titles->sectionRect(m_column);
    return {titles->viewport()->mapToGlobal(section.topLeft()), section.size()};
}

QAccessible::Role GridTitleAccessible::role() const
{
    return QAccessible::ColumnHeader;
}

QAccessible::State GridTitleAccessible::state() const
{
    QAccessible::State titleState;
    if (!isValid()) {
        titleState.invalid = true;
        return titleState;
    }
    const TitleButtonHeader *titles = grid()->titleButtons();
    titleState.disabled = !titles->isEnabled();
    if (!titles->isVisible() || titles->isSectionHidden(m_column)) {
        titleState.invisible = true;
    } else {
        titleState.offscreen =
            !titles->viewport()->rect().intersects(titles->sectionRect(m_column));
    }
    return titleState;
}

void *GridTitleAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList GridTitleAccessible::actionNames() const
{
    return {pressAction()};
}

void GridTitleAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && isValid() && grid()->titleButtons()->isEnabled())
        grid()->titleButtons()->clickTitle(m_column);
}

QStringList GridTitleAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}
