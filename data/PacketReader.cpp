// The packet reader: decodes a data packet into its column descriptors, field definitions and rows.
#include "PacketReader.h"

#include "DataError.h"

#include <QLatin1StringView>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

namespace Type = PacketFormat::TypeCode;
using namespace PacketFormat;

constexpr qsizetype nameLengthSize = 1;
// The smallest column descriptor: a 1-character name, size, type, attributes, property count.
constexpr qsizetype minColumnSize = nameLengthSize + 1 + 4 * qsizetype(sizeof(quint16));
constexpr qsizetype rowStatusSize = 1;
constexpr quint8 asciiLimit = 0x80;
constexpr quint8 blankPairMask = 0x03;
constexpr unsigned allBits = 0xFF;
constexpr int hexBase = 16;
constexpr int typeCodeDigits = 2;
constexpr int markDigits = 8;
// 64-bit FNV-1a, a hash that is cheap for short names.
constexpr quint64 fnvOffsetBasis = 0xCBF29CE484222325;
constexpr quint64 fnvPrime = 0x100000001B3;

QString hex(quint32 value, int digits)
{
    return u"0x"_qs + QString::number(value, hexBase).toUpper().rightJustified(digits, u'0');
}

QString typeText(quint16 type, quint16 size)
{
    return u"type %1 size %2"_qs.arg(hex(type, typeCodeDigits)).arg(size);
}

// Whether the format knows this type code: one of the base types, at most one of the two flags.
bool isKnownType(quint16 type)
{
    const auto flags = static_cast<quint16>(type & (Type::VaryingFlag | Type::ArrayFlag));
    if (flags == (Type::VaryingFlag | Type::ArrayFlag))
        return false;
    switch (type & ~flags) {
    case Type::SignedInteger:
    case Type::UnsignedInteger:
    case Type::Double:
    case Type::Characters:
    case Type::Bytes:
        return true;
    default:
        return false;
    }
}

// The subtypes the format names share their static text instead of a copy each.
QByteArray knownSubtype(QByteArrayView subtype)
{
    for (const char *known : {moneySubtype, textSubtype, binarySubtype}) {
        if (subtype == QByteArrayView(known))
            return QByteArray::fromRawData(known, qstrlen(known));
    }
    return subtype.toByteArray();
}

bool isLengthSize(quint16 size)
{
    return size == sizeof(quint8) || size == sizeof(quint16) || size == sizeof(quint32);
}

} // namespace

PacketReader::Packet PacketReader::decode(QByteArrayView packet)
{
    PacketReader reader(packet);
    reader.readHeader();
    reader.readColumns();
    reader.readTableProperties();
    reader.readRows();
    return std::move(reader.m_packet);
}

// --- checked reading ---

void PacketReader::fail(const QString &what) const
{
    throw DataError(u"EDBClient"_qs, u"Damaged data packet: "_qs + what);
}

void PacketReader::failPastEnd(qsizetype offset, const QString &what) const
{
    fail(u"%1 at offset %2 runs past the end of the packet (%3 bytes)"_qs.arg(what).arg(offset).arg(
        m_data.size()));
}

QByteArrayView PacketReader::take(qsizetype count, const char *what)
{
    if (count > remaining())
        failPastEnd(m_offset, QLatin1StringView(what));
    const QByteArrayView bytes = m_data.sliced(m_offset, count);
    m_offset += count;
    return bytes;
}

quint8 PacketReader::readU8(const char *what)
{
    return static_cast<quint8>(take(sizeof(quint8), what).front());
}

quint16 PacketReader::readU16(const char *what)
{
    return qFromLittleEndian<quint16>(take(sizeof(quint16), what).data());
}

quint32 PacketReader::readU32(const char *what)
{
    return qFromLittleEndian<quint32>(take(sizeof(quint32), what).data());
}

QByteArrayView PacketReader::readLengthPrefixed(quint16 lengthSize, const char *what)
{
    const qsizetype lengthOffset = m_offset;
    qint64 length = 0;
    if (lengthSize == sizeof(quint8))
        length = readU8(what);
    else if (lengthSize == sizeof(quint16))
        length = readU16(what);
    else
        length = readU32(what);
    if (length > remaining())
        failPastEnd(lengthOffset, u"%1 length %2"_qs.arg(QLatin1StringView(what)).arg(length));
    return take(static_cast<qsizetype>(length), what);
}

