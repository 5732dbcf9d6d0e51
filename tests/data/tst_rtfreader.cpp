// The dossier RTF reader: text, paragraphs and formats of good documents, errors for bad ones.
#include "RtfReader.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

using namespace Qt::StringLiterals;

namespace {

// A piece of text in one format, as the document holds it.
struct Run
{
    QString text;
    bool italic = false;
    bool bold = false;
    double pointSize = 0; // 0: the document's default size
    bool operator==(const Run &) const = default;
};

char *toString(const Run &run)
{
    return QTest::toString(u"\"%1\"%2%3 %4pt"_s.arg(run.text, run.italic ? u" italic"_s : QString(),
                                                    run.bold ? u" bold"_s : QString(),
                                                    QString::number(run.pointSize)));
}

Run italic8(const char16_t *text)
{
    return Run{QString::fromUtf16(text), true, false, 8};
}

Run plain8(const char16_t *text)
{
    return Run{QString::fromUtf16(text), false, false, 8};
}

// Keeps embedded zero bytes, which the dossiers end with.
template <qsizetype N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// A dossier as they are stored: header, font table with the character sets 0 (none), 2, 204
// and 1, colour table, an italic source line, Cyrillic in escapes under every font and under
// \lang1033, and the carriage return, line feed and zero byte after the closing brace.
QByteArray dossier()
{
    return bytes("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}"
                 "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fswiss\\fprq2\\fcharset204 Arial;}"
                 "{\\f3\\froman\\fcharset1 Times New Roman;}}\r\n"
                 "{\\colortbl\\red0\\green0\\blue0;}\r\n"
                 "\\deflang1049\\pard\\plain\\f2\\fs16\\i\\'c8\\'e7 \\'e0\\'f0\\'f5\\'e8\\'e2\\'e0"
                 "\\plain\\f2\\fs16\\par\r\n"
                 "\\plain\\f0\\fs16\\'d2\\'e5\\'ea\\'f1\\'f2 \\plain\\f3\\fs16\\lang1033\\'e4\\'e0"
                 "\\plain\\f1\\fs16\\'ed\\'e5\\'f2\\par }\r\n\0");
}

QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

// Adjacent fragments of equal format are joined so that the runs do not depend on how the
// document happens to split its storage; runs never cross a paragraph.
QList<Run> runsOf(const QTextDocument &document)
{
    QList<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        bool blockStart = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const Run run{fragment.text(), format.fontItalic(), format.fontWeight() == QFont::Bold,
                          format.fontPointSize()};
            if (!blockStart && !runs.isEmpty() && runs.last().italic == run.italic &&
                runs.last().bold == run.bold && runs.last().pointSize == run.pointSize)
                runs.last().text += run.text;
            else
                runs.append(run);
            blockStart = false;
        }
    }
    return runs;
}

} // namespace

Q_DECLARE_METATYPE(Run)

class RtfReaderTest final : public QObject
{
    Q_OBJECT

private slots:
    void readsTextAndParagraphs_data();
    void readsTextAndParagraphs();
    void keepsItalicBoldAndSizes_data();
    void keepsItalicBoldAndSizes();
    void appliesTheColourTable();
    void replacesContentAndKeepsDocumentSettings();
    void reportsMalformedInput_data();
    void reportsMalformedInput();
    void readsEveryStoredDossier();
    void readsLargeInput();
    void plainTextFallback_data();
    void plainTextFallback();
};

