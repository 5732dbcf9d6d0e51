// What assistive technology sees of a web link label: a link to its page that can be followed.
#include "LinkLabelAccessible.h"

#include "LinkLabel.h"

LinkLabelAccessible::LinkLabelAccessible(LinkLabel *link)
    : QAccessibleWidget(link, QAccessible::Link)
{}

LinkLabel *LinkLabelAccessible::link() const
{
    return static_cast<LinkLabel *>(widget());
}

QString LinkLabelAccessible::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name:
        return link()->accessibleName().isEmpty() ? link()->text() : link()->accessibleName();
    case QAccessible::Description:
    case QAccessible::Value:
        return anchorTarget();
    default:
        return QAccessibleWidget::text(kind);
    }
}

QAccessible::State LinkLabelAccessible::state() const
{
    QAccessible::State linkState = QAccessibleWidget::state();
    linkState.linked = true;
    return linkState;
}

void *LinkLabelAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::HyperlinkInterface)
        return static_cast<QAccessibleHyperlinkInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList LinkLabelAccessible::actionNames() const
{
    return {pressAction()};
}

void LinkLabelAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && link()->isEnabled())
        link()->activate();
}

QStringList LinkLabelAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}

QString LinkLabelAccessible::anchor() const
{
    return link()->text();
}

QString LinkLabelAccessible::anchorTarget() const
{
    return link()->url().toString();
}

int LinkLabelAccessible::startIndex() const
{
    return 0;
}

int LinkLabelAccessible::endIndex() const
{
    return static_cast<int>(link()->text().size());
}

bool LinkLabelAccessible::isValid() const
{
    // One override serves both interfaces: the link is as valid as its label.
    return QAccessibleWidget::isValid();
}
