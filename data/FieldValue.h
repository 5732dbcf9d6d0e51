// One field's value in one record: null, a small integer, a money amount or bytes.
#pragma once

#include "FieldDefinition.h"

#include <QByteArray>
#include <QString>

#include <variant>

struct NumberFormat;

class FieldValue
{
public:
    FieldValue() = default; // null

    [[nodiscard]] static FieldValue fromSmallInt(qint16 value) { return FieldValue(value); }
    [[nodiscard]] static FieldValue fromMoney(double value) { return FieldValue(value); }
    // Strings (Windows-1251 bytes), memos and blobs.
    [[nodiscard]] static FieldValue fromBytes(QByteArray bytes) { return FieldValue(std::move(bytes)); }

    [[nodiscard]] bool isNull() const { return std::holds_alternative<std::monostate>(m_value); }

    // 0 for null and for bytes.
    [[nodiscard]] int asInteger() const;
    [[nodiscard]] double asFloat() const;
    // Empty for null and for numbers.
    [[nodiscard]] const QByteArray &bytes() const;

    // Empty for null; plain digits for small integers; the money text for money; the stored text
    // for strings; memos and blobs have no display text.
    [[nodiscard]] QString displayText(FieldKind kind, const NumberFormat &format) const;
    [[nodiscard]] QString displayText(FieldKind kind) const;

    friend bool operator==(const FieldValue &, const FieldValue &) = default;

private:
    explicit FieldValue(qint16 value) : m_value(value) {}
    explicit FieldValue(double value) : m_value(value) {}
    explicit FieldValue(QByteArray bytes) : m_value(std::move(bytes)) {}

    std::variant<std::monostate, qint16, double, QByteArray> m_value;
};
