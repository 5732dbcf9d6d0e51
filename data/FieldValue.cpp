// One field's value in one record: null, a small integer, a money amount or bytes.
#include "FieldValue.h"

#include "NumberFormat.h"
#include "Windows1251.h"

#include <cmath>

int FieldValue::asInteger() const
{
    if (const auto *small = std::get_if<qint16>(&m_value))
        return *small;
    if (const auto *money = std::get_if<double>(&m_value))
        return std::isfinite(*money) ? static_cast<int>(std::clamp(*money, -2147483648.0, 2147483647.0)) : 0;
    return 0;
}

double FieldValue::asFloat() const
{
    if (const auto *small = std::get_if<qint16>(&m_value))
        return *small;
    if (const auto *money = std::get_if<double>(&m_value))
        return *money;
    return 0.0;
}

const QByteArray &FieldValue::bytes() const
{
    static const QByteArray none;
    const auto *bytes = std::get_if<QByteArray>(&m_value);
    return bytes != nullptr ? *bytes : none;
}

QString FieldValue::displayText(FieldKind kind, const NumberFormat &format) const
{
    if (isNull())
        return {};
    switch (kind) {
    case FieldKind::SmallInt:
        return QString::number(asInteger());
    case FieldKind::Money:
        return format.moneyText(asFloat());
    case FieldKind::String:
        return Windows1251::decode(bytes());
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
    return {};
}

QString FieldValue::displayText(FieldKind kind) const
{
    return displayText(kind, processNumberFormat());
}