void RtfReaderTest::readsTextAndParagraphs_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("blocks");

    QTest::newRow("stored dossier") << dossier() << QStringList{u"Из архива"_s, u"Текст данет"_s};
    QTest::newRow("minimal") << bytes("{\\rtf1 Hello}") << QStringList{u"Hello"_s};
    QTest::newRow("one space ends a control word")
        << bytes("{\\rtf1\\i  two}") << QStringList{u" two"_s};
    QTest::newRow("upper and lower case escapes")
        << bytes("{\\rtf1 \\'C0\\'e0\\'A8\\'b8}") << QStringList{u"АаЁё"_s};
    QTest::newRow("literal Windows-1251 bytes")
        << bytes("{\\rtf1 \xc0\xe0 \xb9}") << QStringList{u"Аа №"_s};
    QTest::newRow("escaped backslash and braces")
        << bytes("{\\rtf1 a\\\\b\\{c\\}}") << QStringList{u"a\\b{c}"_s};
    QTest::newRow("tab and line break")
        << bytes("{\\rtf1 a\\tab b\\line c}") << QStringList{u"a\tb\u2028c"_s};
    QTest::newRow("special spaces and hyphens")
        << bytes("{\\rtf1 a\\~b\\_c\\-d}") << QStringList{u"a\u00a0b\u2011c\u00add"_s};
    QTest::newRow("source line ends are not text")
        << bytes("{\\rtf1 a\r\nb\rc\nd}") << QStringList{u"abcd"_s};
    QTest::newRow("escaped control codes are dropped")
        << bytes("{\\rtf1 a\\'0d\\'0a\\'00b}") << QStringList{u"ab"_s};
    QTest::newRow("backslash before a line end is a paragraph")
        << bytes("{\\rtf1 a\\\r\nb}") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty paragraph kept, final \\par adds no line")
        << bytes("{\\rtf1 a\\par\\par b\\par}") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("\\par alone") << bytes("{\\rtf1\\par}") << QStringList{QString()};
    QTest::newRow("no text") << bytes("{\\rtf1}") << QStringList{QString()};
    QTest::newRow("whatever follows the closing brace")
        << bytes("{\\rtf1 a}}\\'zz{\\rtf1 b}\r\n\0{") << QStringList{u"a"_s};
    QTest::newRow("unknown control words and parameters")
        << bytes("{\\rtf1 a\\foo12 b\\bar-5 c\\baz d\\qux-e}") << QStringList{u"abcd-e"_s};
    QTest::newRow("control word of the longest length")
        << QByteArray("{\\rtf1 a\\" + QByteArray(RtfReader::maxControlWordLength, 'x') + " b}")
        << QStringList{u"ab"_s};
    QTest::newRow("unknown control symbols") << bytes("{\\rtf1 a\\|\\:b}") << QStringList{u"ab"_s};
    QTest::newRow("ignorable destination")
        << bytes("{\\rtf1 a{\\*\\foo hidden {\\i nested} \\par \\'e0}b}") << QStringList{u"ab"_s};
    QTest::newRow("destinations without text to show")
        << bytes("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}a{\\pict\\pngblip 8950}"
                 "{\\header H}b}")
        << QStringList{u"ab"_s};
    QTest::newRow("font table inside destinations stays hidden")
        << bytes("{\\rtf1{\\*\\x{\\fonttbl{\\f0 F;}}}{\\info{\\colortbl;}text}a}")
        << QStringList{u"a"_s};
    QTest::newRow("binary data is skipped, braces in it included")
        << bytes("{\\rtf1 a{\\pict\\bin3 }{\\}b\\bin0 c}") << QStringList{u"abc"_s};
    QTest::newRow("groups nested as deep as allowed")
        << QByteArray("{\\rtf1" + QByteArray(RtfReader::maxGroupDepth - 1, '{') + "a" +
                      QByteArray(RtfReader::maxGroupDepth, '}'))
        << QStringList{u"a"_s};
}

void RtfReaderTest::readsTextAndParagraphs()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, blocks);

    QTextDocument document;
    const std::optional<QString> error = RtfReader::read(rtf, document);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(blockTexts(document), blocks);
}

void RtfReaderTest::keepsItalicBoldAndSizes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<Run>>("runs");

    QTest::newRow("stored dossier")
        << dossier() << QList<Run>{italic8(u"Из архива"), plain8(u"Текст данет")};
    QTest::newRow("a group restores the format around it")
        << bytes("{\\rtf1\\fs20 a{\\i\\fs30 b}c}")
        << QList<Run>{
               {u"a"_s, false, false, 10}, {u"b"_s, true, false, 15}, {u"c"_s, false, false, 10}};
    QTest::newRow("\\i0 ends italic, \\plain ends everything")
        << bytes("{\\rtf1\\i\\b\\fs16 a\\i0 b\\plain c}")
        << QList<Run>{{u"a"_s, true, true, 8}, {u"b"_s, false, true, 8}, {u"c"_s, false, false, 0}};
    QTest::newRow("toggles with parameters")
        << bytes("{\\rtf1\\i1 a\\i0\\b2 b\\b0 c}")
        << QList<Run>{
               {u"a"_s, true, false, 0}, {u"b"_s, false, true, 0}, {u"c"_s, false, false, 0}};
    QTest::newRow("odd half-points")
        << bytes("{\\rtf1\\fs17 a}") << QList<Run>{{u"a"_s, false, false, 8.5}};
    QTest::newRow("sizes without value, negative or too large")
        << bytes("{\\rtf1\\fs16 a\\fs b\\fs16 c\\fs-4 d\\fs99999 e}")
        << QList<Run>{{u"a"_s, false, false, 8},
                      {u"b"_s, false, false, 0},
                      {u"c"_s, false, false, 8},
                      {u"d"_s, false, false, 0},
                      {u"e"_s, false, false, RtfReader::maxFontHalfPoints / 2.0}};
    QTest::newRow("format of each paragraph")
        << bytes("{\\rtf1\\i\\fs16 a\\par\\plain b\\par}")
        << QList<Run>{{u"a"_s, true, false, 8}, {u"b"_s, false, false, 0}};
}

