// A private X server (Xvfb) for one benchmark run, on a display nobody else uses.
#include "XvfbServer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Displays are drawn from a range that people's own sessions do not use.
constexpr int firstDisplay = 100;
constexpr int displayCount = 800;
constexpr int attempts = 20;
constexpr int readyTimeoutMilliseconds = 10'000;
constexpr int stopTimeoutMilliseconds = 5'000;
const QString screenGeometry = u"1280x1024x24"_s;

// Another server may hold the number through its lock or socket file, or, from another sandbox
// that shares the network namespace but not /tmp, through its abstract socket alone.
bool displayInUse(int display)
{
    const QString number = QString::number(display);
    if (QFile::exists(u"/tmp/.X11-unix/X"_s + number) ||
        QFile::exists(u"/tmp/.X"_s + number + u"-lock"_s))
        return true;
    QFile sockets(u"/proc/net/unix"_s);
    if (!sockets.open(QIODevice::ReadOnly))
        return false;
    const QByteArray abstractName = "@/tmp/.X11-unix/X" + number.toLatin1() + '\n';
    return sockets.readAll().contains(abstractName);
}

} // namespace

std::unique_ptr<XvfbServer> XvfbServer::start(QString &error)
{
    const QString program = QStandardPaths::findExecutable(u"Xvfb"_s);
    if (program.isEmpty()) {
        error = u"Xvfb is not installed (Debian package xvfb): nothing can be measured on the "
                u"X11 platform"_s;
        return nullptr;
    }
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const int display = firstDisplay + int(QRandomGenerator::global()->bounded(displayCount));
        if (displayInUse(display))
            continue;
        std::unique_ptr<XvfbServer> server(new XvfbServer);
        server->m_display = u":"_s + QString::number(display);
        // -displayfd: the server writes its number on standard output once it accepts clients.
        // Without -noreset it would reset whenever its last client leaves, between two runs.
        server->m_process.setProgram(program);
        server->m_process.setArguments({server->m_display, u"-screen"_s, u"0"_s, screenGeometry,
                                        u"-nolisten"_s, u"tcp"_s, u"-noreset"_s, u"-displayfd"_s,
                                        u"1"_s});
        server->m_process.setProcessChannelMode(QProcess::SeparateChannels);
        server->m_process.start();
        // A server that loses the number to another one ends before it ever writes it.
        QByteArray announced;
        while (!announced.contains('\n') &&
               server->m_process.waitForReadyRead(readyTimeoutMilliseconds))
            announced += server->m_process.readAllStandardOutput();
        if (announced.trimmed() == QByteArray::number(display) &&
            server->m_process.state() == QProcess::Running)
            return server;
        error = u"Xvfb did not start on "_s + server->m_display + u": "_s +
                QString::fromLocal8Bit(server->m_process.readAllStandardError()).trimmed();
    }
    if (error.isEmpty())
        error = u"no free X display for Xvfb"_s;
    return nullptr;
}

XvfbServer::~XvfbServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(stopTimeoutMilliseconds)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}
