// The dossier as a screen reader reads it: the text, and no complaint about offsets past its end.
#include "DossierView.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

// Two paragraphs: 13 + 1 + 6 characters.
const QString dossierText = u"Первая строка\nвторая"_qs;
constexpr int dossierLength = 20;

} // namespace

class DossierAccessibleTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textBetween_data();
    void textBetween();
    void characterRectangles_data();
    void characterRectangles();
    void textAroundAnOffset_data();
    void textAroundAnOffset();
    void linesInTurn();
    void selectionAndCaret();

private:
    std::unique_ptr<DossierView> view;
    QAccessibleTextInterface *readable = nullptr;
};

void DossierAccessibleTest::init()
{
    // A reader's query that Qt's text classes refuse shows as a warning: none may appear.
    QTest::failOnWarning(QRegularExpression(u".*"_qs));
    view = std::make_unique<DossierView>();
    view->resize(300, 120);
    view->setPlainText(dossierText);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(view.get());
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QVERIFY(accessible->state().readOnly);
    readable = accessible->textInterface();
    QVERIFY(readable != nullptr);
    QCOMPARE(readable->characterCount(), dossierLength);
}

void DossierAccessibleTest::cleanup()
{
    view.reset();
}

void DossierAccessibleTest::textBetween_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("expected");

    QTest::newRow("all, -1 for the end") << 0 << -1 << dossierText;
    QTest::newRow("all, by length") << 0 << dossierLength << dossierText;
    QTest::newRow("the paragraph end") << 13 << 14 << u"\n"_qs;
    QTest::newRow("the last word") << 14 << dossierLength << u"вторая"_qs;
    QTest::newRow("end past the text") << 14 << dossierLength + 5 << u"вторая"_qs;
    QTest::newRow("the character after the last")
        << dossierLength << dossierLength + 1 << QString();
    QTest::newRow("both far past the text") << 497 << 498 << QString();
    QTest::newRow("start after end") << 5 << 2 << QString();
}

void DossierAccessibleTest::textBetween()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, expected);
    QCOMPARE(readable->text(start, end), expected);
}

void DossierAccessibleTest::characterRectangles_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("hasRectangle");

    QTest::newRow("the first") << 0 << true;
    QTest::newRow("the last") << dossierLength - 1 << true;
    QTest::newRow("just past the end") << dossierLength << false;
    QTest::newRow("far past the end") << 497 << false;
    QTest::newRow("negative") << -3 << false;
}

void DossierAccessibleTest::characterRectangles()
{
    QFETCH(int, offset);
    QFETCH(bool, hasRectangle);

    const QRect rectangle = readable->characterRect(offset);
    QCOMPARE(rectangle.isValid(), hasRectangle);
    if (hasRectangle) {
        // On screen, inside the view, and pointing back at the same character.
        const QRect viewOnScreen(view->viewport()->mapToGlobal(QPoint(0, 0)),
                                 view->viewport()->size());
        QVERIFY(viewOnScreen.contains(rectangle.center()));
        QCOMPARE(readable->offsetAtPoint(rectangle.center()), offset);
    }
}

void DossierAccessibleTest::textAroundAnOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("line");

    QTest::newRow("in the first line") << 3 << u"Первая строка"_qs;
    QTest::newRow("on the paragraph end") << 13 << u"Первая строка"_qs;
    QTest::newRow("in the second line") << 16 << u"вторая"_qs;
    QTest::newRow("far past the end") << 497 << QString();
}

void DossierAccessibleTest::textAroundAnOffset()
{
    QFETCH(int, offset);
    QFETCH(QString, line);

    int start = -1;
    int end = -1;
    QCOMPARE(readable->textAtOffset(offset, QAccessible::LineBoundary, &start, &end), line);
}

void DossierAccessibleTest::linesInTurn()
{
    // As flat review walks them: each line after the last one read, until there is none.
    QStringList lines;
    int start = -1;
    int end = -1;
    QString line = readable->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
    while (!line.isEmpty() && lines.size() < 10) {
        lines << line;
        line = readable->textAfterOffset(start, QAccessible::LineBoundary, &start, &end);
    }
    QCOMPARE(lines, QStringList({u"Первая строка"_qs, u"вторая"_qs}));
    QCOMPARE(readable->textBeforeOffset(16, QAccessible::LineBoundary, &start, &end),
             u"Первая строка"_qs);
    QCOMPARE(start, 0);
    QCOMPARE(end, 13);
}

void DossierAccessibleTest::selectionAndCaret()
{
    QCOMPARE(readable->selectionCount(), 0);
    readable->setSelection(0, 14, 500);
    QCOMPARE(readable->selectionCount(), 1);
    int start = -1;
    int end = -1;
    readable->selection(0, &start, &end);
    QCOMPARE(start, 14);
    QCOMPARE(end, dossierLength);
    QCOMPARE(view->textCursor().selectedText(), u"вторая"_qs);
    readable->removeSelection(0);
    QCOMPARE(readable->selectionCount(), 0);
    readable->setCursorPosition(999);
    QCOMPARE(readable->cursorPosition(), dossierLength);
}

QTEST_MAIN(DossierAccessibleTest)
#include "tst_dossieraccessible.moc"