QByteArrayView PacketReader::readName(const char *what)
{
    const qsizetype offset = m_offset;
    const QByteArrayView name = readLengthPrefixed(sizeof(quint8), what);
    if (name.isEmpty())
        fail(u"empty %1 at offset %2"_qs.arg(QLatin1StringView(what)).arg(offset));
    for (const char c : name) {
        if (static_cast<quint8>(c) >= asciiLimit)
            fail(u"%1 at offset %2 is not ASCII"_qs.arg(QLatin1StringView(what)).arg(offset));
    }
    return name;
}

// --- header ---

void PacketReader::readHeader()
{
    if (m_data.size() < headerSize)
        failPastEnd(0, u"the %1-byte header"_qs.arg(headerSize));
    const quint32 mark = readU32("format mark");
    if (mark != formatMark)
        fail(u"format mark %1 at offset %2 is not %3"_qs.arg(hex(mark, markDigits))
                 .arg(MarkOffset)
                 .arg(hex(formatMark, markDigits)));
    // What the format values mean is unknown, so any value is accepted.
    m_offset = HeaderSizeOffset;
    const quint32 declaredHeaderSize = readU32("header size");
    if (declaredHeaderSize < headerSize || declaredHeaderSize > quint64(m_data.size()))
        fail(u"header size %1 at offset %2 is not between %3 and the packet size (%4 bytes)"_qs
                 .arg(declaredHeaderSize)
                 .arg(HeaderSizeOffset)
                 .arg(headerSize)
                 .arg(m_data.size()));
    m_columnCount = readU16("column count");
    m_rowCount = readU32("row count");
    m_offset = FirstRowOffset;
    m_firstRowOffset = readU16("first-row offset");
    // The bytes of a larger header are not ours to read; the first column starts after them.
    m_offset = static_cast<qsizetype>(declaredHeaderSize);
}

// --- columns ---

void PacketReader::readColumns()
{
    const qint64 needed = qint64(m_columnCount) * minColumnSize;
    if (needed > remaining())
        fail(u"column count %1 at offset %2 needs at least %3 bytes, but %4 follow the header"_qs
                 .arg(m_columnCount)
                 .arg(ColumnCountOffset)
                 .arg(needed)
                 .arg(remaining()));
    m_packet.columns.reserve(m_columnCount);
    m_packet.fields.reserve(m_columnCount);
    m_codings.reserve(m_columnCount);
    m_columnNames.reserve(m_columnCount);
    for (quint16 i = 0; i < m_columnCount; ++i) {
        Coding coding;
        Column column = readColumn(coding);
        m_packet.fields.append(fieldFor(column, coding));
        m_packet.columns.push_back(std::move(column));
        m_codings.push_back(coding);
    }
    checkColumnNamesDiffer();
}

// Fields are bound to columns by name with letter case ignored, so two columns may not share a
// name in any case. Sorting the names by a hash of their folded letters, and by the letters where
// hashes are equal, puts equal names side by side at the cost of few comparisons of letters.
void PacketReader::checkColumnNamesDiffer() const
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto foldedLess = [&fold](QByteArrayView a, QByteArrayView b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [&fold](char x, char y) { return fold(x) < fold(y); });
    };
    std::vector<std::pair<quint64, std::size_t>> names; // hash, column
    names.reserve(m_columnNames.size());
    for (std::size_t i = 0; i < m_columnNames.size(); ++i) {
        quint64 hash = fnvOffsetBasis;
        for (const char c : m_columnNames[i])
            hash = (hash ^ quint8(fold(c))) * fnvPrime;
        names.emplace_back(hash, i);
    }
    const auto less = [&](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first;
        return foldedLess(m_columnNames[a.second], m_columnNames[b.second]);
    };
    std::sort(names.begin(), names.end(), less);
    const auto twice = std::adjacent_find(
        names.cbegin(), names.cend(), [&](const auto &a, const auto &b) { return !less(a, b); });
    if (twice != names.cend()) {
        const Column &later = m_packet.columns[std::max(twice->second, std::next(twice)->second)];
        fail(u"column name '%1' at offset %2 is used twice"_qs.arg(later.name).arg(later.offset));
    }
}

