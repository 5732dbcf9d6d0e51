// Tests of the program's Windows resources: the resource script is compiled with a resource
// compiler and the version block and the icon group "MAINICON" are read back from the result;
// the icon file is read directly as well.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <utility>

namespace {

// Resource types and the version block's fixed part, as the resource file formats define them.
constexpr quint16 rtIcon = 3;
constexpr quint16 rtVersion = 16;
constexpr quint16 rtGroupIcon = 14;
constexpr quint16 versionInfoId = 1;
constexpr quint16 russianLanguage = 0x0419;
constexpr quint16 codePage1251 = 0x04E3;
constexpr quint32 fixedInfoSignature = 0xFEEF04BD;
constexpr quint32 fixedInfoStructVersion = 0x00010000;
constexpr int fixedInfoSize = 52;
constexpr quint16 textValueType = 1;
constexpr quint16 nameIsOrdinal = 0xFFFF;
constexpr int versionNodeMaxDepth = 8;

// The icon: one 32 × 32 picture, 8 bits per pixel, 256 colours, colour image over AND mask.
constexpr int iconSide = 32;
constexpr int iconBitsPerPixel = 8;
constexpr int iconPaletteEntries = 256;
constexpr quint32 bitmapInfoHeaderSize = 40;
constexpr int rgbQuadSize = 4;
constexpr int iconDirectorySize = 6;
constexpr int iconDirectoryEntrySize = 16;
constexpr int groupIconEntrySize = 14;
constexpr int maskRowBytes = 4;
constexpr int colourRowBytes = iconSide;
constexpr int iconImageBytes = bitmapInfoHeaderSize + iconPaletteEntries * rgbQuadSize +
                               iconSide * colourRowBytes + iconSide * maskRowBytes;

// Field offsets of the structures the tests read.
enum FixedInfoOffset : qsizetype
{
    Signature = 0,
    StructVersion = 4,
    FileVersionHigh = 8,
    FileVersionLow = 12,
    ProductVersionHigh = 16,
    ProductVersionLow = 20,
    FlagMask = 24,
    Flags = 28,
    OperatingSystem = 32,
    FileType = 36,
    FileSubtype = 40,
    FileDateHigh = 44,
    FileDateLow = 48,
};
enum IconDirectoryOffset : qsizetype
{
    Reserved = 0,
    ResourceType = 2,
    Count = 4
};
// An entry of an icon file and of an icon group agree up to the picture's size; the file's entry
// then gives the picture's offset, the group's the number of its RT_ICON resource.
enum IconEntryOffset : qsizetype
{
    Width = 0,
    Height = 1,
    ColourCount = 2,
    EntryReserved = 3,
    Planes = 4,
    BitCount = 6,
    BytesInResource = 8,
    PictureOffsetOrId = 12,
};
enum BitmapHeaderOffset : qsizetype
{
    HeaderSize = 0,
    BitmapWidth = 4,
    BitmapHeight = 8,
    BitmapPlanes = 12,
    BitmapBitCount = 14,
    Compression = 16,
    ColoursUsed = 32,
};
enum TranslationOffset : qsizetype
{
    TranslationLanguage = 0,
    TranslationCodePage = 2
};

constexpr int compilerTimeoutMs = 60'000;

qsizetype alignedToDword(qsizetype offset)
{
    constexpr qsizetype dword = 4;
    return (offset + dword - 1) / dword * dword;
}

// Little-endian reader over a byte array; a read past the end or a broken structure records
// what was wrong and where, and every later read yields zero.
class ByteReader final
{
public:
    explicit ByteReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    qsizetype size() const { return m_bytes.size(); }

    void fail(const QString &what, qsizetype offset)
    {
        if (ok())
            m_error = u"%1 at offset %2"_qs.arg(what).arg(offset);
    }

    bool has(qsizetype offset, qsizetype length, const QString &what)
    {
        if (offset < 0 || length < 0 || offset > m_bytes.size() || length > m_bytes.size() - offset)
            fail(u"%1 (%2 bytes) runs past the end of %3 bytes"_qs.arg(what).arg(length).arg(
                     m_bytes.size()),
                 offset);
        return ok();
    }

