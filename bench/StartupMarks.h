// Moments of a benchmark child's start-up, kept until the first frame's report prints them.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <utility>
#include <vector>

namespace StartupMarks {

struct Mark
{
    QByteArray name;
    // On the monotonic clock shared by all processes.
    qint64 nanoseconds = 0;
    // The process's peak resident memory so far.
    qint64 peakResidentKibibytes = 0;
};

// Notes that the step named `name` ended now. The name must be one word.
void mark(const char *name);

// "step <name> <nanoseconds> <KiB>" lines, one a mark, in the order they were made.
[[nodiscard]] QByteArray lines();

// Reads the lines back from a child's output; other lines, and lines of the tag that do not
// read, are skipped.
[[nodiscard]] std::vector<Mark> fromOutput(const QByteArray &output);

} // namespace StartupMarks
