// The hireling packet as the program embeds it: the stored value of the data set's Data.
#pragma once

#include <QByteArray>

namespace EmbeddedPacket {

// The 4-byte length and the packet, as linked into the program from the resource
// ":/data/hirelings.packet"; empty when no packet is linked in.
[[nodiscard]] QByteArray storedData();

} // namespace EmbeddedPacket
