// One hireling as the packet writer holds it: its source id and the 26 values of its row.
#pragma once

#include "FieldValue.h"
#include "HirelingFields.h"
#include "Windows1251.h"

#include <QString>

#include <vector>

struct HirelingEntry
{
    QString id; // the block id in the records file, which names the dossier and portrait files
    std::vector<FieldValue> values; // HirelingFieldCount values, in record order

    [[nodiscard]] const FieldValue &value(HirelingField field) const { return values.at(field); }
    [[nodiscard]] bool isKrev() const { return value(MDType).asInteger() != 0; }
    [[nodiscard]] QString text(HirelingField field) const
    {
        return Windows1251::decode(value(field).bytes());
    }
    // How messages name the record: "z01-vershinin (Глеб Вершинин)".
    [[nodiscard]] QString label() const { return id + u" ("_qs + text(MDName) + u')'; }
};
