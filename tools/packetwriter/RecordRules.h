// The facts each hireling record must meet on its own: nulls, ranges, lengths and text shapes.
#pragma once

#include "HirelingEntry.h"

#include <QStringList>

class RecordRules final
{
public:
    // What is wrong with the record; empty when nothing is. Messages name the field.
    [[nodiscard]] static QStringList check(const HirelingEntry &entry);

    // The parts of a list value separated by commas outside parentheses, each trimmed.
    [[nodiscard]] static QStringList listItems(const QString &text);

    // The word that stands for "none" in the colleague fields.
    [[nodiscard]] static QString noneWord() { return u"нет"_qs; }
};
