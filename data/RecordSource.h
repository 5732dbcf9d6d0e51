// A read-only data set whose records can be copied into the hireling table.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"

#include <QList>

class RecordSource
{
public:
    virtual ~RecordSource() = default;

    [[nodiscard]] virtual const QList<FieldDefinition> &fieldDefinitions() const = 0;
    [[nodiscard]] virtual qsizetype recordCount() const = 0;
    // The value of field `field` (a position in fieldDefinitions()) of record `record`.
    [[nodiscard]] virtual const FieldValue &value(qsizetype record, qsizetype field) const = 0;

protected:
    RecordSource() = default;
    RecordSource(const RecordSource &) = default;
    RecordSource &operator=(const RecordSource &) = default;
};
