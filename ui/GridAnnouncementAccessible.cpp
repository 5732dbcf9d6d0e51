// What assistive technology hears of a change in the hireling grid that no object of its own shows.
#include "GridAnnouncementAccessible.h"

#include "HirelingGrid.h"

#include <utility>

GridAnnouncementAccessible::GridAnnouncementAccessible(HirelingGrid *grid, QString text)
    : m_grid(grid), m_text(std::move(text))
{}

GridAnnouncementAccessible::~GridAnnouncementAccessible() = default;

bool GridAnnouncementAccessible::isValid() const
{
    return !m_grid.isNull();
}

QObject *GridAnnouncementAccessible::object() const
{
    return nullptr;
}

QWindow *GridAnnouncementAccessible::window() const
{
    const QAccessibleInterface *grid = parent();
    return grid != nullptr ? grid->window() : nullptr;
}

QAccessibleInterface *GridAnnouncementAccessible::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface *GridAnnouncementAccessible::parent() const
{
    return m_grid.isNull() ? nullptr : QAccessible::queryAccessibleInterface(m_grid.data());
}

QAccessibleInterface *GridAnnouncementAccessible::child(int) const
{
    return nullptr;
}

int GridAnnouncementAccessible::childCount() const
{
    return 0;
}

int GridAnnouncementAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QString GridAnnouncementAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name && isValid() ? m_text : QString();
}

void GridAnnouncementAccessible::setText(QAccessible::Text, const QString &)
{
    // An announcement says what it was made with.
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
