// ClientDataSet: the packet-backed data set that opens from a stored packet and checks its fields.
#pragma once

#include "PacketReader.h"
#include "RecordSource.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Holds a stored packet until it opens, then decodes it, lets go of the bytes and binds the 26
// fields of the hireling record to the packet's columns by name. Once open it presents the
// packet's columns and rows unchanged.
class ClientDataSet final : public RecordSource
{
public:
    ClientDataSet() = default;

    [[nodiscard]] static QString componentName() { return u"ClientDataSet"_qs; }

    // The stored form: a 4-byte signed little-endian length n, then n bytes of packet. A length of
    // 0 or less, or fewer than 4 bytes, leaves no packet held. A length larger than the bytes that
    // follow is reported when the data set opens.
    void setData(QByteArray lengthPrefixed);
    [[nodiscard]] bool holdsPacket() const { return !m_stored.isNull(); }

    // Decodes the held packet and binds the fields. Throws DataError: "EDatabaseError" when no
    // packet is held or a field finds no column of its name and kind, "EDBClient" when the packet
    // is damaged. The held bytes are let go of whether or not opening succeeds. Opening an open
    // data set does nothing.
    void open();
    [[nodiscard]] bool isActive() const { return m_active; }

    // The packet's columns as field definitions, in packet order; empty while closed.
    [[nodiscard]] const QList<FieldDefinition> &fieldDefinitions() const override;
    [[nodiscard]] qsizetype recordCount() const override;
    // Null for a record or field out of range.
    [[nodiscard]] const FieldValue &value(qsizetype record, qsizetype field) const override;

private:
    [[nodiscard]] PacketReader::Packet decodeHeldPacket();
    static void bindFields(const PacketReader::Packet &packet);

    QByteArray m_stored; // the stored form, length prefix included; null when no packet is held
    PacketReader::Packet m_packet;
    bool m_active = false;
};
