// The accessible interfaces of the program's own controls, for screen readers and other tools.
#include "AccessibleFactory.h"

#include "BoundText.h"
#include "BoundTextAccessible.h"
#include "HirelingGrid.h"
#include "HirelingGridAccessible.h"
#include "LinkLabel.h"
#include "LinkLabelAccessible.h"
#include "LogoView.h"
#include "PortraitView.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// Qt asks with the names of the object's class and then of each base class; the object itself
// tells which of ours it is, so the first question is answered and the rest never come.
QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (auto *text = qobject_cast<BoundText *>(object))
        return new BoundTextAccessible(text);
    if (auto *grid = qobject_cast<HirelingGrid *>(object))
        return new HirelingGridAccessible(grid);
    if (auto *link = qobject_cast<LinkLabel *>(object))
        return new LinkLabelAccessible(link);
    // Pictures: named by their accessible name ("Фото: <name>", "Логотип").
    if (auto *portrait = qobject_cast<PortraitView *>(object))
        return new QAccessibleWidget(portrait, QAccessible::Graphic);
    if (auto *logo = qobject_cast<LogoView *>(object))
        return new QAccessibleWidget(logo, QAccessible::Graphic);
    return nullptr;
}

} // namespace

namespace AccessibleFactory {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace AccessibleFactory