void RtfReaderTest::keepsItalicBoldAndSizes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<Run>, runs);

    QTextDocument document;
    const std::optional<QString> error = RtfReader::read(rtf, document);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(runsOf(document), runs);
}

void RtfReaderTest::appliesTheColourTable()
{
    QTextDocument document;
    const std::optional<QString> error =
        RtfReader::read(bytes("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue300;}"
                              "\\cf1 a\\cf2 b\\cf0 c\\cf9 d}"),
                        document);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(document.toPlainText(), u"abcd"_s);

    // Entry 0 is the default colour; an index past the table leaves the default too.
    const QList<QColor> expected{QColor(255, 0, 0), QColor(0, 0, 255), QColor(), QColor()};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTextCursor cursor(&document);
        cursor.setPosition(int(i + 1));
        const QTextCharFormat format = cursor.charFormat();
        if (expected.at(i).isValid())
            QCOMPARE(format.foreground().color(), expected.at(i));
        else
            QVERIFY2(!format.hasProperty(QTextFormat::ForegroundBrush),
                     qPrintable(QString::number(i)));
    }
}

void RtfReaderTest::replacesContentAndKeepsDocumentSettings()
{
    QTextDocument document;
    QFont font(u"Sans"_s);
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setPlainText(u"earlier dossier"_s);
    QVERIFY(document.isUndoRedoEnabled());

    QVERIFY(!RtfReader::read(bytes("{\\rtf1\\fs16 new}"), document));
    QCOMPARE(document.toPlainText(), u"new"_s);
    QCOMPARE(document.defaultFont(), font);
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(!document.isUndoAvailable());
}

void RtfReaderTest::reportsMalformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<QString>("what");

    const QString notRtf = u"Not an RTF document"_s;
    QTest::newRow("empty") << QByteArray() << qsizetype(0) << notRtf;
    QTest::newRow("plain text") << bytes("Hello") << qsizetype(0) << notRtf;
    QTest::newRow("other control word first") << bytes("{\\rtfx1 a}") << qsizetype(0) << notRtf;
    QTest::newRow("leading space") << bytes(" {\\rtf1 a}") << qsizetype(0) << notRtf;
    QTest::newRow("group never closed")
        << bytes("{\\rtf1 abc") << qsizetype(10) << u"1 group(s) not closed"_s;
    QTest::newRow("inner group never closed")
        << bytes("{\\rtf1 {\\i a") << qsizetype(12) << u"2 group(s) not closed"_s;
    QTest::newRow("stored value cut short")
        << dossier().first(dossier().size() - 5) << qsizetype(dossier().size() - 5)
        << u"1 group(s) not closed"_s;
    QTest::newRow("backslash at the end")
        << bytes("{\\rtf1 a\\") << qsizetype(8) << u"Backslash at the end"_s;
    QTest::newRow("escape with letters that are not hexadecimal")
        << bytes("{\\rtf1 \\'zz}") << qsizetype(7) << u"Bad hexadecimal"_s;
    QTest::newRow("escape with one digit")
        << bytes("{\\rtf1 \\'4}") << qsizetype(7) << u"Bad hexadecimal"_s;
    QTest::newRow("escape cut by the end")
        << bytes("{\\rtf1 \\'4") << qsizetype(7) << u"Incomplete"_s;
    QTest::newRow("bad escape in a skipped destination")
        << bytes("{\\rtf1 {\\*\\x \\'g0}}") << qsizetype(13) << u"Bad hexadecimal"_s;
    QTest::newRow("control word too long")
        << QByteArray("{\\rtf1 \\" + QByteArray(RtfReader::maxControlWordLength + 1, 'x') + "}")
        << qsizetype(7) << u"Control word longer"_s;
    QTest::newRow("number too long")
        << bytes("{\\rtf1 \\fs12345678901 a}") << qsizetype(7) << u"Number longer"_s;
    QTest::newRow("number out of range")
        << bytes("{\\rtf1 \\fs-9999999999 a}") << qsizetype(7) << u"Number out of range"_s;
    QTest::newRow("binary data past the end")
        << bytes("{\\rtf1 \\bin10 abc}") << qsizetype(7) << u"runs past the end"_s;
    QTest::newRow("negative binary length")
        << bytes("{\\rtf1 \\bin-1 a}") << qsizetype(7) << u"runs past the end"_s;

    // The group that would be one too deep opens at offset 6 + maxGroupDepth - 1.
    const qsizetype tooDeep = 6 + RtfReader::maxGroupDepth - 1;
    QTest::newRow("one group too deep")
        << QByteArray("{\\rtf1" + QByteArray(RtfReader::maxGroupDepth, '{') +
                      QByteArray(RtfReader::maxGroupDepth + 1, '}'))
        << tooDeep << u"nested deeper"_s;
    QTest::newRow("100000 opening braces")
        << QByteArray("{\\rtf1" + QByteArray(100000, '{')) << tooDeep << u"nested deeper"_s;
}

