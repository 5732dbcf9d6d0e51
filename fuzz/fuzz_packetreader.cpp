// libFuzzer target for the packet reader: any bytes give decoded rows or a clear error, never a
// crash.
#include "ClientDataSet.h"
#include "DataError.h"
#include "PacketReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// An error must name the damage and where it lies.
void checkError(const DataError &error)
{
    if (error.className() != QLatin1StringView("EDBClient") ||
        !error.message().startsWith(QLatin1StringView("Damaged data packet: ")))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    try {
        const PacketReader::Packet packet = PacketReader::decode(input);
        // Every row has one value per column, and no value holds more bytes than the input had.
        if (packet.columns.size() != std::size_t(packet.fields.size()))
            std::abort();
        qsizetype valueBytes = 0;
        for (const std::vector<FieldValue> &row : packet.rows) {
            if (row.size() != packet.columns.size())
                std::abort();
            for (const FieldValue &value : row)
                valueBytes += value.bytes().size();
        }
        if (valueBytes > input.size())
            std::abort();
    } catch (const DataError &error) {
        if (!error.message().contains(QLatin1StringView(" at offset ")))
            std::abort();
        checkError(error);
    }

    // The same bytes as a stored value: a length, then the packet, then the binding of fields.
    ClientDataSet dataSet;
    dataSet.setData(input.toByteArray());
    try {
        dataSet.open();
    } catch (const DataError &error) {
        if (error.className() != QLatin1StringView("EDatabaseError"))
            checkError(error);
    }
    if (dataSet.holdsPacket())
        std::abort();
    return 0;
}
