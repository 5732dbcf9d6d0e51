// Watches a window for its first painted frame and reports it on standard output.
#include "FirstFrameProbe.h"

#include "FirstFrameReport.h"
#include "StartupMarks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int exitCodeNoMemoryFigure = 2;

} // namespace

FirstFrameProbe::FirstFrameProbe(QWidget &window) : m_window(window)
{
    m_window.installEventFilter(this);
}

FirstFrameProbe::~FirstFrameProbe()
{
    m_window.removeEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        // The filter runs before the paint. The queued call runs once the loop is back, that is
        // after the whole window has been painted and the frame handed to the platform.
        QMetaObject::invokeMethod(this, &FirstFrameProbe::report, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstFrameProbe::report()
{
    const qint64 frameDone = FirstFrameReport::monotonicNow();
    const auto peak = FirstFrameReport::peakResidentKibibytesOfThisProcess();
    if (!peak) {
        std::fputs("no peak memory figure in /proc/self/status\n", stderr);
        QCoreApplication::exit(exitCodeNoMemoryFigure);
        return;
    }
    const QByteArray line =
        StartupMarks::lines() + FirstFrameReport{frameDone, *peak, m_window.size()}.toLine();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fflush(stdout);
    QCoreApplication::quit();
}
