// The packet encoder: writes a complete data packet from field definitions and rows.
#include "PacketEncoder.h"

#include "DataError.h"
#include "PacketFormat.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

namespace Type = PacketFormat::TypeCode;
using namespace PacketFormat;

constexpr qsizetype maxNameLength = std::numeric_limits<quint8>::max();
constexpr qsizetype maxRowStringLength = std::numeric_limits<quint8>::max();
constexpr quint8 highBit = 0x80;

[[noreturn]] void fail(const QString &message)
{
    throw DataError(u"EPacketEncoder"_qs, message);
}

class Writer final
{
public:
    void u8(quint8 value) { m_bytes.append(static_cast<char>(value)); }
    void u16(quint16 value) { appendLittleEndian(value); }
    void u32(quint32 value) { appendLittleEndian(value); }
    void i16(qint16 value) { appendLittleEndian(value); }
    void f64(double value)
    {
        quint64 bits = 0;
        static_assert(sizeof bits == sizeof value);
        std::memcpy(&bits, &value, sizeof bits);
        appendLittleEndian(bits);
    }
    void bytes(QByteArrayView bytes) { m_bytes.append(bytes); }
    // A name: 1-byte length, then the ASCII characters.
    void name(QByteArrayView name)
    {
        u8(static_cast<quint8>(name.size()));
        bytes(name);
    }
    // A zero-ended string property value: 2-byte length counting the zero, characters, zero.
    void stringProperty(QByteArrayView property, QByteArrayView value)
    {
        name(property);
        u16(propertyStringLengthSize);
        u16(Type::String);
        u16(static_cast<quint16>(value.size() + 1));
        bytes(value);
        u8(0);
    }
    void patchU16(qsizetype offset, quint16 value)
    {
        qToLittleEndian(value, m_bytes.data() + offset);
    }

    [[nodiscard]] qsizetype size() const { return m_bytes.size(); }
    [[nodiscard]] QByteArray take() { return std::move(m_bytes); }

private:
    template <typename T> void appendLittleEndian(T value)
    {
        char buffer[sizeof(T)];
        qToLittleEndian(value, buffer);
        m_bytes.append(buffer, sizeof(T));
    }

    QByteArray m_bytes;
};

QByteArray asciiName(const QString &name)
{
    if (name.isEmpty() || name.size() > maxNameLength)
        fail(u"Field name '%1' must have 1 to %2 characters"_qs.arg(name).arg(maxNameLength));
    QByteArray ascii = name.toLatin1();
    for (const char c : ascii) {
        if ((static_cast<quint8>(c) & highBit) != 0)
            fail(u"Field name '%1' is not ASCII"_qs.arg(name));
    }
    return ascii;
}

void writeColumn(Writer &out, const FieldDefinition &field)
{
    out.name(asciiName(field.name));
    switch (field.kind) {
    case FieldKind::String:
        if (field.size < 0 || field.size > std::numeric_limits<quint16>::max())
            fail(u"String field '%1' has size %2, which WIDTH cannot hold"_qs.arg(field.name)
                     .arg(field.size));
        out.u16(columnStringLengthSize);
        out.u16(Type::String);
        out.u16(0); // attributes
        out.u16(1); // property count
        out.name(widthProperty);
        out.u16(widthPropertySize);
        out.u16(Type::UnsignedInteger);
        out.u16(static_cast<quint16>(field.size));
        return;
    case FieldKind::SmallInt:
        out.u16(smallIntSize);
        out.u16(Type::SignedInteger);
        out.u16(0); // attributes
        out.u16(0); // property count
        return;
    case FieldKind::Money:
        out.u16(doubleSize);
        out.u16(Type::Double);
        out.u16(0); // attributes
        out.u16(1); // property count
        out.stringProperty(subtypeProperty, moneySubtype);
        return;
    case FieldKind::Memo:
    case FieldKind::Blob:
        out.u16(byteStringLengthSize);
        out.u16(Type::ByteString);
        out.u16(0); // attributes
        out.u16(1); // property count
        out.stringProperty(subtypeProperty,
                           field.kind == FieldKind::Memo ? textSubtype : binarySubtype);
        return;
    }
    fail(u"Field '%1' has an unknown kind"_qs.arg(field.name));
}

void writeChangeLog(Writer &out, qsizetype rowCount)
{
    const qsizetype elements = rowCount * changeLogEntryElements;
    if (rowCount > std::numeric_limits<quint32>::max() / changeLogEntryElements)
        fail(u"%1 rows are more than a change log can list"_qs.arg(rowCount));
    out.u16(1); // table property count
    out.name(changeLogProperty);
    out.u16(changeLogElementSize);
    out.u16(Type::UnsignedArray);
    out.u32(static_cast<quint32>(elements));
    for (qsizetype k = 1; k <= rowCount; ++k) {
        out.u32(static_cast<quint32>(k));
        out.u32(0);
        out.u32(rowStatusInserted);
    }
}

