// The facts the 51 records must meet together: order, counts, extremes and sizes.
#pragma once

#include "HirelingEntry.h"

#include <QList>
#include <QStringList>

class DataRules final
{
public:
    // What is wrong with the data as a whole; empty when nothing is.
    [[nodiscard]] static QStringList check(const QList<HirelingEntry> &entries);

    // The bytes the record takes as a packet row: status, blank map and the present values.
    [[nodiscard]] static qsizetype rowBytes(const HirelingEntry &entry);
};