    quint8 u8(qsizetype offset)
    {
        return has(offset, 1, u"byte"_qs) ? static_cast<quint8>(m_bytes.at(offset)) : 0;
    }
    quint16 u16(qsizetype offset) { return static_cast<quint16>(u8(offset) | u8(offset + 1) << 8); }
    quint32 u32(qsizetype offset)
    {
        return static_cast<quint32>(u16(offset)) | static_cast<quint32>(u16(offset + 2)) << 16;
    }

    QByteArray bytes(qsizetype offset, qsizetype length, const QString &what)
    {
        return has(offset, length, what) ? m_bytes.mid(offset, length) : QByteArray{};
    }

    // A zero-terminated UTF-16 text starting at `offset` and ending before `end`; `offset` is
    // moved past the terminator.
    QString utf16z(qsizetype &offset, qsizetype end, const QString &what)
    {
        QString text;
        for (qsizetype at = offset; ok() && at + 1 < end; at += 2) {
            const quint16 unit = u16(at);
            if (unit == 0) {
                offset = at + 2;
                return text;
            }
            text.append(QChar{unit});
        }
        fail(u"unterminated %1"_qs.arg(what), offset);
        return {};
    }

private:
    QByteArray m_bytes;
    QString m_error;
};

// A resource type or name: a number or a text.
struct ResourceId final
{
    quint16 ordinal = 0;
    QString name;
};

struct Resource final
{
    ResourceId type;
    ResourceId name;
    quint16 language = 0;
    QByteArray data;
};

ResourceId readResourceId(ByteReader &reader, qsizetype &offset, qsizetype end)
{
    if (reader.u16(offset) == nameIsOrdinal) {
        const quint16 ordinal = reader.u16(offset + 2);
        offset += 4;
        return {ordinal, {}};
    }
    return {0, reader.utf16z(offset, end, u"resource name"_qs)};
}

// The resources of a compiled .res file, in file order, the empty leading entry left out.
QList<Resource> readResFile(ByteReader &reader)
{
    constexpr qsizetype sizesBytes = 8;
    constexpr qsizetype trailerBytes = 16; // data version, flags, language, version, features
    constexpr qsizetype languageInTrailer = 6;
    QList<Resource> resources;
    qsizetype offset = 0;
    while (reader.ok() && offset < reader.size()) {
        const qsizetype dataSize = reader.u32(offset);
        const qsizetype headerSize = reader.u32(offset + 4);
        if (!reader.ok() || headerSize < sizesBytes + trailerBytes ||
            !reader.has(offset, headerSize, u"resource header"_qs) ||
            !reader.has(offset + headerSize, dataSize, u"resource data"_qs)) {
            reader.fail(u"bad resource header"_qs, offset);
            break;
        }
        const qsizetype headerEnd = offset + headerSize;
        qsizetype at = offset + sizesBytes;
        Resource resource;
        resource.type = readResourceId(reader, at, headerEnd);
        resource.name = readResourceId(reader, at, headerEnd);
        at = offset + alignedToDword(at - offset);
        if (at + trailerBytes != headerEnd)
            reader.fail(u"resource header size disagrees with its contents"_qs, offset);
        resource.language = reader.u16(at + languageInTrailer);
        resource.data = reader.bytes(headerEnd, dataSize, u"resource data"_qs);
        if (resource.type.ordinal != 0 || !resource.type.name.isEmpty())
            resources.append(resource);
        offset = alignedToDword(headerEnd + dataSize);
    }
    return resources;
}

// One node of the version block tree: a key, a binary or text value, child nodes.
struct VersionNode final
{
    QString key;
    quint16 type = 0;
    QByteArray value;
    QList<VersionNode> children;

    const VersionNode *child(const QString &childKey) const
    {
        for (const VersionNode &node : children)
            if (node.key == childKey)
                return &node;
        return nullptr;
    }