[[noreturn]] void failValue(const FieldDefinition &field, qsizetype row, const QString &what)
{
    fail(u"Row %1, field '%2': %3"_qs.arg(row + 1).arg(field.name, what));
}

void writeValue(Writer &out, const FieldDefinition &field, const FieldValue &value, qsizetype row)
{
    switch (field.kind) {
    case FieldKind::SmallInt: {
        const auto number = static_cast<qint16>(value.asInteger());
        if (!(FieldValue::fromSmallInt(number) == value))
            failValue(field, row, u"the value is not a small integer"_qs);
        out.i16(number);
        return;
    }
    case FieldKind::Money: {
        const double amount = value.asFloat();
        // NaN equals nothing, yet only a floating-point value can hold it.
        if (!std::isnan(amount) && !(FieldValue::fromMoney(amount) == value))
            failValue(field, row, u"the value is not a money amount"_qs);
        out.f64(amount);
        return;
    }
    case FieldKind::String:
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    const QByteArray &bytes = value.bytes();
    if (!(FieldValue::fromBytes(bytes) == value))
        failValue(field, row, u"the value is not a byte string"_qs);
    if (field.kind == FieldKind::String) {
        if (bytes.size() > field.size || bytes.size() > maxRowStringLength)
            failValue(field, row,
                      u"%1 bytes do not fit size %2"_qs.arg(bytes.size()).arg(field.size));
        out.u8(static_cast<quint8>(bytes.size()));
    } else {
        if (bytes.size() > std::numeric_limits<quint32>::max())
            failValue(field, row, u"%1 bytes are too many"_qs.arg(bytes.size()));
        out.u32(static_cast<quint32>(bytes.size()));
    }
    out.bytes(bytes);
}

void writeRow(Writer &out, const QList<FieldDefinition> &fields,
              const std::vector<FieldValue> &values, qsizetype row)
{
    if (std::cmp_not_equal(values.size(), fields.size()))
        fail(u"Row %1 has %2 values for %3 fields"_qs.arg(row + 1)
                 .arg(values.size())
                 .arg(fields.size()));
    out.u8(rowStatusInserted);
    QByteArray blankMap(blankMapSize(fields.size()), '\0');
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (values[static_cast<std::size_t>(i)].isNull()) {
            const int shift = blankMapBitsPerColumn * static_cast<int>(i % blankMapColumnsPerByte);
            blankMap[i / blankMapColumnsPerByte] = static_cast<char>(
                static_cast<quint8>(blankMap[i / blankMapColumnsPerByte]) | (blankNull << shift));
        }
    }
    out.bytes(blankMap);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const FieldValue &value = values[static_cast<std::size_t>(i)];
        if (!value.isNull())
            writeValue(out, fields[i], value, row);
    }
}

} // namespace

QByteArray PacketEncoder::encode(const QList<FieldDefinition> &fields,
                                 const std::vector<std::vector<FieldValue>> &rows)
{
    if (fields.size() > std::numeric_limits<quint16>::max())
        fail(u"%1 fields are more than a packet can describe"_qs.arg(fields.size()));
    if (rows.size() > std::numeric_limits<quint32>::max())
        fail(u"%1 rows are more than a packet can hold"_qs.arg(rows.size()));

    Writer out;
    out.u32(formatMark);
    out.u16(formatValueAt4);
    out.u16(formatValueAt6);
    out.u32(static_cast<quint32>(headerSize));
    out.u16(static_cast<quint16>(fields.size()));
    out.u32(static_cast<quint32>(rows.size()));
    out.u32(formatValueAt18);
    out.u16(0); // first-row offset, known once the table properties are written

    for (const FieldDefinition &field : fields)
        writeColumn(out, field);
    writeChangeLog(out, static_cast<qsizetype>(rows.size()));

    if (out.size() > std::numeric_limits<quint16>::max())
        fail(u"The first row would start at offset %1, past what the header can hold"_qs.arg(
            out.size()));
    out.patchU16(FirstRowOffset, static_cast<quint16>(out.size()));

    for (std::size_t row = 0; row < rows.size(); ++row)
        writeRow(out, fields, rows[row], static_cast<qsizetype>(row));
    return out.take();
}

QByteArray PacketEncoder::withLengthPrefix(QByteArrayView packet)
{
    if (packet.size() > std::numeric_limits<qint32>::max())
        fail(u"A packet of %1 bytes is too large for its length prefix"_qs.arg(packet.size()));
    QByteArray stored(sizeof(qint32), '\0');
    qToLittleEndian(static_cast<qint32>(packet.size()), stored.data());
    stored.append(packet);
    return stored;
}
