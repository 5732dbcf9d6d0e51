// The line a start-up benchmark's child process prints when its window has first been painted.
#include "FirstFrameReport.h"

#include <QFile>
#include <QList>

#include <chrono>

namespace {

const QByteArray reportTag = QByteArrayLiteral("first-frame");
const QByteArray sizeSeparator = QByteArrayLiteral("x");
const QByteArray peakResidentKey = QByteArrayLiteral("VmHWM:");
const QByteArray kibibyteUnit = QByteArrayLiteral("kB");
// "first-frame <nanoseconds> <KiB> <width>x<height>"
constexpr qsizetype reportFieldCount = 4;
// /proc/self/status is a few KiB; reading is bounded all the same.
constexpr qint64 statusReadLimit = 64 * 1024;

std::optional<qint64> positiveNumber(const QByteArray &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

QByteArray FirstFrameReport::toLine() const
{
    return reportTag + ' ' + QByteArray::number(monotonicNanoseconds) + ' ' +
           QByteArray::number(peakResidentKibibytes) + ' ' +
           QByteArray::number(windowSize.width()) + sizeSeparator +
           QByteArray::number(windowSize.height()) + '\n';
}

std::optional<FirstFrameReport> FirstFrameReport::fromLine(const QByteArray &line)
{
    // Lines before the report (a child's start-up marks) are not part of it.
    const qsizetype start = line.lastIndexOf(reportTag);
    const QList<QByteArray> fields = line.mid(start < 0 ? 0 : start).simplified().split(' ');
    if (fields.size() != reportFieldCount || fields[0] != reportTag)
        return std::nullopt;
    const QList<QByteArray> sides = fields[3].split(sizeSeparator.front());
    if (sides.size() != 2)
        return std::nullopt;
    const auto nanoseconds = positiveNumber(fields[1]);
    const auto kibibytes = positiveNumber(fields[2]);
    const auto width = positiveNumber(sides[0]);
    const auto height = positiveNumber(sides[1]);
    if (!nanoseconds || !kibibytes || !width || !height)
        return std::nullopt;
    return FirstFrameReport{*nanoseconds, *kibibytes, QSize(int(*width), int(*height))};
}

qint64 FirstFrameReport::monotonicNow()
{
    // The steady clock is CLOCK_MONOTONIC here: one clock for all processes since boot.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::optional<qint64> FirstFrameReport::peakResidentKibibytesOfThisProcess()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = status.read(statusReadLimit);
    for (const QByteArray &line : text.split('\n')) {
        if (!line.startsWith(peakResidentKey))
            continue;
        const QList<QByteArray> fields = line.mid(peakResidentKey.size()).simplified().split(' ');
        if (fields.size() != 2 || fields[1] != kibibyteUnit)
            return std::nullopt;
        return positiveNumber(fields[0]);
    }
    return std::nullopt;
}
