// What assistive technology hears of a change in the hireling grid that no object of its own shows.
#include "GridAnnouncementAccessible.h"

#include "HirelingGrid.h"

#include <utility>

GridAnnouncementAccessible::GridAnnouncementAccessible(HirelingGrid *grid, QString text)
    : GridPartAccessible(grid), m_text(std::move(text))
{}

GridAnnouncementAccessible::~GridAnnouncementAccessible() = default;

bool GridAnnouncementAccessible::isValid() const
{
    return grid() != nullptr;
}

QString GridAnnouncementAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name && isValid() ? m_text : QString();
}

QRect GridAnnouncementAccessible::rect() const
{
    return {};
}

QAccessible::Role GridAnnouncementAccessible::role() const
{
    return QAccessible::Notification;
}

QAccessible::State GridAnnouncementAccessible::state() const
{
    QAccessible::State announcementState;
    announcementState.readOnly = true;
    if (!isValid())
        announcementState.invalid = true;
    return announcementState;
}
