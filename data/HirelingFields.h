// The 26 fields of the hireling record, in record order, with their kinds, sizes and labels.
#pragma once

#include "FieldDefinition.h"

#include <QList>
#include <QStringView>

// Record positions, counted from 0. The first thirteen are the grid's columns in grid order.
enum HirelingField : int {
    MDName,
    MDhea,
    MDagi,
    MDdex,
    MDstr,
    MDldr,
    MDwis,
    MDmrk,
    MDexp,
    MDmec,
    MDmed,
    MDlvl,
    MDCost1,
    MDCost7,
    MDCost15,
    MDchr,
    MDdeposit,
    MDtools,
    MDcurtools,
    MDAlias,
    MDspec,
    MDFrends,
    MDNoFrends,
    MDType,
    MDmemo,
    MDpic,
    HirelingFieldCount
};

namespace HirelingFields {

[[nodiscard]] const QList<FieldDefinition> &definitions();
[[nodiscard]] const FieldDefinition &definition(HirelingField field);
// The position of the field of that name, letter case ignored; -1 when there is none.
[[nodiscard]] int indexOf(QStringView name);

} // namespace HirelingFields
