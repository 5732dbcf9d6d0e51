// The line a start-up benchmark's child process prints when its window has first been painted.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QtGlobal>

#include <optional>

struct FirstFrameReport final
{
    // When the frame was done, on the monotonic clock that every process of the machine shares,
    // so that the parent can subtract the moment it started the child.
    qint64 monotonicNanoseconds = 0;
    // The child's peak resident memory until then.
    qint64 peakResidentKibibytes = 0;
    QSize windowSize;

    [[nodiscard]] QByteArray toLine() const;
    // Reads a line toLine() wrote; nothing for any other text.
    [[nodiscard]] static std::optional<FirstFrameReport> fromLine(const QByteArray &line);

    [[nodiscard]] static qint64 monotonicNow();
    // VmHWM of /proc/self/status; nothing where the system does not tell it.
    [[nodiscard]] static std::optional<qint64> peakResidentKibibytesOfThisProcess();
};
