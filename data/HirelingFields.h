// The 26 fields of the hireling record, in record order, with their kinds, sizes and labels.
#pragma once

#include "FieldDefinition.h"

#include <QList>

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

} // namespace HirelingFields
