// Turns one block of the records file and its two files into the 26 values of a packet row.
#include "HirelingBuilder.h"

#include "WriterError.h"

#include <QFile>

#include <limits>
#include <utility>

namespace {

// No source file comes near this; it only keeps a wrong path (a device, a huge file) from being
// read whole.
constexpr qint64 maxSourceFileBytes = 1 << 20;

// Money is stored as a double holding whole units; larger amounts than this are not wages.
constexpr qint64 maxMoney = 1'000'000'000;

} // namespace

HirelingBuilder::HirelingBuilder(QString recordsFileName, QDir sourceFolder)
    : m_recordsFileName(std::move(recordsFileName)), m_sourceFolder(std::move(sourceFolder))
{}

QString HirelingBuilder::dossierPath(const QString &id)
{
    return u"dossiers/"_qs + id + u".rtf"_qs;
}

QString HirelingBuilder::portraitPath(const QString &id)
{
    return u"portraits/"_qs + id + u".bmp"_qs;
}

HirelingEntry HirelingBuilder::build(const SourceRecord &record) const
{
    HirelingEntry entry;
    entry.id = record.id;
    entry.values.reserve(HirelingFieldCount);
    for (int f = 0; f < HirelingFieldCount; ++f)
        entry.values.push_back(convert(record, static_cast<HirelingField>(f)));
    return entry;
}

FieldValue HirelingBuilder::convert(const SourceRecord &record, HirelingField field) const
{
    if (field == MDmemo)
        return FieldValue::fromBytes(readFile(dossierPath(record.id)));
    if (field == MDpic)
        return FieldValue::fromBytes(readFile(portraitPath(record.id)));

    const SourceRecord::Line &line = record.fields.at(field);
    if (!line.value)
        return {};
    const QString &text = *line.value;
    const FieldDefinition &definition = HirelingFields::definition(field);
    const auto fail = [&](const QString &message) {
        throw WriterError(m_recordsFileName + u':' + QString::number(line.number),
                          u"[%1] %2: %3"_qs.arg(record.id, definition.name, message));
    };

    switch (definition.kind) {
    case FieldKind::String: {
        const std::optional<QByteArray> bytes = Windows1251::encode(text);
        if (!bytes)
            fail(u"\"%1\" holds a character that Windows-1251 cannot store"_qs.arg(text));
        return FieldValue::fromBytes(*bytes);
    }
    case FieldKind::SmallInt: {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < std::numeric_limits<qint16>::min() ||
            value > std::numeric_limits<qint16>::max())
            fail(u"\"%1\" is not a 16-bit whole number"_qs.arg(text));
        return FieldValue::fromSmallInt(static_cast<qint16>(value));
    }
    case FieldKind::Money: {
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok || value < 0 || value > maxMoney)
            fail(u"\"%1\" is not a whole amount from 0 to %2"_qs.arg(text).arg(maxMoney));
        return FieldValue::fromMoney(static_cast<double>(value));
    }
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    fail(u"has a kind that no line can give"_qs);
    return {};
}

QByteArray HirelingBuilder::readFile(const QString &relativePath) const
{
    QFile file(m_sourceFolder.filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw WriterError(file.fileName(), u"cannot be read: "_qs + file.errorString());
    if (file.size() > maxSourceFileBytes)
        throw WriterError(
            file.fileName(),
            u"is %1 bytes long, more than any source file may be (%2)"_qs.arg(file.size())
                .arg(maxSourceFileBytes));
    QByteArray bytes = file.read(maxSourceFileBytes + 1);
    if (bytes.size() > maxSourceFileBytes)
        throw WriterError(file.fileName(), u"grew while it was read"_qs);
    return bytes;
}
