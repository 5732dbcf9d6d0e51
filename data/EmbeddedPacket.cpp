// The hireling packet as the program embeds it: the stored value of the data set's Data.
#include "EmbeddedPacket.h"

#include <QResource>
#include <QString>

namespace EmbeddedPacket {

QByteArray storedData()
{
    const QResource resource(u":/data/hirelings.packet"_qs);
    if (!resource.isValid())
        return {};
    // Inflated once, straight into the array the data set takes over and lets go of after
    // decoding; through QFile the inflated bytes would be copied once more.
    return resource.uncompressedData();
}

} // namespace EmbeddedPacket
