// Keeps the D-Bus library from starting a session bus of its own.
#include "SessionBusAddress.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

namespace {

constexpr char addressVariable[] = "DBUS_SESSION_BUS_ADDRESS";
// libdbus reads this address as "there is no bus" and fails every connection at once.
constexpr char noBus[] = "disabled:";

// A D-Bus address value: bytes outside the plain set are written as %XX.
QByteArray escapedAddressValue(const QByteArray &value)
{
    static const QByteArray plain = "-_/.\\*";
    QByteArray escaped;
    for (const char byte : value) {
        const auto code = static_cast<unsigned char>(byte);
        const bool alphanumeric = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
                                  (code >= 'a' && code <= 'z');
        if (alphanumeric || plain.contains(byte))
            escaped += byte;
        else
            escaped += '%' + QByteArray::number(code, 16).rightJustified(2, '0');
    }
    return escaped;
}

} // namespace

namespace SessionBusAddress {

void preventAutolaunch()
{
    if (!qEnvironmentVariableIsEmpty(addressVariable))
        return;
    // A desktop session started by systemd keeps its bus here without always naming it.
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeFolder.isEmpty()) {
        const QString userBus = runtimeFolder + u"/bus"_qs;
        // The socket file says nothing of who owns it: libdbus checks that when it connects.
        if (QFileInfo(userBus).exists() && !QFileInfo(userBus).isDir()) {
            qputenv(addressVariable,
                    "unix:path=" + escapedAddressValue(QFile::encodeName(userBus)));
            return;
        }
    }
    qputenv(addressVariable, noBus);
}

} // namespace SessionBusAddress