    QString text() const
    {
        QString result;
        for (qsizetype at = 0; at + 1 < value.size(); at += 2)
            result.append(QChar{static_cast<char16_t>(static_cast<quint8>(value.at(at)) |
                                                      static_cast<quint8>(value.at(at + 1)) << 8)});
        while (result.endsWith(QChar{0}))
            result.chop(1);
        return result;
    }
};

// Offsets are counted from the start of the version resource, which the format aligns to DWORDs.
VersionNode readVersionNode(ByteReader &reader, qsizetype offset, qsizetype end, int depth)
{
    constexpr qsizetype nodeHeaderBytes = 6;
    VersionNode node;
    const qsizetype length = reader.u16(offset);
    const qsizetype valueLength = reader.u16(offset + 2);
    node.type = reader.u16(offset + 4);
    if (length < nodeHeaderBytes || offset + length > end || depth > versionNodeMaxDepth) {
        reader.fail(u"bad version node"_qs, offset);
        return node;
    }
    const qsizetype nodeEnd = offset + length;
    qsizetype at = offset + nodeHeaderBytes;
    node.key = reader.utf16z(at, nodeEnd, u"version node key"_qs);
    at = alignedToDword(at);
    const qsizetype valueBytes = node.type == textValueType ? 2 * valueLength : valueLength;
    if (at + valueBytes > nodeEnd)
        reader.fail(u"version value runs past its node"_qs, at);
    node.value = reader.bytes(at, valueBytes, u"version value"_qs);
    at = alignedToDword(at + valueBytes);
    while (reader.ok() && at < nodeEnd) {
        const qsizetype childLength = reader.u16(at);
        node.children.append(readVersionNode(reader, at, nodeEnd, depth + 1));
        at = alignedToDword(at + childLength);
    }
    return node;
}

// The DIB of an icon picture: header, palette and both planes, exactly as many bytes as its
// header says.
void verifyIconImage(const QByteArray &image)
{
    ByteReader reader{image};
    QCOMPARE(reader.u32(HeaderSize), bitmapInfoHeaderSize);
    QCOMPARE(reader.u32(BitmapWidth), quint32{iconSide});
    QCOMPARE(reader.u32(BitmapHeight), quint32{2 * iconSide}); // the colour image over the mask
    QCOMPARE(reader.u16(BitmapPlanes), quint16{1});
    QCOMPARE(reader.u16(BitmapBitCount), quint16{iconBitsPerPixel});
    QCOMPARE(reader.u32(Compression), quint32{0});
    const quint32 coloursUsed = reader.u32(ColoursUsed);
    QVERIFY2(coloursUsed == 0 || coloursUsed == iconPaletteEntries,
             qPrintable(u"colour table of %1 entries"_qs.arg(coloursUsed)));
    QVERIFY2(reader.ok(), qPrintable(reader.error()));
    QCOMPARE(image.size(), qsizetype{iconImageBytes});

    // The mask must cut the picture out of its square: some pixels transparent, some opaque;
    // a transparent pixel's colour index must be black, or it would tint what lies below.
    const qsizetype paletteOffset = bitmapInfoHeaderSize;
    const qsizetype colourOffset = paletteOffset + iconPaletteEntries * rgbQuadSize;
    const qsizetype maskOffset = colourOffset + iconSide * colourRowBytes;
    int transparent = 0;
    for (int row = 0; row < iconSide; ++row) {
        for (int column = 0; column < iconSide; ++column) {
            constexpr int bitsPerByte = 8;
            constexpr int leftmostBit = 0x80;
            const quint8 maskByte =
                reader.u8(maskOffset + row * maskRowBytes + column / bitsPerByte);
            if ((maskByte & (leftmostBit >> (column % bitsPerByte))) == 0)
                continue;
            ++transparent;
            const quint8 index = reader.u8(colourOffset + row * colourRowBytes + column);
            QCOMPARE(reader.u32(paletteOffset + index * rgbQuadSize), quint32{0});
        }
    }
    QVERIFY2(reader.ok(), qPrintable(reader.error()));
    QVERIFY(transparent > 0);
    QVERIFY(transparent < iconSide * iconSide);
}

// The directory at the start of an icon file or icon group: one icon picture of 32 × 32 pixels,
// 8 bits per pixel, where a colour count of 0 stands for 256 colours.
void verifyIconDirectory(ByteReader &reader)
{
    QCOMPARE(reader.u16(Reserved), quint16{0});
    QCOMPARE(reader.u16(ResourceType), quint16{1}); // icons, not cursors
    QCOMPARE(reader.u16(Count), quint16{1});
    constexpr qsizetype entry = iconDirectorySize;
    QCOMPARE(reader.u8(entry + Width), quint8{iconSide});
    QCOMPARE(reader.u8(entry + Height), quint8{iconSide});
    QCOMPARE(reader.u8(entry + ColourCount), quint8{0});
    QCOMPARE(reader.u8(entry + EntryReserved), quint8{0});
    QCOMPARE(reader.u16(entry + Planes), quint16{1});
    QCOMPARE(reader.u16(entry + BitCount), quint16{iconBitsPerPixel});
    QVERIFY2(reader.ok(), qPrintable(reader.error()));
}

QByteArray readFile(const QString &path)
{
    QFile file{path};
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestVersionResource final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fixedPart();
    void stringTable_data();
    void stringTable();
    void stringTableHoldsNothingElse();
    void translation();
    void iconGroup();
    void iconImage_data();
    void iconImage();
    void iconFile();
    void windowIcon();

private:
    void requireCompiledResources();
    std::optional<Resource> find(quint16 type, const ResourceId &name) const;
    std::optional<Resource> mainIconPicture() const;
    const VersionNode *stringTableNode() const;

    QTemporaryDir m_workDir;
    bool m_compiled = false;
    QList<Resource> m_resources;
    VersionNode m_versionRoot;
};

void TestVersionResource::initTestCase()
{
    QVERIFY(m_workDir.isValid());
    const QString compiler = QString::fromUtf8(HIRELINGS_WINDRES);
    if (compiler.isEmpty())
        return; // the tests of the compiled block skip themselves

    const QString output = m_workDir.filePath(u"hirelings.res"_qs);
    QProcess process;
    process.start(compiler, {u"--preprocessor"_qs, QString::fromUtf8(HIRELINGS_RC_PREPROCESSOR),
                             u"--preprocessor-arg=-E"_qs, u"--preprocessor-arg=-xc"_qs,
                             u"--preprocessor-arg=-DRC_INVOKED"_qs, u"-O"_qs, u"res"_qs, u"-i"_qs,
                             QString::fromUtf8(HIRELINGS_RC_FILE), u"-o"_qs, output});
    QVERIFY2(process.waitForFinished(compilerTimeoutMs), qPrintable(process.errorString()));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAllStandardError().constData());

