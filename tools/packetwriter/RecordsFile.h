// Reads the records file: one "[id]" block of "Field: value" lines per hireling.
#pragma once

#include "SourceRecord.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// The format is described at the top of assets/hirelings/records.txt. Every structural fault
// (bad UTF-8, a line outside a block, an unknown, repeated or missing field, a repeated or
// malformed id) throws WriterError naming the file and line.
class RecordsFile final
{
public:
    [[nodiscard]] static QList<SourceRecord> parse(QByteArrayView utf8, const QString &fileName);

    // Fields that the file holds; the other two come from the dossier and portrait files.
    [[nodiscard]] static bool isWrittenInFile(HirelingField field);
};
