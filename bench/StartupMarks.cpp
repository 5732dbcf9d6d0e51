// Moments of a benchmark child's start-up, kept until the first frame's report prints them.
#include "StartupMarks.h"

#include "FirstFrameReport.h"

#include <QList>

namespace {

const QByteArray stepTag = QByteArrayLiteral("step");
constexpr qsizetype stepFieldCount = 3;
// Enough for every mark of a child without a reallocation between two of them.
constexpr std::size_t expectedMarks = 32;

std::vector<std::pair<const char *, qint64>> &marks()
{
    static std::vector<std::pair<const char *, qint64>> kept = [] {
        std::vector<std::pair<const char *, qint64>> reserved;
        reserved.reserve(expectedMarks);
        return reserved;
    }();
    return kept;
}

} // namespace

namespace StartupMarks {

void mark(const char *name)
{
    marks().emplace_back(name, FirstFrameReport::monotonicNow());
}

QByteArray lines()
{
    QByteArray text;
    for (const auto &[name, nanoseconds] : marks())
        text += stepTag + ' ' + name + ' ' + QByteArray::number(nanoseconds) + '\n';
    return text;
}

std::vector<std::pair<QByteArray, qint64>> fromOutput(const QByteArray &output)
{
    std::vector<std::pair<QByteArray, qint64>> read;
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() != stepFieldCount || fields[0] != stepTag)
            continue;
        bool ok = false;
        const qint64 nanoseconds = fields[2].toLongLong(&ok);
        if (ok)
            read.emplace_back(fields[1], nanoseconds);
    }
    return read;
}

} // namespace StartupMarks
