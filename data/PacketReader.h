// The packet reader: decodes a data packet into its column descriptors, field definitions and rows.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"
#include "PacketFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <vector>

// A packet is self-describing: a fixed header, one descriptor per column, table properties and the
// rows. The reader walks the bytes once, checks every count, length and offset before it uses it,
// and reports a damaged packet as a DataError of class "EDBClient" whose message names what is
// wrong and the byte offset (counted from the packet's first byte, after the length prefix).
//
// How columns become field kinds:
//   0x49 (string, 1-byte length) with WIDTH w  -> String of size w; a string column without WIDTH
//                                                  has no size and is rejected as damaged
//   0x01 size 2                                 -> SmallInt
//   0x04 size 8                                 -> Money; a double without SUBTYPE "Money" is read
//                                                  as Money too, as the record has no other
//                                                  floating-point kind (Column::subtype tells them
//                                                  apart)
//   0x4B (bytes, 4-byte length) SUBTYPE "Text"  -> Memo; with any other SUBTYPE or none -> Blob
// Any other type code or size in a column descriptor is rejected. Properties of other names are
// skipped by their type code; CHANGE_LOG is checked and otherwise ignored, and row status bytes are
// read and ignored: the change log is never applied, so it changes no value. The header's format
// values are accepted whatever they hold; a header larger than 24 bytes is skipped to its end.
//
// Strings, memos and blobs are copied once each into QByteArrays of their own, so the values need
// nothing of the packet's bytes, which the caller may release right after decoding.
class PacketReader final
{
public:
    // One column descriptor as the packet gives it.
    struct Column
    {
        QString name;
        quint16 size = 0;
        quint16 type = 0;
        quint16 attributes = 0;
        std::optional<quint16> width; // the WIDTH property
        QByteArray subtype; // the SUBTYPE property without its final zero; empty when there is none
        qsizetype offset = 0; // where the descriptor starts
    };

    struct Packet
    {
        std::vector<Column> columns;
        QList<FieldDefinition> fields;             // one per column, in column order; no labels
        std::vector<std::vector<FieldValue>> rows; // rows[record][column]
    };

    // `packet` is the bytes after the 4-byte length prefix. Throws DataError on a damaged packet.
    [[nodiscard]] static Packet decode(QByteArrayView packet);

private:
    // How the values of one column are decoded; Blob stands for both byte-string kinds.
    struct Coding
    {
        FieldKind kind = FieldKind::Blob;
        quint16 width = 0; // strings only
    };

    explicit PacketReader(QByteArrayView packet) : m_data(packet) {}

    void readHeader();
    void readColumns();
    [[nodiscard]] Column readColumn(Coding &coding);
    void checkColumnNamesDiffer() const;
    // What every property starts with: its name, the size and the type code of its value.
    struct PropertyHead
    {
        QByteArrayView name;
        quint16 size = 0;
        quint16 type = 0;
        qsizetype typeOffset = 0; // where the type code lies
    };
    // `kind` ("property", "table property") and `owner` (" of column 'x'", or empty) name the
    // property in the error for an unknown type code.
    [[nodiscard]] PropertyHead readPropertyHead(QStringView kind, const QString &owner);
    void readColumnProperty(Column &column);
    [[nodiscard]] static FieldDefinition fieldFor(const Column &column, const Coding &coding);
    void readTableProperties();
    void readChangeLog(quint16 size, quint16 type, qsizetype typeOffset);
    void skipPropertyValue(quint16 size, quint16 type, qsizetype typeOffset);
    void readRows();
    void readRow(quint32 row);
    // The value of a column whose blank-map pair says it is present.
    [[nodiscard]] FieldValue readValue(quint16 column);

    [[nodiscard]] qsizetype remaining() const { return m_data.size() - m_offset; }
    [[nodiscard]] QByteArrayView take(qsizetype count, const char *what);
    [[nodiscard]] quint8 readU8(const char *what);
    [[nodiscard]] quint16 readU16(const char *what);
    [[nodiscard]] quint32 readU32(const char *what);
    // A length of `lengthSize` (1, 2 or 4) bytes, then that many bytes.
    [[nodiscard]] QByteArrayView readLengthPrefixed(quint16 lengthSize, const char *what);
    // A 1-byte length, then 1 to 255 ASCII characters.
    [[nodiscard]] QByteArrayView readName(const char *what);
    [[noreturn]] void fail(const QString &what) const;
    [[noreturn]] void failPastEnd(qsizetype offset, const QString &what) const;

    QByteArrayView m_data;
    qsizetype m_offset = 0;
    quint16 m_columnCount = 0;
    quint32 m_rowCount = 0;
    quint16 m_firstRowOffset = 0;
    std::vector<Coding> m_codings;             // one per column
    std::vector<QByteArrayView> m_columnNames; // as the packet spells them
    Packet m_packet;
};
