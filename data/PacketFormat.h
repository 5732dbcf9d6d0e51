// The data packet's format: the fixed values, offsets, type codes, sizes and names that the
// packet reader checks and the packet encoder writes.
#pragma once

#include <QtGlobal>

namespace PacketFormat {

// Fixed values of the format.
inline constexpr quint32 formatMark = 0xBDE01996;
inline constexpr quint16 formatValueAt4 = 1;  // meaning unknown; a writer writes 1
inline constexpr quint16 formatValueAt6 = 0;  // meaning unknown; a writer writes 0
inline constexpr quint32 formatValueAt18 = 3; // meaning unknown; a writer writes 3
inline constexpr qsizetype headerSize = 24;

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

// The type codes of column descriptors and properties.
namespace TypeCode {

inline constexpr quint16 SignedInteger = 0x01;
inline constexpr quint16 UnsignedInteger = 0x02;
inline constexpr quint16 Double = 0x04;
inline constexpr quint16 Characters = 0x09;
inline constexpr quint16 Bytes = 0x0B;
inline constexpr quint16 VaryingFlag = 0x40; // value preceded by a length of `size` bytes
inline constexpr quint16 ArrayFlag = 0x80;   // 4-byte count, then count elements of `size`
inline constexpr quint16 String = VaryingFlag | Characters;           // 0x49
inline constexpr quint16 ByteString = VaryingFlag | Bytes;            // 0x4B
inline constexpr quint16 UnsignedArray = ArrayFlag | UnsignedInteger; // 0x82

} // namespace TypeCode

// Sizes as the column descriptors and properties give them.
inline constexpr quint16 smallIntSize = 2;
inline constexpr quint16 doubleSize = 8;
inline constexpr quint16 columnStringLengthSize = 1;
inline constexpr quint16 byteStringLengthSize = 4;
inline constexpr quint16 propertyStringLengthSize = 2;
inline constexpr quint16 widthPropertySize = 2;
inline constexpr quint16 changeLogElementSize = 4;
inline constexpr qsizetype arrayCountSize = 4;

inline constexpr char widthProperty[] = "WIDTH";
inline constexpr char subtypeProperty[] = "SUBTYPE";
inline constexpr char changeLogProperty[] = "CHANGE_LOG";
inline constexpr char moneySubtype[] = "Money";
inline constexpr char textSubtype[] = "Text";
inline constexpr char binarySubtype[] = "Binary";

// A change-log entry: row number counted from 1, a 0, the row status.
inline constexpr qsizetype changeLogEntryElements = 3;
inline constexpr quint8 rowStatusInserted = 4;

// Two bits per column in the blank map of a row.
inline constexpr int blankMapBitsPerColumn = 2;
inline constexpr int blankMapColumnsPerByte = 4;
inline constexpr quint8 blankPresent = 0;
inline constexpr quint8 blankNull = 1;
[[nodiscard]] constexpr qsizetype blankMapSize(qsizetype columnCount)
{
    return (columnCount + blankMapColumnsPerByte - 1) / blankMapColumnsPerByte;
}

} // namespace PacketFormat