    ByteReader reader{readFile(output)};
    QVERIFY(reader.size() > 0);
    m_resources = readResFile(reader);
    QVERIFY2(reader.ok(), qPrintable(reader.error()));

    const std::optional<Resource> version = find(rtVersion, {versionInfoId, {}});
    QVERIFY(version.has_value());
    QCOMPARE(version->language, russianLanguage);
    ByteReader versionReader{version->data};
    m_versionRoot = readVersionNode(versionReader, 0, version->data.size(), 0);
    QVERIFY2(versionReader.ok(), qPrintable(versionReader.error()));
    QCOMPARE(m_versionRoot.key, u"VS_VERSION_INFO"_qs);
    m_compiled = true;
}

void TestVersionResource::requireCompiledResources()
{
    if (QString::fromUtf8(HIRELINGS_WINDRES).isEmpty())
        QSKIP("no resource compiler was found when the build was configured");
    QVERIFY2(m_compiled, "the resource script did not compile");
}

std::optional<Resource> TestVersionResource::find(quint16 type, const ResourceId &name) const
{
    for (const Resource &resource : m_resources)
        if (resource.type.ordinal == type && resource.name.ordinal == name.ordinal &&
            resource.name.name == name.name)
            return resource;
    return std::nullopt;
}

// The RT_ICON resource that the single entry of the group MAINICON names by its number.
std::optional<Resource> TestVersionResource::mainIconPicture() const
{
    const std::optional<Resource> group = find(rtGroupIcon, {0, u"MAINICON"_qs});
    if (!group.has_value())
        return std::nullopt;
    ByteReader reader{group->data};
    const quint16 iconId = reader.u16(iconDirectorySize + PictureOffsetOrId);
    if (!reader.ok())
        return std::nullopt;
    return find(rtIcon, {iconId, {}});
}

