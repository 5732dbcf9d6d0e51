// Conversion between Windows-1251 bytes, in which every stored text is kept, and Unicode.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace Windows1251 {

// Every byte has a meaning except 0x98, which is undefined in the code page and becomes U+FFFD.
[[nodiscard]] QString decode(QByteArrayView bytes);
[[nodiscard]] QChar decodeByte(unsigned char byte);

// Empty when a character has no Windows-1251 code.
[[nodiscard]] std::optional<QByteArray> encode(QStringView text);

} // namespace Windows1251
