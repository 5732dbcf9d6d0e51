// Reads the records file: one "[id]" block of "Field: value" lines per hireling.
#include "RecordsFile.h"

#include "WriterError.h"

#include <QSet>
#include <QStringDecoder>

namespace {

constexpr QChar commentMark = u'#';
constexpr QChar blockOpen = u'[';
constexpr QChar blockClose = u']';
constexpr QChar keySeparator = u':';

bool isValidId(const QString &id)
{
    if (id.isEmpty())
        return false;
    for (const QChar c : id) {
        const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
        if (!allowed)
            return false;
    }
    return true;
}

class Parser final
{
public:
    explicit Parser(const QString &fileName) : m_fileName(fileName) {}

    QList<SourceRecord> run(const QString &text)
    {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString line = lines.at(i);
            if (line.endsWith(u'\r'))
                line.chop(1);
            readLine(static_cast<int>(i + 1), line);
        }
        finishBlock();
        return m_records;
    }

private:
    [[noreturn]] void fail(int line, const QString &message) const
    {
        throw WriterError(m_fileName + u':' + QString::number(line), message);
    }

    void readLine(int number, const QString &line)
    {
        if (line.isEmpty() || line.startsWith(commentMark))
            return;
        if (line.startsWith(blockOpen)) {
            startBlock(number, line);
            return;
        }
        if (!m_inBlock)
            fail(number, u"a field line before the first \"[id]\" line"_qs);
        const qsizetype colon = line.indexOf(keySeparator);
        if (colon <= 0)
            fail(number, u"expected \"Field: value\", found \"%1\""_qs.arg(line));
        const QString key = line.left(colon);
        const int index = indexOfField(HirelingFields::definitions(), key);
        if (index < 0 || HirelingFields::definition(static_cast<HirelingField>(index)).name != key)
            fail(number, u"unknown field \"%1\""_qs.arg(key));
        const auto field = static_cast<HirelingField>(index);
        if (!RecordsFile::isWrittenInFile(field))
            fail(number, u"%1 comes from its own file, not from a line"_qs.arg(key));
        SourceRecord::Line &slot = m_current.fields.at(field);
        if (slot.number != 0)
            fail(number, u"%1 is given twice in [%2] (first on line %3)"_qs.arg(key, m_current.id)
                             .arg(slot.number));
        // One space after the colon separates; everything after it is the value as written.
        QString value = line.mid(colon + 1);
        if (value.startsWith(u' '))
            value.remove(0, 1);
        slot.number = number;
        if (!value.isEmpty())
            slot.value = value;
    }

    void startBlock(int number, const QString &line)
    {
        finishBlock();
        if (!line.endsWith(blockClose))
            fail(number, u"a block header must be \"[id]\""_qs);
        const QString id = line.mid(1, line.size() - 2);
        if (!isValidId(id))
            fail(number, u"the id \"%1\" may hold only a-z, 0-9 and '-'"_qs.arg(id));
        if (m_ids.contains(id))
            fail(number, u"the id \"%1\" is used twice"_qs.arg(id));
        m_ids.insert(id);
        m_current = SourceRecord{};
        m_current.id = id;
        m_current.line = number;
        m_inBlock = true;
    }

    void finishBlock()
    {
        if (!m_inBlock)
            return;
        QStringList missing;
        for (int f = 0; f < HirelingFieldCount; ++f) {
            const auto field = static_cast<HirelingField>(f);
            if (RecordsFile::isWrittenInFile(field) && m_current.fields.at(field).number == 0)
                missing << HirelingFields::definition(field).name;
        }
        if (!missing.isEmpty())
            fail(m_current.line,
                 u"[%1] has no line for %2"_qs.arg(m_current.id, missing.join(u", ")));
        m_records.append(m_current);
        m_inBlock = false;
    }

    QString m_fileName;
    QList<SourceRecord> m_records;
    QSet<QString> m_ids;
    SourceRecord m_current;
    bool m_inBlock = false;
};

} // namespace

QList<SourceRecord> RecordsFile::parse(QByteArrayView utf8, const QString &fileName)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(utf8);
    if (decoder.hasError())
        throw WriterError(fileName, u"the file is not valid UTF-8"_qs);
    return Parser(fileName).run(text);
}

bool RecordsFile::isWrittenInFile(HirelingField field)
{
    return field != MDmemo && field != MDpic;
}