const VersionNode *TestVersionResource::stringTableNode() const
{
    const VersionNode *stringFileInfo = m_versionRoot.child(u"StringFileInfo"_qs);
    if (stringFileInfo == nullptr || stringFileInfo->children.size() != 1)
        return nullptr;
    return stringFileInfo->child(u"041904E3"_qs);
}

void TestVersionResource::fixedPart()
{
    requireCompiledResources();
    ByteReader fixed{m_versionRoot.value};
    QCOMPARE(m_versionRoot.value.size(), qsizetype{fixedInfoSize});
    QCOMPARE(fixed.u32(Signature), fixedInfoSignature);
    QCOMPARE(fixed.u32(StructVersion), fixedInfoStructVersion);
    // Versions are two DWORDs each, major.minor then build.revision: 1.1.0.0.
    constexpr quint32 oneDotOne = 0x00010001;
    constexpr quint32 allDefinedFlags = 0x3F;
    constexpr quint32 windows32 = 0x4;
    constexpr quint32 application = 0x1;
    QCOMPARE(fixed.u32(FileVersionHigh), oneDotOne);
    QCOMPARE(fixed.u32(FileVersionLow), quint32{0});
    QCOMPARE(fixed.u32(ProductVersionHigh), oneDotOne);
    QCOMPARE(fixed.u32(ProductVersionLow), quint32{0});
    QCOMPARE(fixed.u32(FlagMask), allDefinedFlags);
    QCOMPARE(fixed.u32(Flags), quint32{0});
    QCOMPARE(fixed.u32(OperatingSystem), windows32);
    QCOMPARE(fixed.u32(FileType), application);
    QCOMPARE(fixed.u32(FileSubtype), quint32{0});
    QCOMPARE(fixed.u32(FileDateHigh), quint32{0});
    QCOMPARE(fixed.u32(FileDateLow), quint32{0});
    QVERIFY2(fixed.ok(), qPrintable(fixed.error()));
}

void TestVersionResource::stringTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CompanyName") << u"CompanyName"_qs << u"Студия «Кремень»"_qs;
    QTest::newRow("FileDescription") << u"FileDescription"_qs << u"Список наемников ZOLT и KREV"_qs;
    QTest::newRow("FileVersion") << u"FileVersion"_qs << u"1.1.0.0"_qs;
    QTest::newRow("InternalName") << u"InternalName"_qs << QString{};
    QTest::newRow("LegalCopyright") << u"LegalCopyright"_qs << u"© 2026 Студия «Кремень»"_qs;
    QTest::newRow("LegalTrademarks")
        << u"LegalTrademarks"_qs << u"Ксарон, ZOLT и KREV — названия игры и агентств наемников"_qs;
    QTest::newRow("OriginalFilename") << u"OriginalFilename"_qs << u"hirelings.exe"_qs;
    QTest::newRow("ProductName") << u"ProductName"_qs << QString{};
    QTest::newRow("ProductVersion: one, not the full version") << u"ProductVersion"_qs << u"1"_qs;
    QTest::newRow("Comments") << u"Comments"_qs << u"База данных по наемникам для игры Ксарон"_qs;
}

void TestVersionResource::stringTable()
{
    requireCompiledResources();
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const VersionNode *table = stringTableNode();
    QVERIFY2(table != nullptr, "one string table, 041904E3");
    const VersionNode *entry = table->child(key);
    QVERIFY2(entry != nullptr, qPrintable(key));
    QCOMPARE(entry->type, textValueType);
    QCOMPARE(entry->text(), expected);
}

void TestVersionResource::stringTableHoldsNothingElse()
{
    requireCompiledResources();
    const VersionNode *table = stringTableNode();
    QVERIFY2(table != nullptr, "one string table, 041904E3");
    QStringList keys;
    for (const VersionNode &entry : table->children)
        keys.append(entry.key);
    keys.sort();
    const QStringList expected{u"Comments"_qs,        u"CompanyName"_qs,      u"FileDescription"_qs,
                               u"FileVersion"_qs,     u"InternalName"_qs,     u"LegalCopyright"_qs,
                               u"LegalTrademarks"_qs, u"OriginalFilename"_qs, u"ProductName"_qs,
                               u"ProductVersion"_qs};
    QCOMPARE(keys, expected);
}

