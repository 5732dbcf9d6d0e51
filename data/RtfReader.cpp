// Reader of the rich text (RTF) in which the dossiers are written, building a QTextDocument.
#include "RtfReader.h"

#include "Windows1251.h"

#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <limits>

using namespace std::string_view_literals;

namespace {

enum class Word
{
    Unknown,
    Paragraph,
    Plain,
    FontSize,
    Italic,
    Bold,
    Underline,
    UnderlineNone,
    ColorIndex,
    FontTable,
    ColorTable,
    ColorComponent,
    Binary,
    SkippedDestination,
};

struct NamedWord
{
    std::string_view name;
    Word word;
};

constexpr std::array namedWords = {
    NamedWord{"par"sv, Word::Paragraph},
    NamedWord{"plain"sv, Word::Plain},
    NamedWord{"fs"sv, Word::FontSize},
    NamedWord{"i"sv, Word::Italic},
    NamedWord{"b"sv, Word::Bold},
    NamedWord{"ul"sv, Word::Underline},
    NamedWord{"ulnone"sv, Word::UnderlineNone},
    NamedWord{"cf"sv, Word::ColorIndex},
    NamedWord{"fonttbl"sv, Word::FontTable},
    NamedWord{"colortbl"sv, Word::ColorTable},
    NamedWord{"red"sv, Word::ColorComponent},
    NamedWord{"green"sv, Word::ColorComponent},
    NamedWord{"blue"sv, Word::ColorComponent},
    NamedWord{"bin"sv, Word::Binary},
    // Destinations that hold nothing to show in a read-only text view.
    NamedWord{"stylesheet"sv, Word::SkippedDestination},
    NamedWord{"info"sv, Word::SkippedDestination},
    NamedWord{"pict"sv, Word::SkippedDestination},
    NamedWord{"object"sv, Word::SkippedDestination},
    NamedWord{"fldinst"sv, Word::SkippedDestination},
    NamedWord{"fname"sv, Word::SkippedDestination},
    NamedWord{"falt"sv, Word::SkippedDestination},
    NamedWord{"panose"sv, Word::SkippedDestination},
    NamedWord{"filetbl"sv, Word::SkippedDestination},
    NamedWord{"listtable"sv, Word::SkippedDestination},
    NamedWord{"listoverridetable"sv, Word::SkippedDestination},
    NamedWord{"revtbl"sv, Word::SkippedDestination},
    NamedWord{"rsidtbl"sv, Word::SkippedDestination},
    NamedWord{"latentstyles"sv, Word::SkippedDestination},
    NamedWord{"themedata"sv, Word::SkippedDestination},
    NamedWord{"colorschememapping"sv, Word::SkippedDestination},
    NamedWord{"datastore"sv, Word::SkippedDestination},
    NamedWord{"generator"sv, Word::SkippedDestination},
    NamedWord{"header"sv, Word::SkippedDestination},
    NamedWord{"headerl"sv, Word::SkippedDestination},
    NamedWord{"headerr"sv, Word::SkippedDestination},
    NamedWord{"headerf"sv, Word::SkippedDestination},
    NamedWord{"footer"sv, Word::SkippedDestination},
    NamedWord{"footerl"sv, Word::SkippedDestination},
    NamedWord{"footerr"sv, Word::SkippedDestination},
    NamedWord{"footerf"sv, Word::SkippedDestination},
    NamedWord{"footnote"sv, Word::SkippedDestination},
};

struct NamedCharacter
{
    std::string_view name;
    char16_t character;
};

// clang-format off
constexpr std::array namedCharacters = {
    NamedCharacter{"tab"sv, u'\t'},
    NamedCharacter{"line"sv, QChar::LineSeparator},
    NamedCharacter{"emdash"sv, u'\u2014'},
    NamedCharacter{"endash"sv, u'\u2013'},
    NamedCharacter{"emspace"sv, u'\u2003'},
    NamedCharacter{"enspace"sv, u'\u2002'},
    NamedCharacter{"bullet"sv, u'\u2022'},
    NamedCharacter{"lquote"sv, u'\u2018'},
    NamedCharacter{"rquote"sv, u'\u2019'},
    NamedCharacter{"ldblquote"sv, u'\u201C'},
    NamedCharacter{"rdblquote"sv, u'\u201D'},
};
// clang-format on

constexpr char16_t nonBreakingSpace = u'\u00A0';
constexpr char16_t softHyphen = u'\u00AD';
constexpr char16_t nonBreakingHyphen = u'\u2011';

constexpr int maxColorComponent = 255;
constexpr int halfPointsPerPoint = 2;
constexpr int decimalBase = 10;
constexpr int hexBase = 16;

constexpr std::string_view rtfSignature = "{\\rtf"sv;

Word wordNamed(std::string_view name)
{
    const auto found = std::find_if(namedWords.begin(), namedWords.end(),
                                    [name](const NamedWord &entry) { return entry.name == name; });
    return found == namedWords.end() ? Word::Unknown : found->word;
}

std::optional<char16_t> characterNamed(std::string_view name)
{
    const auto found =
        std::find_if(namedCharacters.begin(), namedCharacters.end(),
                     [name](const NamedCharacter &entry) { return entry.name == name; });
    if (found == namedCharacters.end())
        return std::nullopt;
    return found->character;
}

bool isLetter(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

std::optional<int> hexValue(char byte)
{
    if (isDigit(byte))
        return byte - '0';
    if (byte >= 'a' && byte <= 'f')
        return byte - 'a' + decimalBase;
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + decimalBase;
    return std::nullopt;
}

// A toggle such as \i is on without a parameter and with any parameter but zero.
bool toggleValue(std::optional<int> parameter)
{
    return !parameter || *parameter != 0;
}

} // namespace

std::optional<QString> RtfReader::read(QByteArrayView rtf, QTextDocument &document)
{
    // Building a document for display has nothing to undo, and an undo stack would only hold a
    // second copy of the text.
    const bool undoRedoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();

    std::optional<QString> error;
    {
        RtfReader reader(rtf, document);
        reader.m_cursor.beginEditBlock();
        if (!reader.parse())
            error = reader.m_error;
        reader.m_cursor.endEditBlock();
    }
    if (error)
        document.clear();

    document.setUndoRedoEnabled(undoRedoEnabled);
    return error;
}

QString RtfReader::plainText(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    QString text = Windows1251::decode(zero < 0 ? bytes : bytes.first(zero));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

RtfReader::RtfReader(QByteArrayView rtf, QTextDocument &document)
    : m_input(rtf), m_cursor(&document)
{
    m_groups.reserve(maxGroupDepth);
}

bool RtfReader::parse()
{
    const QByteArrayView signature(rtfSignature.data(), qsizetype(rtfSignature.size()));
    if (!m_input.startsWith(signature) ||
        (m_input.size() > signature.size() && isLetter(m_input[signature.size()])))
        return fail(0, QStringLiteral("Not an RTF document: no \"{\\rtf\""));

    while (m_pos < m_input.size()) {
        const char byte = m_input[m_pos];
        switch (byte) {
        case '{':
            if (!openGroup())
                return false;
            ++m_pos;
            break;
        case '}':
            m_groups.pop_back();
            ++m_pos;
            if (m_groups.empty()) {
                finish();
                return true;
            }
            break;
        case '\\':
            if (!readControl())
                return false;
            break;
        case '\r':
        case '\n':
            // Line ends in RTF source only wrap long lines.
            ++m_pos;
            break;
        default:
            readCharacter(Windows1251::decodeByte(static_cast<unsigned char>(byte)));
            ++m_pos;
            break;
        }
    }
    return fail(
        m_pos,
        QStringLiteral("Unexpected end of input with %1 group(s) not closed").arg(m_groups.size()));
}

bool RtfReader::openGroup()
{
    if (qsizetype(m_groups.size()) >= maxGroupDepth)
        return fail(m_pos, QStringLiteral("Groups nested deeper than %1").arg(maxGroupDepth));
    m_groups.push_back(m_groups.empty() ? GroupState{} : group());
    return true;
}

bool RtfReader::readControl()
{
    const qsizetype start = m_pos;
    ++m_pos;
    if (m_pos >= m_input.size())
        return fail(start, QStringLiteral("Backslash at the end of input"));

    const char next = m_input[m_pos];
    if (isLetter(next))
        return readControlWord(start);
    if (next == '\'')
        return readHexEscape(start);
    ++m_pos;
    applyControlSymbol(next);
    return true;
}

bool RtfReader::readControlWord(qsizetype start)
{
    const qsizetype nameStart = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos])) {
        if (m_pos - nameStart == maxControlWordLength)
            return fail(
                start,
                QStringLiteral("Control word longer than %1 letters").arg(maxControlWordLength));
        ++m_pos;
    }
    const std::string_view word(m_input.data() + nameStart, std::size_t(m_pos - nameStart));

    // A minus sign belongs to the parameter only when a digit follows it.
    bool negative = false;
    if (m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    const qsizetype digitsStart = m_pos;
    qint64 value = 0;
    while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        if (m_pos - digitsStart == maxParameterDigits)
            return fail(start,
                        QStringLiteral("Number longer than %1 digits").arg(maxParameterDigits));
        value = value * decimalBase + (m_input[m_pos] - '0');
        ++m_pos;
    }
    std::optional<int> parameter;
    if (m_pos > digitsStart) {
        if (negative)
            value = -value;
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            return fail(start, QStringLiteral("Number out of range"));
        parameter = int(value);
    }

    // One space ends a control word and is not part of the text.
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;
    return applyControlWord(word, parameter, start);
}

