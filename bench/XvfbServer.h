// A private X server (Xvfb) for one benchmark run, on a display nobody else uses.
#pragma once

#include <QProcess>
#include <QString>

#include <memory>

class XvfbServer final
{
    Q_DISABLE_COPY_MOVE(XvfbServer)

public:
    // Starts Xvfb on a free display and returns once it accepts clients; nothing, with the reason
    // in error, when Xvfb is not installed or no display could be had.
    [[nodiscard]] static std::unique_ptr<XvfbServer> start(QString &error);
    // Ends the server and waits for it, so that nothing is left running.
    ~XvfbServer();

    // ":N", the value of DISPLAY for its clients.
    [[nodiscard]] QString display() const { return m_display; }

private:
    XvfbServer() = default;

    QProcess m_process;
    QString m_display;
};