void TestVersionResource::translation()
{
    requireCompiledResources();
    const VersionNode *varFileInfo = m_versionRoot.child(u"VarFileInfo"_qs);
    QVERIFY(varFileInfo != nullptr);
    QCOMPARE(varFileInfo->children.size(), qsizetype{1});
    const VersionNode &translation = varFileInfo->children.front();
    QCOMPARE(translation.key, u"Translation"_qs);
    ByteReader pair{translation.value};
    QCOMPARE(translation.value.size(), qsizetype{4}); // exactly one language and code page
    QCOMPARE(pair.u16(TranslationLanguage), russianLanguage);
    QCOMPARE(pair.u16(TranslationCodePage), codePage1251);
}

void TestVersionResource::iconGroup()
{
    requireCompiledResources();
    const std::optional<Resource> group = find(rtGroupIcon, {0, u"MAINICON"_qs});
    QVERIFY2(group.has_value(), "icon group MAINICON");
    QCOMPARE(group->language, russianLanguage);

    ByteReader reader{group->data};
    QCOMPARE(group->data.size(), qsizetype{iconDirectorySize + groupIconEntrySize});
    verifyIconDirectory(reader);
    if (QTest::currentTestFailed())
        return;
    const quint32 bytes = reader.u32(iconDirectorySize + BytesInResource);

    const std::optional<Resource> icon = mainIconPicture();
    QVERIFY2(icon.has_value(), "the picture the group points to");
    QCOMPARE(icon->language, russianLanguage);
    QCOMPARE(icon->data.size(), qsizetype{bytes});
}

void TestVersionResource::iconImage_data()
{
    QTest::addColumn<bool>("fromCompiledResource");
    QTest::newRow("compiled resource") << true;
    QTest::newRow("icon file") << false;
}

void TestVersionResource::iconImage()
{
    QFETCH(bool, fromCompiledResource);
    QByteArray image;
    if (fromCompiledResource) {
        requireCompiledResources();
        const std::optional<Resource> icon = mainIconPicture();
        QVERIFY2(icon.has_value(), "the picture of the icon group MAINICON");
        image = icon->data;
    } else {
        ByteReader file{readFile(QString::fromUtf8(HIRELINGS_ICO_FILE))};
        constexpr qsizetype entry = iconDirectorySize;
        image = file.bytes(file.u32(entry + PictureOffsetOrId), file.u32(entry + BytesInResource),
                           u"icon picture"_qs);
        QVERIFY2(file.ok(), qPrintable(file.error()));
    }
    verifyIconImage(image);
}

void TestVersionResource::iconFile()
{
    const QByteArray bytes = readFile(QString::fromUtf8(HIRELINGS_ICO_FILE));
    ByteReader reader{bytes};
    verifyIconDirectory(reader);
    if (QTest::currentTestFailed())
        return;
    constexpr qsizetype entry = iconDirectorySize;
    QCOMPARE(reader.u32(entry + BytesInResource), quint32{iconImageBytes});
    QCOMPARE(reader.u32(entry + PictureOffsetOrId),
             quint32{iconDirectorySize + iconDirectoryEntrySize});
    QCOMPARE(bytes.size(), qsizetype{iconDirectorySize + iconDirectoryEntrySize + iconImageBytes});
    QVERIFY2(reader.ok(), qPrintable(reader.error()));

    // Qt's own reader must see the same picture: a 32 × 32 icon with transparency.
    const QImage decoded = QImage::fromData(bytes, "ICO");
    if (decoded.isNull())
        QSKIP("this Qt has no ICO image reader");
    QCOMPARE(decoded.size(), QSize(iconSide, iconSide));
    QVERIFY(decoded.hasAlphaChannel());
}

void TestVersionResource::windowIcon()
{
    const QImage icon{u":/icons/hirelings.png"_qs};
    QVERIFY2(!icon.isNull(), "the window icon resource");
    QCOMPARE(icon.width(), icon.height());
    QVERIFY(icon.width() >= iconSide);
    QVERIFY(icon.hasAlphaChannel());
}

QTEST_GUILESS_MAIN(TestVersionResource)
#include "tst_versionresource.moc"