bool RtfReader::readHexEscape(qsizetype start)
{
    constexpr qsizetype escapeLength = 4; // \'hh
    if (m_input.size() - start < escapeLength)
        return fail(start, QStringLiteral("Incomplete \\' escape"));
    const std::optional<int> high = hexValue(m_input[start + 2]);
    const std::optional<int> low = hexValue(m_input[start + 3]);
    if (!high || !low)
        return fail(start, QStringLiteral("Bad hexadecimal digits in \\' escape"));
    m_pos = start + escapeLength;
    readCharacter(Windows1251::decodeByte(static_cast<unsigned char>(*high * hexBase + *low)));
    return true;
}

bool RtfReader::applyControlWord(std::string_view word, std::optional<int> parameter,
                                 qsizetype start)
{
    const Word known = wordNamed(word);

    // Binary data is skipped wherever it stands, so that its bytes are never read as RTF.
    if (known == Word::Binary) {
        const qint64 length = parameter.value_or(0);
        if (length < 0 || length > m_input.size() - m_pos)
            return fail(
                start,
                QStringLiteral("Binary data of %1 bytes runs past the end of input").arg(length));
        m_pos += length;
        return true;
    }

    GroupState &state = group();
    if (state.destination == Destination::Skipped)
        return true;
    if (known == Word::SkippedDestination) {
        state.destination = Destination::Skipped;
        return true;
    }
    if (known == Word::FontTable) {
        state.destination = Destination::FontTable;
        return true;
    }
    if (known == Word::ColorTable) {
        state.destination = Destination::ColorTable;
        return true;
    }
    if (state.destination == Destination::ColorTable) {
        if (known == Word::ColorComponent)
            applyColorComponent(word, parameter.value_or(0));
        return true;
    }
    if (state.destination != Destination::Text)
        return true;

    if (const std::optional<char16_t> character = characterNamed(word)) {
        appendText(QChar(*character));
        return true;
    }

    CharacterFormat &format = state.format;
    switch (known) {
    case Word::Paragraph:
        endParagraph();
        break;
    case Word::Plain:
        format = CharacterFormat{};
        break;
    case Word::FontSize:
        // No size or a size below one half-point gives the document's default size back.
        format.halfPoints = std::clamp(parameter.value_or(0), 0, maxFontHalfPoints);
        break;
    case Word::Italic:
        format.italic = toggleValue(parameter);
        break;
    case Word::Bold:
        format.bold = toggleValue(parameter);
        break;
    case Word::Underline:
        format.underline = toggleValue(parameter);
        break;
    case Word::UnderlineNone:
        format.underline = false;
        break;
    case Word::ColorIndex:
        format.colorIndex = std::max(parameter.value_or(0), -1);
        break;
    default:
        // Everything else (\fN, \lang, \pard, \deftab, unknown words, ...) changes nothing
        // that this reader shows.
        break;
    }
    return true;
}

