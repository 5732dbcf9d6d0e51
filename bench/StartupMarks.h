// Moments of a benchmark child's start-up, kept until the first frame's report prints them.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <utility>
#include <vector>

namespace StartupMarks {

// Notes that the step named `name` ended now, on the monotonic clock shared by all processes.
// The name must be one word.
void mark(const char *name);

// "step <name> <nanoseconds>" lines, one a mark, in the order they were made.
[[nodiscard]] QByteArray lines();

// Reads the lines back from a child's output (other lines are skipped); nothing for a line
// that starts with the tag but does not read.
[[nodiscard]] std::vector<std::pair<QByteArray, qint64>> fromOutput(const QByteArray &output);

} // namespace StartupMarks