PacketReader::Column PacketReader::readColumn(Coding &coding)
{
    Column column;
    column.offset = m_offset;
    const QByteArrayView name = readName("column name");
    m_columnNames.push_back(name);
    column.name = QString::fromLatin1(name);
    column.size = readU16("column size");
    const qsizetype typeOffset = m_offset;
    column.type = readU16("column type");
    column.attributes = readU16("column attributes");
    const quint16 propertyCount = readU16("property count");

    if (!isKnownType(column.type))
        fail(u"unknown type code %1 of column '%2' at offset %3"_qs
                 .arg(hex(column.type, typeCodeDigits), column.name)
                 .arg(typeOffset));
    if (column.type == Type::SignedInteger && column.size == smallIntSize)
        coding.kind = FieldKind::SmallInt;
    else if (column.type == Type::Double && column.size == doubleSize)
        coding.kind = FieldKind::Money;
    else if (column.type == Type::String && column.size == columnStringLengthSize)
        coding.kind = FieldKind::String;
    else if (column.type == Type::ByteString && column.size == byteStringLengthSize)
        coding.kind = FieldKind::Blob; // or Memo, which is decoded the same way
    else
        fail(u"column '%1' at offset %2 has %3, which no field kind takes"_qs.arg(column.name)
                 .arg(typeOffset)
                 .arg(typeText(column.type, column.size)));

    for (quint16 i = 0; i < propertyCount; ++i)
        readColumnProperty(column);

    if (coding.kind == FieldKind::String) {
        if (!column.width)
            fail(u"string column '%1' at offset %2 has no %3"_qs.arg(column.name)
                     .arg(column.offset)
                     .arg(QLatin1StringView(widthProperty)));
        coding.width = *column.width;
    }
    return column;
}

PacketReader::PropertyHead PacketReader::readPropertyHead(QStringView kind, const QString &owner)
{
    PropertyHead head;
    head.name = readName("property name");
    head.size = readU16("property size");
    head.typeOffset = m_offset;
    head.type = readU16("property type");
    if (!isKnownType(head.type))
        fail(u"unknown type code %1 of %2 %3%4 at offset %5"_qs
                 .arg(hex(head.type, typeCodeDigits), kind, QString::fromLatin1(head.name), owner)
                 .arg(head.typeOffset));
    return head;
}

void PacketReader::readColumnProperty(Column &column)
{
    const qsizetype offset = m_offset;
    const auto [name, size, type, typeOffset] =
        readPropertyHead(u"property", u" of column '%1'"_qs.arg(column.name));

    if (name == QByteArrayView(widthProperty)) {
        if (type != Type::UnsignedInteger || size != widthPropertySize)
            fail(
                u"property %1 of column '%2' at offset %3 has %4, not %5"_qs
                    .arg(QLatin1StringView(widthProperty), column.name)
                    .arg(offset)
                    .arg(typeText(type, size), typeText(Type::UnsignedInteger, widthPropertySize)));
        column.width = readU16("WIDTH value");
    } else if (name == QByteArrayView(subtypeProperty)) {
        if (type != Type::String || !isLengthSize(size))
            fail(u"property %1 of column '%2' at offset %3 has %4, not %5"_qs
                     .arg(QLatin1StringView(subtypeProperty), column.name)
                     .arg(offset)
                     .arg(typeText(type, size), typeText(Type::String, propertyStringLengthSize)));
        const qsizetype valueOffset = m_offset;
        const QByteArrayView value = readLengthPrefixed(size, "SUBTYPE value");
        if (value.isEmpty() || value.back() != '\0')
            fail(u"%1 value of column '%2' at offset %3 does not end with a zero byte"_qs
                     .arg(QLatin1StringView(subtypeProperty), column.name)
                     .arg(valueOffset));
        column.subtype = knownSubtype(value.chopped(1));
    } else {
        skipPropertyValue(size, type, typeOffset);
    }
}

