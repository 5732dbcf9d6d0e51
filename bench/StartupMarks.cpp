// Moments of a benchmark child's start-up, kept until the first frame's report prints them.
#include "StartupMarks.h"

#include "FirstFrameReport.h"

#include <QList>

namespace {

const QByteArray stepTag = QByteArrayLiteral("step");
constexpr qsizetype stepFieldCount = 4;
// Enough for every mark of a child without a reallocation between two of them.
constexpr std::size_t expectedMarks = 32;

struct KeptMark
{
    const char *name = nullptr;
    qint64 nanoseconds = 0;
    qint64 peakResidentKibibytes = 0;
};

std::vector<KeptMark> &marks()
{
    static std::vector<KeptMark> kept = [] {
        std::vector<KeptMark> reserved;
        reserved.reserve(expectedMarks);
        return reserved;
    }();
    return kept;
}

} // namespace

namespace StartupMarks {

void mark(const char *name)
{
    const qint64 now = FirstFrameReport::monotonicNow();
    // Read after the clock, so that the reading's own time falls on the next step.
    marks().push_back(
        {name, now, FirstFrameReport::peakResidentKibibytesOfThisProcess().value_or(0)});
}

QByteArray lines()
{
    QByteArray text;
    for (const KeptMark &kept : marks())
        text += stepTag + ' ' + kept.name + ' ' + QByteArray::number(kept.nanoseconds) + ' ' +
                QByteArray::number(kept.peakResidentKibibytes) + '\n';
    return text;
}

std::vector<Mark> fromOutput(const QByteArray &output)
{
    std::vector<Mark> read;
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() != stepFieldCount || fields[0] != stepTag)
            continue;
        bool timeRead = false;
        bool memoryRead = false;
        const qint64 nanoseconds = fields[2].toLongLong(&timeRead);
        const qint64 kibibytes = fields[3].toLongLong(&memoryRead);
        if (timeRead && memoryRead)
            read.push_back({fields[1], nanoseconds, kibibytes});
    }
    return read;
}

} // namespace StartupMarks
