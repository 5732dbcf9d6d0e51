// Turns one block of the records file and its two files into the 26 values of a packet row.
#pragma once

#include "HirelingEntry.h"
#include "SourceRecord.h"

#include <QDir>
#include <QString>

// Texts are converted to Windows-1251, numbers parsed, the dossier read from
// dossiers/<id>.rtf and the portrait from portraits/<id>.bmp under the records file's folder.
// A value that cannot be converted at all throws WriterError naming the file and line; whether
// the values fit the data profile is for the rules to say.
class HirelingBuilder final
{
public:
    HirelingBuilder(QString recordsFileName, QDir sourceFolder);

    [[nodiscard]] HirelingEntry build(const SourceRecord &record) const;

    [[nodiscard]] static QString dossierPath(const QString &id);
    [[nodiscard]] static QString portraitPath(const QString &id);

private:
    [[nodiscard]] FieldValue convert(const SourceRecord &record, HirelingField field) const;
    [[nodiscard]] QByteArray readFile(const QString &relativePath) const;

    QString m_recordsFileName;
    QDir m_sourceFolder;
};
