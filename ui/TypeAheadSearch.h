// Finds a hireling by the first letters of the name as they are typed.
#pragma once

#include "NameCollator.h"

#include <QElapsedTimer>
#include <QString>

class HirelingTable;
class QKeyEvent;

// Keys typed in quick succession add up to one text; after a pause longer than the application's
// keyboard input interval the next key starts a new one. Names match by the collation of the name
// sort with letter case ignored, so that what is found agrees with the order the user sees.
class TypeAheadSearch final
{
public:
    // Whether the key types text a search takes: a printable character, pressed without Ctrl,
    // Alt or Meta (those keys are commands, not text).
    [[nodiscard]] static bool typesText(const QKeyEvent &event);

    // Adds `typed` to the text sought and returns the first row, in the table's present order,
    // whose name begins with that text; -1 when none does.
    [[nodiscard]] int find(const QString &typed, const HirelingTable &table);

private:
    [[nodiscard]] bool nameBegins(const QString &name) const;

    NameCollator m_collator{Qt::CaseInsensitive};
    QString m_sought;
    QElapsedTimer m_sinceLastKey;
};