FieldDefinition PacketReader::fieldFor(const Column &column, const Coding &coding)
{
    FieldDefinition field;
    field.name = column.name;
    field.alignment = Qt::AlignLeft;
    switch (coding.kind) {
    case FieldKind::String:
        field.kind = FieldKind::String;
        field.size = coding.width;
        break;
    case FieldKind::SmallInt:
    case FieldKind::Money:
        field.kind = coding.kind;
        field.alignment = Qt::AlignRight;
        break;
    case FieldKind::Memo:
    case FieldKind::Blob:
        field.kind =
            column.subtype == QByteArrayView(textSubtype) ? FieldKind::Memo : FieldKind::Blob;
        break;
    }
    return field;
}

// --- properties ---

void PacketReader::skipPropertyValue(quint16 size, quint16 type, qsizetype typeOffset)
{
    if ((type & Type::ArrayFlag) != 0) {
        const qsizetype countOffset = m_offset;
        const quint32 count = readU32("array count");
        const qint64 bytes = qint64(count) * size;
        if (bytes > remaining())
            failPastEnd(countOffset, u"array of %1 elements of %2 bytes"_qs.arg(count).arg(size));
        m_offset += static_cast<qsizetype>(bytes);
    } else if ((type & Type::VaryingFlag) != 0) {
        if (!isLengthSize(size))
            fail(u"varying %1 at offset %2 has a length of %3 bytes"_qs.arg(typeText(type, size))
                     .arg(typeOffset)
                     .arg(size));
        (void)readLengthPrefixed(size, "property value");
    } else {
        (void)take(size, "property value");
    }
}

void PacketReader::readTableProperties()
{
    const quint16 count = readU16("table property count");
    for (quint16 i = 0; i < count; ++i) {
        const auto [name, size, type, typeOffset] = readPropertyHead(u"table property", {});
        if (name == QByteArrayView(changeLogProperty))
            readChangeLog(size, type, typeOffset);
        else
            skipPropertyValue(size, type, typeOffset);
    }
    if (m_offset != m_firstRowOffset)
        fail(u"first-row offset %1 at offset %2 differs from the end of the table properties at "
             u"offset %3"_qs.arg(m_firstRowOffset)
                 .arg(FirstRowOffset)
                 .arg(m_offset));
}

// The change log is checked so that a damaged one is reported, but it is never applied.
void PacketReader::readChangeLog(quint16 size, quint16 type, qsizetype typeOffset)
{
    if (type != Type::UnsignedArray || size != changeLogElementSize)
        fail(u"%1 at offset %2 has %3, not %4"_qs.arg(QLatin1StringView(changeLogProperty))
                 .arg(typeOffset)
                 .arg(typeText(type, size), typeText(Type::UnsignedArray, changeLogElementSize)));
    const qsizetype countOffset = m_offset;
    const quint32 count = readU32("change log count");
    if (count % changeLogEntryElements != 0)
        fail(u"%1 count %2 at offset %3 is not a multiple of %4"_qs
                 .arg(QLatin1StringView(changeLogProperty))
                 .arg(count)
                 .arg(countOffset)
                 .arg(changeLogEntryElements));
    const qint64 bytes = qint64(count) * changeLogElementSize;
    if (bytes > remaining())
        failPastEnd(countOffset,
                    u"%1 of %2 elements"_qs.arg(QLatin1StringView(changeLogProperty)).arg(count));
    const qsizetype entrySize = changeLogEntryElements * changeLogElementSize;
    for (quint32 entry = 0; entry < count / changeLogEntryElements; ++entry) {
        const qsizetype entryOffset = m_offset;
        const quint32 row = qFromLittleEndian<quint32>(m_data.data() + entryOffset);
        if (row == 0 || row > m_rowCount)
            fail(u"%1 entry at offset %2 names row %3 of %4"_qs
                     .arg(QLatin1StringView(changeLogProperty))
                     .arg(entryOffset)
                     .arg(row)
                     .arg(m_rowCount));
        m_offset += entrySize;
    }
}

// --- rows ---

void PacketReader::readRows()
{
    const qsizetype blankSize = blankMapSize(m_columnCount);
    const qint64 needed = qint64(m_rowCount) * (rowStatusSize + blankSize);
    if (needed > remaining())
        fail(u"row count %1 at offset %2 needs at least %3 bytes, but the rows at offset %4 have "
             u"%5"_qs.arg(m_rowCount)
                 .arg(RowCountOffset)
                 .arg(needed)
                 .arg(m_offset)
                 .arg(remaining()));
    m_packet.rows.reserve(m_rowCount);
    for (quint32 row = 0; row < m_rowCount; ++row)
        readRow(row);
    if (remaining() != 0)
        fail(u"unread bytes after the last row at offset %1 (the packet has %2 bytes)"_qs
                 .arg(m_offset)
                 .arg(m_data.size()));
}