void RtfReader::applyControlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        readCharacter(QChar(char16_t(symbol)));
        break;
    case '~':
        readCharacter(QChar(nonBreakingSpace));
        break;
    case '-':
        readCharacter(QChar(softHyphen));
        break;
    case '_':
        readCharacter(QChar(nonBreakingHyphen));
        break;
    case '*':
        // \* marks a destination that a reader may skip when it does not know it; this reader
        // knows none that it would show.
        group().destination = Destination::Skipped;
        break;
    case '\r':
    case '\n':
        if (group().destination == Destination::Text)
            endParagraph();
        break;
    default:
        break;
    }
}

void RtfReader::applyColorComponent(std::string_view word, int value)
{
    const int component = std::clamp(value, 0, maxColorComponent);
    if (word == "red"sv)
        m_red = component;
    else if (word == "green"sv)
        m_green = component;
    else
        m_blue = component;
    m_colorHasComponents = true;
}

void RtfReader::readCharacter(QChar character)
{
    switch (group().destination) {
    case Destination::Text:
        appendText(character);
        break;
    case Destination::ColorTable:
        // Each entry ends with a semicolon; an entry without components is the default colour.
        if (character == u';') {
            m_colors.append(m_colorHasComponents ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colorHasComponents = false;
        }
        break;
    case Destination::FontTable:
    case Destination::Skipped:
        break;
    }
}

void RtfReader::appendText(QChar character)
{
    // Control characters would otherwise turn into paragraph breaks or invisible garbage in the
    // document; only the tab is text.
    if (character.unicode() < u' ' && character != u'\t')
        return;
    if (group().format != m_pendingFormat)
        flushText();
    m_pendingFormat = group().format;
    m_pendingText.append(character);
    m_paragraphJustEnded = false;
}

void RtfReader::endParagraph()
{
    flushText();
    const QTextCharFormat format = charFormat(group().format);
    if (!m_firstBlockFormatted) {
        m_cursor.setBlockCharFormat(format);
        m_firstBlockFormatted = true;
    }
    // The new block takes the current format so that an empty line is as high as its text.
    m_cursor.insertBlock(QTextBlockFormat(), format);
    m_paragraphJustEnded = true;
}

void RtfReader::flushText()
{
    if (m_pendingText.isEmpty())
        return;
    const QTextCharFormat format = charFormat(m_pendingFormat);
    if (!m_firstBlockFormatted) {
        m_cursor.setBlockCharFormat(format);
        m_firstBlockFormatted = true;
    }
    m_cursor.insertText(m_pendingText, format);
    m_pendingText.clear();
}

void RtfReader::finish()
{
    flushText();
    // \par ends a paragraph rather than starting one, so the last \par leaves no empty line.
    if (m_paragraphJustEnded)
        m_cursor.deletePreviousChar();
}

bool RtfReader::fail(qsizetype offset, const QString &what)
{
    m_error = QStringLiteral("%1 at offset %2").arg(what, QString::number(offset));
    return false;
}

QTextCharFormat RtfReader::charFormat(const CharacterFormat &format) const
{
    QTextCharFormat result;
    if (format.italic)
        result.setFontItalic(true);
    if (format.bold)
        result.setFontWeight(QFont::Bold);
    if (format.underline)
        result.setFontUnderline(true);
    if (format.halfPoints > 0)
        result.setFontPointSize(double(format.halfPoints) / halfPointsPerPoint);
    if (format.colorIndex >= 0 && format.colorIndex < m_colors.size() &&
        m_colors.at(format.colorIndex).isValid())
        result.setForeground(m_colors.at(format.colorIndex));
    return result;
}
