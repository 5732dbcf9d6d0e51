// Turns a failure to start the window system into a clear message and exit code 1.
#pragma once

#include <QString>
#include <QtGlobal>

// While a guard lives, a fatal message from Qt (the one it gives when no platform plugin can be
// started: no display, an X server that does not answer, an unknown QT_QPA_PLATFORM) ends the
// process with exit code 1 and a line saying what is missing, instead of an abort and a core.
// It guards the construction of the application object only; later fatal messages keep Qt's own
// handling.
class PlatformStartGuard final
{
    Q_DISABLE_COPY_MOVE(PlatformStartGuard)

public:
    PlatformStartGuard();
    ~PlatformStartGuard();

    // What the user is told, from the platform Qt was asked for (empty: the default, X11) and the
    // X display named in the environment.
    [[nodiscard]] static QString failureText(const QString &platform, const QString &display);

private:
    QtMessageHandler m_previous = nullptr;
};
