// Reader of the rich text (RTF) in which the dossiers are written, building a QTextDocument.
#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;

// Reads RTF version 1 as the dossiers write it: font and colour tables, paragraphs, italic, bold
// and underlined runs, font sizes, tabs, line breaks and \'hh escapes. Every escape and every
// literal byte above 0x7F is a Windows-1251 code, whatever the run's font character set or
// language says, because that is how the dossiers were written. Font faces are not taken from the
// document: the view gives the document its own default font, and only sizes and styles are kept.
//
// Unknown control words (with their parameter) and {\*...} destinations are skipped, as are the
// destinations that hold no text to show (style sheet, information, pictures, headers, ...).
// Whatever follows the closing brace of the outermost group is ignored, so the carriage return,
// line feed and zero byte that end each stored dossier do no harm.
//
// The input is read once from start to end without recursion; nesting, control words and
// numbers are bounded, and anything that is not RTF is reported with its byte offset.
class RtfReader final
{
public:
    static constexpr qsizetype maxGroupDepth = 100;
    static constexpr qsizetype maxControlWordLength = 32;
    static constexpr qsizetype maxParameterDigits = 10;
    // The largest size that \fs may set, in half-points; larger sizes are cut down to it.
    static constexpr int maxFontHalfPoints = 3276;

    // Replaces the content of `document` with the text of `rtf`. Returns nothing on success;
    // otherwise a message that says what is wrong and at which byte offset, and the document is
    // left empty. The document's default font, undo setting and other properties are kept.
    [[nodiscard]] static std::optional<QString> read(QByteArrayView rtf, QTextDocument &document);

    // The bytes as plain Windows-1251 text up to the first zero byte, with CR LF and lone CR line
    // ends turned into '\n': what the view shows when read() reports an error.
    [[nodiscard]] static QString plainText(QByteArrayView bytes);

private:
    enum class Destination
    {
        Text,
        FontTable,
        ColorTable,
        Skipped
    };

    // Character properties that a group inherits from its parent and restores when it closes.
    struct CharacterFormat
    {
        bool italic = false;
        bool bold = false;
        bool underline = false;
        int halfPoints = 0;  // 0: the document's default size
        int colorIndex = -1; // -1: the document's default colour
        bool operator==(const CharacterFormat &) const = default;
    };

    struct GroupState
    {
        Destination destination = Destination::Text;
        CharacterFormat format;
    };

    RtfReader(QByteArrayView rtf, QTextDocument &document);

    [[nodiscard]] bool parse();
    [[nodiscard]] bool openGroup();
    [[nodiscard]] bool readControl();
    [[nodiscard]] bool readControlWord(qsizetype start);
    [[nodiscard]] bool readHexEscape(qsizetype start);
    [[nodiscard]] bool applyControlWord(std::string_view word, std::optional<int> parameter,
                                        qsizetype start);
    void applyControlSymbol(char symbol);
    void applyColorComponent(std::string_view word, int value);
    void readCharacter(QChar character);
    void appendText(QChar character);
    void endParagraph();
    void flushText();
    void finish();
    [[nodiscard]] bool fail(qsizetype offset, const QString &what);
    [[nodiscard]] QTextCharFormat charFormat(const CharacterFormat &format) const;
    [[nodiscard]] GroupState &group() { return m_groups.back(); }

    QByteArrayView m_input;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<GroupState> m_groups;
    QString m_error;

    // Text is gathered while the character format stays the same and inserted in one piece.
    QString m_pendingText;
    CharacterFormat m_pendingFormat;
    bool m_firstBlockFormatted = false;
    bool m_paragraphJustEnded = false;

    QList<QColor> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorHasComponents = false;
};
