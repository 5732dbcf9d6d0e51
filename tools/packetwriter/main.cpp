// packetwriter: writes the embedded hireling packet from assets/hirelings, checking every fact of
// the data profile on the way. Usage: packetwriter <records.txt> <output packet>.
#include "DataError.h"
#include "DataRules.h"
#include "HirelingBuilder.h"
#include "PacketEncoder.h"
#include "ProfileFacts.h"
#include "RecordRules.h"
#include "RecordsFile.h"
#include "WriterError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <QTextStream>

#include <vector>

namespace {

constexpr qint64 maxRecordsFileBytes = 1 << 20;
constexpr int exitFailure = 1;

QByteArray readRecordsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WriterError(path, u"cannot be read: "_qs + file.errorString());
    QByteArray bytes = file.read(maxRecordsFileBytes + 1);
    if (bytes.size() > maxRecordsFileBytes)
        throw WriterError(path, u"is larger than %1 bytes"_qs.arg(maxRecordsFileBytes));
    return bytes;
}

QList<HirelingEntry> loadEntries(const QString &recordsPath)
{
    const QList<SourceRecord> records =
        RecordsFile::parse(readRecordsFile(recordsPath), recordsPath);
    const HirelingBuilder builder(recordsPath, QFileInfo(recordsPath).absoluteDir());
    QList<HirelingEntry> entries;
    entries.reserve(records.size());
    for (const SourceRecord &record : records)
        entries.append(builder.build(record));
    return entries;
}

QStringList profileProblems(const QList<HirelingEntry> &entries)
{
    QStringList problems;
    for (qsizetype row = 0; row < entries.size(); ++row) {
        const HirelingEntry &entry = entries.at(row);
        for (const QString &problem : RecordRules::check(entry))
            problems << u"row %1, %2: %3"_qs.arg(row + 1).arg(entry.label(), problem);
    }
    problems << DataRules::check(entries);
    return problems;
}

QByteArray encodePacket(const QList<HirelingEntry> &entries)
{
    std::vector<std::vector<FieldValue>> rows;
    rows.reserve(static_cast<std::size_t>(entries.size()));
    qsizetype rowBytes = 0;
    for (const HirelingEntry &entry : entries) {
        rows.push_back(entry.values);
        rowBytes += DataRules::rowBytes(entry);
    }
    const QByteArray packet = PacketEncoder::encode(HirelingFields::definitions(), rows);
    if (packet.size() != ProfileFacts::packetBytes)
        throw WriterError(u"packet"_qs,
                          u"the packet is %1 bytes long instead of %2"_qs.arg(packet.size())
                              .arg(ProfileFacts::packetBytes));
    const auto firstRow =
        qFromLittleEndian<quint16>(packet.constData() + ProfileFacts::firstRowOffsetPosition);
    if (firstRow != ProfileFacts::firstRowOffset || firstRow + rowBytes != packet.size())
        throw WriterError(u"packet"_qs,
                          u"the rows start at %1 and take %2 bytes; they must start at %3 "
                          "and end with the packet"_qs.arg(firstRow)
                              .arg(rowBytes)
                              .arg(ProfileFacts::firstRowOffset));
    QByteArray stored = PacketEncoder::withLengthPrefix(packet);
    if (stored.size() != ProfileFacts::storedBytes)
        throw WriterError(u"packet"_qs,
                          u"the stored packet is %1 bytes long instead of %2"_qs.arg(stored.size())
                              .arg(ProfileFacts::storedBytes));
    return stored;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw WriterError(path, u"cannot be written: "_qs + file.errorString());
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: packetwriter <records.txt> <output packet>\n";
        return exitFailure;
    }
    const QString recordsPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    try {
        const QList<HirelingEntry> entries = loadEntries(recordsPath);
        const QStringList problems = profileProblems(entries);
        if (!problems.isEmpty()) {
            err << "packetwriter: " << recordsPath << ": the hireling data breaks "
                << problems.size() << " fact(s) of its profile:\n";
            for (const QString &problem : problems)
                err << "  " << problem << '\n';
            return exitFailure;
        }
        writeFile(outputPath, encodePacket(entries));
    } catch (const WriterError &error) {
        err << "packetwriter: " << error.where() << ": " << error.message() << '\n';
        return exitFailure;
    } catch (const DataError &error) {
        err << "packetwriter: " << error.className() << ": " << error.message() << '\n';
        return exitFailure;
    }
    return 0;
}
