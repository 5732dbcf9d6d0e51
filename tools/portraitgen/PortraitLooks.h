// The looks of all 51 hirelings, in the order of the records file.
#pragma once

#include "PortraitLook.h"

#include <QList>

namespace PortraitLooks {

[[nodiscard]] const QList<PortraitLook> &all();

} // namespace PortraitLooks