void PacketReader::readRow(quint32 row)
{
    if (remaining() == 0)
        fail(u"the packet ends after %1 of %2 rows at offset %3"_qs.arg(row)
                 .arg(m_rowCount)
                 .arg(m_offset));
    (void)readU8("row status"); // the row stays whatever its status says: nothing is applied
    const qsizetype blankOffset = m_offset;
    const QByteArrayView blankMap = take(blankMapSize(m_columnCount), "blank map");
    if (const int used = m_columnCount % blankMapColumnsPerByte; used != 0) {
        const unsigned spare = static_cast<quint8>(blankMap.back()) &
                               (allBits << (blankMapBitsPerColumn * used)) & allBits;
        if (spare != 0)
            fail(u"spare bits %1 of the blank map of row %2 at offset %3 are not zero"_qs
                     .arg(hex(spare, typeCodeDigits))
                     .arg(row + 1)
                     .arg(blankOffset + blankMap.size() - 1));
    }

    std::vector<FieldValue> &values = m_packet.rows.emplace_back();
    values.reserve(m_columnCount);
    for (quint16 column = 0; column < m_columnCount; ++column) {
        const qsizetype blankByte = column / blankMapColumnsPerByte;
        const int shift = blankMapBitsPerColumn * (column % blankMapColumnsPerByte);
        const auto blank = static_cast<quint8>((static_cast<quint8>(blankMap[blankByte]) >> shift) &
                                               blankPairMask);
        if (blank == blankPresent) {
            values.push_back(readValue(column));
        } else if (blank == blankNull) {
            values.emplace_back();
        } else {
            fail(u"blank-map value %1 for column '%2' of row %3 at offset %4"_qs.arg(blank)
                     .arg(m_packet.columns[column].name)
                     .arg(row + 1)
                     .arg(blankOffset + blankByte));
        }
    }
}

FieldValue PacketReader::readValue(quint16 column)
{
    const Coding coding = m_codings[column];
    const char *const value = m_data.data() + m_offset;
    const qsizetype available = remaining();
    switch (coding.kind) {
    case FieldKind::SmallInt:
        if (available < smallIntSize)
            failPastEnd(m_offset, u"small integer"_qs);
        m_offset += smallIntSize;
        return FieldValue::fromSmallInt(qFromLittleEndian<qint16>(value));
    case FieldKind::Money: {
        if (available < doubleSize)
            failPastEnd(m_offset, u"floating-point number"_qs);
        const auto bits = qFromLittleEndian<quint64>(value);
        double amount = 0;
        static_assert(sizeof amount == sizeof bits);
        std::memcpy(&amount, &bits, sizeof amount);
        m_offset += doubleSize;
        return FieldValue::fromMoney(amount);
    }
    case FieldKind::String: {
        if (available < columnStringLengthSize)
            failPastEnd(m_offset, u"string length"_qs);
        const qsizetype length = static_cast<quint8>(*value);
        if (length > available - columnStringLengthSize)
            failPastEnd(m_offset, u"string length %1"_qs.arg(length));
        if (length > coding.width)
            fail(u"string length %1 at offset %2 exceeds the %3 %4 of column '%5'"_qs.arg(length)
                     .arg(m_offset)
                     .arg(QLatin1StringView(widthProperty))
                     .arg(coding.width)
                     .arg(m_packet.columns[column].name));
        m_offset += columnStringLengthSize + length;
        return FieldValue::fromBytes(QByteArray(value + columnStringLengthSize, length));
    }
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    if (available < byteStringLengthSize)
        failPastEnd(m_offset, u"byte string length"_qs);
    const quint32 length = qFromLittleEndian<quint32>(value);
    if (length > quint64(available - byteStringLengthSize))
        failPastEnd(m_offset, u"byte string length %1"_qs.arg(length));
    m_offset += byteStringLengthSize + qsizetype(length);
    return FieldValue::fromBytes(QByteArray(value + byteStringLengthSize, qsizetype(length)));
}
