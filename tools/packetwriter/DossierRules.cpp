// The form every dossier must have: the RTF subset the program's dossier view reads.
#include "DossierRules.h"

#include "ProfileFacts.h"

#include <QSet>

namespace {

constexpr char groupOpen = '{';
constexpr char groupClose = '}';
constexpr char escapeMark = '\\';
constexpr char hexEscape = '\'';
constexpr char destinationMark = '*';
constexpr char printableFirst = 0x20;
constexpr char printableLast = 0x7E;
constexpr int hexDigits = 2;
constexpr int firstNonAscii = 0x80;
constexpr int textSize = 16; // \fs16: 8-point text
constexpr int cyrillicCharset = 204;

const QSet<QByteArray> &allowedWords()
{
    static const QSet<QByteArray> words = {
        "rtf",    "ansi",  "deff",     "deftab",   "fonttbl", "fname", "fnil", "fswiss",
        "froman", "fprq",  "fcharset", "colortbl", "red",     "green", "blue", "deflang",
        "pard",   "plain", "f",        "fs",       "i",       "lang",  "par",
    };
    return words;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Walks the document once, token by token, and notes every departure from the subset.
class Scanner final
{
public:
    explicit Scanner(QByteArrayView rtf) : m_rtf(rtf) {}

    QStringList run()
    {
        // The final zero byte is part of the value but not of the document.
        const qsizetype end = m_rtf.size() - 1;
        int depth = 0;
        qsizetype pos = 0;
        while (pos < end) {
            const char c = m_rtf.at(pos);
            if (c == groupOpen) {
                ++depth;
                ++pos;
            } else if (c == groupClose) {
                --depth;
                if (depth < 0)
                    note(pos, u"a closing brace without an opening one"_qs);
                if (depth == 0 && m_rtf.sliced(pos + 1, end - pos - 1) != "\r\n")
                    note(
                        pos,
                        u"the document's closing brace is not followed by CR LF and the final zero"_qs);
                ++pos;
            } else if (c == escapeMark) {
                pos = readControl(pos);
            } else if (c == '\r' || c == '\n' || (c >= printableFirst && c <= printableLast)) {
                ++pos;
            } else {
                note(pos, u"byte 0x%1 is neither printable ASCII nor a line end"_qs.arg(
                              static_cast<int>(static_cast<unsigned char>(c)), hexDigits, 16,
                              QLatin1Char('0')));
                ++pos;
            }
        }
        if (depth != 0)
            note(end, u"%1 group(s) left open"_qs.arg(depth));
        if (!m_sawCyrillicFont)
            note(0, u"no font of the font table declares \\fcharset204"_qs);
        if (!m_sawItalicFirstLine)
            note(0, u"the first paragraph (the source of the text) is not italic"_qs);
        return m_problems;
    }

private:
    void note(qsizetype offset, const QString &what)
    {
        m_problems << u"byte %1: %2"_qs.arg(offset).arg(what);
    }

    qsizetype readControl(qsizetype start)
    {
        const qsizetype end = m_rtf.size() - 1;
        qsizetype pos = start + 1;
        if (pos >= end) {
            note(start, u"a backslash at the end of the document"_qs);
            return end;
        }
        const char c = m_rtf.at(pos);
        if (c == hexEscape) {
            if (pos + hexDigits >= end || hexValue(m_rtf.at(pos + 1)) < 0 ||
                hexValue(m_rtf.at(pos + 2)) < 0) {
                note(start, u"\\' is not followed by two hexadecimal digits"_qs);
                return pos + 1;
            }
            const int code = hexValue(m_rtf.at(pos + 1)) * 16 + hexValue(m_rtf.at(pos + 2));
            if (code < firstNonAscii)
                note(start, u"\\'%1 escapes an ASCII character, which is written as itself"_qs.arg(
                                code, hexDigits, 16, QLatin1Char('0')));
            return pos + 1 + hexDigits;
        }
        if (c == destinationMark)
            return pos + 1;
        if (!isLetter(c)) {
            note(start, u"control symbol \\%1 is not used in dossiers"_qs.arg(QLatin1Char(c)));
            return pos + 1;
        }
        const qsizetype wordStart = pos;
        while (pos < end && isLetter(m_rtf.at(pos)))
            ++pos;
        const QByteArray word = m_rtf.sliced(wordStart, pos - wordStart).toByteArray();
        qsizetype numberStart = pos;
        if (pos < end && m_rtf.at(pos) == '-')
            ++pos;
        while (pos < end && isDigit(m_rtf.at(pos)))
            ++pos;
        const QByteArray number = m_rtf.sliced(numberStart, pos - numberStart).toByteArray();
        if (pos < end && m_rtf.at(pos) == ' ')
            ++pos; // the delimiting space belongs to the control word
        controlWord(start, word, number);
        return pos;
    }

    void controlWord(qsizetype offset, const QByteArray &word, const QByteArray &number)
    {
        if (!allowedWords().contains(word)) {
            note(offset,
                 u"control word \\%1 is not used in dossiers"_qs.arg(QString::fromLatin1(word)));
            return;
        }
        if (word == "fs" && number.toInt() != textSize)
            note(offset,
                 u"text size \\fs%1; dossiers use \\fs%2"_qs.arg(QString::fromLatin1(number))
                     .arg(textSize));
        if (word == "fcharset" && number.toInt() == cyrillicCharset)
            m_sawCyrillicFont = true;
        if (word == "i" && number.isEmpty() && m_paragraphs == 0)
            m_sawItalicFirstLine = true;
        if (word == "par")
            ++m_paragraphs;
    }

    QByteArrayView m_rtf;
    QStringList m_problems;
    int m_paragraphs = 0;
    bool m_sawCyrillicFont = false;
    bool m_sawItalicFirstLine = false;
};

} // namespace

QStringList DossierRules::check(QByteArrayView rtf)
{
    QStringList problems;
    if (!rtf.startsWith(ProfileFacts::dossierStart))
        problems << u"does not begin with \"%1\""_qs.arg(
            QString::fromLatin1(ProfileFacts::dossierStart));
    if (!rtf.endsWith(ProfileFacts::dossierEnd))
        problems << u"does not end with \"\\par }\", CR, LF and one zero byte"_qs;
    if (!problems.isEmpty())
        return problems;
    const qsizetype zero = rtf.indexOf('\0');
    if (zero != rtf.size() - 1)
        problems << u"byte %1: a zero byte before the final one"_qs.arg(zero);
    if (!rtf.contains(QByteArrayView("{\\colortbl\\red0\\green0\\blue0;}")))
        problems << u"the colour table is not black only"_qs;
    problems << Scanner(rtf).run();
    return problems;
}
