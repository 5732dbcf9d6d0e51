// The packet encoder: writes a complete data packet from field definitions and rows.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <vector>

// Writes the packet that PacketReader decodes: the fixed header, one column descriptor per field,
// the table property CHANGE_LOG with the entry (k, 0, 4) for every row k, and the rows, each with
// status 4 (inserted), its blank map and its present values.
//
// Field kinds become columns as follows:
//   String of size N  -> type 0x49 size 1, property WIDTH N (type 0x02 size 2)
//   SmallInt          -> type 0x01 size 2, no property
//   Money             -> type 0x04 size 8, property SUBTYPE "Money" (type 0x49 size 2, zero-ended)
//   Memo              -> type 0x4B size 4, property SUBTYPE "Text"
//   Blob              -> type 0x4B size 4, property SUBTYPE "Binary"
// A field's label and alignment are not part of a packet.
//
// Input that no packet can carry (a value of the wrong kind, a string longer than its field's size
// or than 255 bytes, a name that is not 1 to 255 ASCII characters, a row whose value count differs
// from the field count, a packet too large for the header's 16-bit first-row offset) throws
// DataError of class "EPacketEncoder" naming the field and row.
class PacketEncoder final
{
public:
    // The packet without its length prefix.
    [[nodiscard]] static QByteArray encode(const QList<FieldDefinition> &fields,
                                           const std::vector<std::vector<FieldValue>> &rows);

    // The 4-byte signed little-endian length followed by the packet: the form in which a packet
    // is stored and handed to ClientDataSet::setData().
    [[nodiscard]] static QByteArray withLengthPrefix(QByteArrayView packet);
};
