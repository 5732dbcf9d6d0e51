// The form every dossier must have: the RTF subset the program's dossier view reads.
#pragma once

#include <QByteArrayView>
#include <QStringList>

class DossierRules final
{
public:
    // What is wrong with one dossier's bytes; empty when nothing is. Each message says what and
    // at which byte offset.
    [[nodiscard]] static QStringList check(QByteArrayView rtf);
};
