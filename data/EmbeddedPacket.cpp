// The hireling packet as the program embeds it: the stored value of the data set's Data.
#include "EmbeddedPacket.h"

#include <QFile>
#include <QString>

namespace EmbeddedPacket {

QByteArray storedData()
{
    QFile resource(u":/data/hirelings.packet"_qs);
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

} // namespace EmbeddedPacket
