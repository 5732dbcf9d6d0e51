// Turns a failure to start the window system into a clear message and exit code 1.
#include "PlatformStartGuard.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int exitCodeStartupFailure = 1;
const QString x11Platform = u"xcb"_qs;

QtMessageHandler previousHandler = nullptr;

void endOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
    if (type != QtFatalMsg)
        return;
    const QString explained = PlatformStartGuard::failureText(
        qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"));
    std::fprintf(stderr, "%s\n", explained.toLocal8Bit().constData());
    std::fflush(stderr);
    // Qt would abort once this handler returns; nothing of the program exists yet to clean up.
    std::_Exit(exitCodeStartupFailure);
}

} // namespace

PlatformStartGuard::PlatformStartGuard() : m_previous(qInstallMessageHandler(endOnFatal))
{
    previousHandler = m_previous;
}

PlatformStartGuard::~PlatformStartGuard()
{
    qInstallMessageHandler(m_previous);
    previousHandler = nullptr;
}

QString PlatformStartGuard::failureText(const QString &platform, const QString &display)
{
    // QT_QPA_PLATFORM may list options after a colon, for example "xcb:foo=bar".
    const QString name = platform.section(u':', 0, 0).trimmed();
    QString reason;
    if (!name.isEmpty() && name != x11Platform)
        reason = u"графическая платформа «%1» недоступна"_qs.arg(name);
    else if (display.isEmpty())
        reason = u"X-дисплей не задан (переменная DISPLAY пуста)"_qs;
    else
        reason = u"X-сервер «%1» не отвечает"_qs.arg(display);
    return u"Наемники: не удалось открыть окно: %1."_qs.arg(reason);
}