void RtfReaderTest::reportsMalformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qsizetype, offset);
    QFETCH(QString, what);

    QTextDocument document;
    document.setPlainText(u"earlier dossier"_s);
    const std::optional<QString> error = RtfReader::read(rtf, document);
    QVERIFY(error);
    QVERIFY2(error->contains(what), qPrintable(*error));
    QVERIFY2(error->endsWith(u" at offset %1"_s.arg(offset)), qPrintable(*error));
    QVERIFY(document.isEmpty());
}

// The dossiers in the sources, as the packet stores them: each one reads as RTF, opens with its
// italic source line and leaves no piece of RTF syntax in the text.
void RtfReaderTest::readsEveryStoredDossier()
{
    const QString folder = QFINDTESTDATA("../../assets/hirelings/dossiers");
    QVERIFY2(!folder.isEmpty(), "the dossier sources are missing");
    const QFileInfoList files = QDir(folder).entryInfoList({u"*.rtf"_s}, QDir::Files);
    QVERIFY(!files.isEmpty());

    for (const QFileInfo &info : files) {
        const QString name = info.fileName();
        QFile file(info.filePath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        QTextDocument document;
        const std::optional<QString> error = RtfReader::read(file.readAll(), document);
        QVERIFY2(!error, qPrintable(name + u": "_s + error.value_or(QString())));

        const QList<Run> runs = runsOf(document);
        QVERIFY2(runs.size() >= 2, qPrintable(name));
        QVERIFY2(runs.first().italic && runs.first().pointSize == 8, qPrintable(name));
        QVERIFY2(!runs.last().italic && runs.last().pointSize == 8, qPrintable(name));
        QVERIFY2(!document.lastBlock().text().isEmpty(), qPrintable(name));
        const QString text = document.toPlainText();
        for (const char16_t syntax : {u'\\', u'{', u'}', u'\uFFFD'})
            QVERIFY2(!text.contains(syntax), qPrintable(name));
    }
}

// A reader that re-scanned its input or its output per character would not finish here within
// the test's time limit.
void RtfReaderTest::readsLargeInput()
{
    constexpr int repeats = 200000;
    QByteArray rtf("{\\rtf1\\fs16 ");
    for (int i = 0; i < repeats; ++i)
        rtf += "{\\i\\'e0}b\\par ";
    rtf += '}';

    QTextDocument document;
    const std::optional<QString> error = RtfReader::read(rtf, document);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QCOMPARE(document.blockCount(), repeats);
    QCOMPARE(document.lastBlock().text(), u"аb"_s);
    QCOMPARE(document.characterCount(), repeats * 3);
}

void RtfReaderTest::plainTextFallback_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("stops at the first zero byte") << bytes("ab\0cd\0") << u"ab"_s;
    QTest::newRow("no zero byte") << bytes("ab") << u"ab"_s;
    QTest::newRow("Windows-1251") << bytes("\xc0\xe0\xb8") << u"Ааё"_s;
    QTest::newRow("line ends") << bytes("a\r\nb\rc\nd") << u"a\nb\nc\nd"_s;
    QTest::newRow("a broken dossier shows its source")
        << bytes("{\\rtf1 \\'zz}\r\n\0") << u"{\\rtf1 \\'zz}\n"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void RtfReaderTest::plainTextFallback()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);

    QCOMPARE(RtfReader::plainText(input), text);
}

QTEST_MAIN(RtfReaderTest)
#include "tst_rtfreader.moc"
