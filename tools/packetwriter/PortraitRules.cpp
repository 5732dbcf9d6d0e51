// The form every portrait must have: a 48 x 43, 24-bit, bottom-up bitmap file of 6,246 bytes.
#include "PortraitRules.h"

#include "ProfileFacts.h"

#include <QString>
#include <QtEndian>

#include <array>

namespace {

// One field of the file header or the information header, all little-endian.
struct HeaderField
{
    const char16_t *name;
    int offset;
    int size; // 2 or 4 bytes
    qint64 expected;
};

constexpr int wordSize = 2;
constexpr int longSize = 4;
constexpr int pixelDataOffset = 54;
constexpr int infoHeaderSize = 40;
constexpr int portraitWidth = 48;
constexpr int portraitHeight = 43; // positive: rows stored bottom-up
constexpr int bitsPerPixel = 24;
constexpr int imageBytes = 6192;      // 43 rows of 144 bytes
constexpr qint64 bitmapMark = 0x4D42; // "BM"

constexpr std::array<HeaderField, 16> header = {{
    {u"file mark \"BM\"", 0, wordSize, bitmapMark},
    {u"file size", 2, longSize, ProfileFacts::portraitBytes},
    {u"first reserved word", 6, wordSize, 0},
    {u"second reserved word", 8, wordSize, 0},
    {u"offset of the pixels", 10, longSize, pixelDataOffset},
    {u"information header size", 14, longSize, infoHeaderSize},
    {u"width", 18, longSize, portraitWidth},
    {u"height", 22, longSize, portraitHeight},
    {u"planes", 26, wordSize, 1},
    {u"bits per pixel", 28, wordSize, bitsPerPixel},
    {u"compression", 30, longSize, 0},
    {u"image size", 34, longSize, imageBytes},
    {u"horizontal resolution", 38, longSize, 0},
    {u"vertical resolution", 42, longSize, 0},
    {u"colours used", 46, longSize, 0},
    {u"important colours", 50, longSize, 0},
}};

qint64 readField(QByteArrayView bytes, const HeaderField &field)
{
    const char *at = bytes.data() + field.offset;
    if (field.size == wordSize)
        return qFromLittleEndian<quint16>(at);
    return qFromLittleEndian<qint32>(at);
}

} // namespace

QStringList PortraitRules::check(QByteArrayView bitmap)
{
    if (bitmap.size() != ProfileFacts::portraitBytes)
        return {u"is %1 bytes long instead of %2"_qs.arg(bitmap.size())
                    .arg(ProfileFacts::portraitBytes)};
    QStringList problems;
    for (const HeaderField &field : header) {
        const qint64 value = readField(bitmap, field);
        if (value != field.expected)
            problems << u"byte %1: %2 is %3 instead of %4"_qs.arg(field.offset)
                            .arg(QString::fromUtf16(field.name))
                            .arg(value)
                            .arg(field.expected);
    }
    return problems;
}
