// Makes sure the accessibility bridge knows of every screen reader that listens for events.
#include "ScreenReaderListeners.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#ifdef HIRELINGS_ATSPI_BRIDGE
#include <QDBusConnection>
#include <QDBusMessage>

namespace {

// The connection to the accessibility bus that Qt's bridge opens and names.
const QString bridgeConnectionName = u"a11y"_qs;
const QString registryService = u"org.a11y.atspi.Registry"_qs;
const QString registryPath = u"/org/a11y/atspi/registry"_qs;
const QString registryInterface = u"org.a11y.atspi.Registry"_qs;
// An event the bridge keeps no flag for, so that registering it changes nothing it sends.
const QString neutralEvent = u"document:load-complete"_qs;

} // namespace
#endif

ScreenReaderListeners::ScreenReaderListeners()
{
    QAccessible::installActivationObserver(this);
}

ScreenReaderListeners::~ScreenReaderListeners()
{
    QAccessible::removeActivationObserver(this);
}

void ScreenReaderListeners::accessibilityActiveChanged(bool active)
{
    if (!active || QCoreApplication::instance() == nullptr)
        return;
    // Observers are told just before the bridge subscribes; the registry is asked once it has.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &announceListenerChange,
                              Qt::QueuedConnection);
}

void ScreenReaderListeners::announceListenerChange()
{
#ifdef HIRELINGS_ATSPI_BRIDGE
    QDBusConnection bridge(bridgeConnectionName);
    if (!bridge.isConnected())
        return;
    // Sent on the bridge's own connection, these reach the bus after its subscription, so the
    // registry's two announcements are heard; each makes the bridge read the listeners again.
    QDBusMessage registration = QDBusMessage::createMethodCall(
        registryService, registryPath, registryInterface, u"RegisterEvent"_qs);
    registration << neutralEvent << QStringList() << QString();
    bridge.send(registration);
    QDBusMessage deregistration = QDBusMessage::createMethodCall(
        registryService, registryPath, registryInterface, u"DeregisterEvent"_qs);
    deregistration << neutralEvent;
    bridge.send(deregistration);
#endif
}
