// ClientDataSet: the packet-backed data set that opens from a stored packet and checks its fields.
#include "ClientDataSet.h"

#include "DataError.h"
#include "HirelingFields.h"

#include <QtEndian>

#include <utility>

namespace {

constexpr qsizetype lengthPrefixSize = sizeof(qint32);

[[noreturn]] void failField(const QString &text, const FieldDefinition &field)
{
    throw DataError(u"EDatabaseError"_qs, u"%1: %2"_qs.arg(ClientDataSet::componentName(),
                                                           text.arg(field.displayLabel())));
}

} // namespace

void ClientDataSet::setData(QByteArray lengthPrefixed)
{
    m_stored.clear();
    if (lengthPrefixed.size() < lengthPrefixSize ||
        qFromLittleEndian<qint32>(lengthPrefixed.constData()) <= 0)
        return;
    m_stored = std::move(lengthPrefixed);
}

void ClientDataSet::open()
{
    if (m_active)
        return;
    if (!holdsPacket())
        throw DataError(u"EDatabaseError"_qs,
                        u"%1: Missing data provider or data packet"_qs.arg(componentName()));
    PacketReader::Packet packet = decodeHeldPacket();
    bindFields(packet);
    m_packet = std::move(packet);
    m_active = true;
}

PacketReader::Packet ClientDataSet::decodeHeldPacket()
{
    // Taken out of the member first, so that the bytes go when this returns or throws: once the
    // rows are decoded the raw packet is not kept beside them.
    const QByteArray stored = std::exchange(m_stored, QByteArray());
    const qint32 length = qFromLittleEndian<qint32>(stored.constData());
    const qsizetype available = stored.size() - lengthPrefixSize;
    if (length > available)
        throw DataError(u"EDBClient"_qs,
                        u"Damaged data packet: length %1 runs past the end of the stored data "
                        u"(%2 bytes after the length)"_qs.arg(length)
                            .arg(available));
    return PacketReader::decode(QByteArrayView(stored).sliced(lengthPrefixSize, length));
}

void ClientDataSet::bindFields(const PacketReader::Packet &packet)
{
    for (const FieldDefinition &expected : HirelingFields::definitions()) {
        const int position = indexOfField(packet.fields, expected.name);
        if (position < 0)
            failField(u"Поле '%1' не найдено"_qs, expected);
        const FieldDefinition &column = packet.fields.at(position);
        if (column.kind != expected.kind ||
            (expected.kind == FieldKind::String && column.size != expected.size))
            failField(u"Поле '%1' не того типа, который ожидается"_qs, expected);
    }
}

const QList<FieldDefinition> &ClientDataSet::fieldDefinitions() const
{
    return m_packet.fields;
}

qsizetype ClientDataSet::recordCount() const
{
    return static_cast<qsizetype>(m_packet.rows.size());
}

const FieldValue &ClientDataSet::value(qsizetype record, qsizetype field) const
{
    static const FieldValue null;
    if (record < 0 || record >= recordCount() || field < 0 || field >= m_packet.fields.size())
        return null;
    return m_packet.rows[static_cast<std::size_t>(record)][static_cast<std::size_t>(field)];
}
