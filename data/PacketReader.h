// The packet reader: decodes a data packet into its column descriptors, field definitions and rows.
#pragma once

#include "FieldDefinition.h"
#include "FieldValue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

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
    // Fixed values of the format, shared with the encoder.
    static constexpr quint32 formatMark = 0xBDE01996;
    static constexpr quint16 formatValueAt4 = 1;  // meaning unknown; a writer writes 1
    static constexpr quint16 formatValueAt6 = 0;  // meaning unknown; a writer writes 0
    static constexpr quint32 formatValueAt18 = 3; // meaning unknown; a writer writes 3
    static constexpr qsizetype headerSize = 24;

    // Where each item of the fixed header lies.
    enum HeaderOffset : qsizetype
    {
        MarkOffset = 0,
        FormatValueAt4Offset = 4,
        FormatValueAt6Offset = 6,
        HeaderSizeOffset = 8,
        ColumnCountOffset = 12,
        RowCountOffset = 14,
        FormatValueAt18Offset = 18,
        FirstRowOffset = 22,
    };

    struct TypeCode
    {
        static constexpr quint16 SignedInteger = 0x01;
        static constexpr quint16 UnsignedInteger = 0x02;
        static constexpr quint16 Double = 0x04;
        static constexpr quint16 Characters = 0x09;
        static constexpr quint16 Bytes = 0x0B;
        static constexpr quint16 VaryingFlag = 0x40; // value preceded by a length of `size` bytes
        static constexpr quint16 ArrayFlag = 0x80;   // 4-byte count, then count elements of `size`
        static constexpr quint16 String = VaryingFlag | Characters;           // 0x49
        static constexpr quint16 ByteString = VaryingFlag | Bytes;            // 0x4B
        static constexpr quint16 UnsignedArray = ArrayFlag | UnsignedInteger; // 0x82
    };

    // Sizes as the column descriptors and properties give them.
    static constexpr quint16 smallIntSize = 2;
    static constexpr quint16 doubleSize = 8;
    static constexpr quint16 columnStringLengthSize = 1;
    static constexpr quint16 byteStringLengthSize = 4;
    static constexpr quint16 propertyStringLengthSize = 2;
    static constexpr quint16 widthPropertySize = 2;
    static constexpr quint16 changeLogElementSize = 4;
    static constexpr qsizetype arrayCountSize = 4;

    static constexpr char widthProperty[] = "WIDTH";
    static constexpr char subtypeProperty[] = "SUBTYPE";
    static constexpr char changeLogProperty[] = "CHANGE_LOG";
    static constexpr char moneySubtype[] = "Money";
    static constexpr char textSubtype[] = "Text";
    static constexpr char binarySubtype[] = "Binary";

    // A change-log entry: row number counted from 1, a 0, the row status.
    static constexpr qsizetype changeLogEntryElements = 3;
    static constexpr quint8 rowStatusInserted = 4;

    // Two bits per column in the blank map of a row.
    static constexpr int blankMapBitsPerColumn = 2;
    static constexpr int blankMapColumnsPerByte = 4;
    static constexpr quint8 blankPresent = 0;
    static constexpr quint8 blankNull = 1;
    [[nodiscard]] static constexpr qsizetype blankMapSize(qsizetype columnCount)
    {
        return (columnCount + blankMapColumnsPerByte - 1) / blankMapColumnsPerByte;
    }

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
