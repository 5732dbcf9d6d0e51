// The main window on the real data: start-up state, moves, detail panel rules, portrait, dossier.
#include "BoundText.h"
#include "DataSource.h"
#include "DossierView.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "NumberFormat.h"
#include "PortraitView.h"
#include "Tabula.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextFragment>
#include <QTimer>

#include <memory>

namespace {

constexpr int recordCount = 51;

template <typename T> T *child(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no child %s", name);
    return found;
}

// The first row, from `from` on, whose record satisfies `wanted`.
template <typename Predicate>
int findRow(const HirelingTable &table, Predicate wanted, int from = 0)
{
    for (int row = from; row < table.recordCount(); ++row) {
        if (wanted(row))
            return row;
    }
    return -1;
}

bool isKrev(const HirelingTable &table, int row)
{
    return table.value(row, MDType).asInteger() != 0;
}

} // namespace

class MainWindowTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsOnTheFirstRecord();
    void windowHasTheFixedClientArea();
    void amountsAreWholeAndGroupedBySpaces();
    void keysMoveTheCurrentRecord_data();
    void keysMoveTheCurrentRecord();
    void clickOnARowMakesItCurrent();
    void eachChangeIsSaidOnceAndTheGridFollows_data();
    void eachChangeIsSaidOnceAndTheGridFollows();
    void movesStopAtTheEnds();
    void otherKeysEditNothing();
    void detailPanelFollowsTheAgency();
    void depositVisibilitySurvivesAKrevRecord();
    void nullEquipmentShowsNoText();
    void portraitGoesToTheClipboard();
    void dossierShowsItalicSourceAndCyrillicText();
    void brokenDossierShowsPlainText();
    void tabSkipsTheDossier();
    void dossierSelectionShowsOnlyWithTheFocus();
    void exitClosesTheWindow();

private:
    std::unique_ptr<TfmMain> window;
    HirelingTable *table = nullptr;
    HirelingGrid *grid = nullptr;
};

void MainWindowTest::init()
{
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    table = &window->table();
    grid = child<HirelingGrid>(*window, "RxDBGrid1");
}

void MainWindowTest::cleanup()
{
    window.reset();
}

void MainWindowTest::startsOnTheFirstRecord()
{
    QCOMPARE(table->recordCount(), recordCount);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(grid->currentIndex().row(), 0);
    QVERIFY(grid->selectionModel()->isRowSelected(0, {}));
    QCOMPARE(child<QLabel>(*window, "lbKREV")->text(), u"ZOLT"_qs);
    QCOMPARE(child<BoundText>(*window, "dbAlias")->text(),
             table->value(0, MDAlias).displayText(FieldKind::String));
    QVERIFY(grid->hasFocus());
    QCOMPARE(TfmMain::ascSortColumn(), quint8(0));
    QCOMPARE(TfmMain::descSortColumn(), quint8(0));
}

void MainWindowTest::windowHasTheFixedClientArea()
{
    const QWidget *client = window->centralWidget();
    QCOMPARE(client->size(), QSize(612, 420));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(window->windowTitle(), u"Список наемников ZOLT и KREV"_qs);
    const QList<QAction *> menu = window->menuBar()->actions();
    QCOMPARE(menu.size(), 2);
    QCOMPARE(menu[0]->text(), u"О программе"_qs);
    QCOMPARE(menu[1]->text(), u"Выход"_qs);
    QVERIFY(menu[0]->menu() == nullptr && menu[1]->menu() == nullptr);
}

void MainWindowTest::amountsAreWholeAndGroupedBySpaces()
{
    // The overrides stand before any window exists, whatever the locale says.
    const NumberFormat &format = processNumberFormat();
    QVERIFY(format.currencyString.isEmpty());
    QCOMPARE(format.thousandSeparator, QChar(u' '));
    QCOMPARE(format.currencyDecimals, 0);

    const int row = findRow(*table, [this](int r) {
        return !isKrev(*table, r) && table->value(r, MDCost15).asFloat() >= 10000.0;
    });
    QVERIFY(row >= 0);
    table->moveTo(row);
    const QString wage = child<BoundText>(*window, "db15day")->text();
    QVERIFY2(QRegularExpression(u"^\\d{2} \\d{3}$"_qs).match(wage).hasMatch(), qPrintable(wage));
    const QModelIndex gridWage = grid->model()->index(row, MDCost1);
    QCOMPARE(gridWage.data().toString(), table->value(row, MDCost1).displayText(FieldKind::Money));
    QCOMPARE(gridWage.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
}

void MainWindowTest::keysMoveTheCurrentRecord_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected"); // -1: the last record

    QTest::newRow("Down") << 0 << int(Qt::Key_Down) << 0 << 1;
    QTest::newRow("Up") << 5 << int(Qt::Key_Up) << 0 << 4;
    QTest::newRow("Right") << 5 << int(Qt::Key_Right) << 0 << 6;
    QTest::newRow("Left") << 5 << int(Qt::Key_Left) << 0 << 4;
    QTest::newRow("End") << 3 << int(Qt::Key_End) << 0 << -1;
    QTest::newRow("Home") << 30 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("Ctrl+End") << 3 << int(Qt::Key_End) << int(Qt::ControlModifier) << -1;
    QTest::newRow("Ctrl+Home") << 30 << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0;
    QTest::newRow("Page Down") << 0 << int(Qt::Key_PageDown) << 0 << -2;
    QTest::newRow("Page Up at the top") << 2 << int(Qt::Key_PageUp) << 0 << 0;
}

void MainWindowTest::keysMoveTheCurrentRecord()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);

    table->moveTo(start);
    QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (expected == -1)
        expected = recordCount - 1;
    if (expected == -2)
        expected = start + grid->visibleRowCount();
    QCOMPARE(table->currentRow(), expected);
    QCOMPARE(grid->currentIndex().row(), expected);
    QCOMPARE(child<BoundText>(*window, "dbSpec")->text(),
             table->value(expected, MDspec).displayText(FieldKind::String));
}

void MainWindowTest::clickOnARowMakesItCurrent()
{
    const QRect row3 = grid->visualRect(grid->model()->index(3, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row3.center());
    QCOMPARE(table->currentRow(), 3);
    QCOMPARE(child<BoundText>(*window, "dbChr")->text(),
             table->value(3, MDchr).displayText(FieldKind::String));
}

void MainWindowTest::eachChangeIsSaidOnceAndTheGridFollows_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("action");
    // What the table says, in order; %1 stands for the row the starting record has after a sort.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("key") << 5 << u"Down"_qs << QStringList{u"currentMoved(5, 6)"_qs};
    QTest::newRow("click") << 0 << u"click 3"_qs << QStringList{u"currentMoved(0, 3)"_qs};
    QTest::newRow("click on the current row") << 3 << u"click 3"_qs << QStringList{};
    QTest::newRow("the table moves by itself")
        << 0 << u"move 7"_qs << QStringList{u"currentMoved(0, 7)"_qs};
    QTest::newRow("name title") << 4 << u"title 0"_qs
                                << QStringList{u"reordered"_qs, u"refreshed"_qs};
    QTest::newRow("strength title")
        << 4 << u"title 4"_qs
        << QStringList{u"reordered"_qs, u"refreshed"_qs, u"currentMoved(%1, 0)"_qs};
}

void MainWindowTest::eachChangeIsSaidOnceAndTheGridFollows()
{
    QFETCH(int, start);
    QFETCH(QString, action);
    QFETCH(QStringList, expected);

    table->moveTo(start);
    const int startLoadNumber = table->loadNumber(start);
    QStringList said;
    QObject context;
    connect(table, &HirelingTable::reordered, &context, [&said] { said << u"reordered"_qs; });
    connect(table, &HirelingTable::refreshed, &context, [&said] { said << u"refreshed"_qs; });
    connect(table, &HirelingTable::currentMoved, &context,
            [&said](int from, int to) { said << u"currentMoved(%1, %2)"_qs.arg(from).arg(to); });
    QSignalSpy handlerRuns(child<DataSource>(*window, "dsMD"), &DataSource::dataChange);

    const int argument = action.section(u' ', 1).toInt();
    if (action == u"Down"_qs) {
        QTest::keyClick(grid, Qt::Key_Down);
    } else if (action.startsWith(u"click"_qs)) {
        const QRect row = grid->visualRect(grid->model()->index(argument, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
    } else if (action.startsWith(u"move"_qs)) {
        table->moveTo(argument);
    } else {
        TitleButtonHeader *titles = grid->titleButtons();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          titles->sectionRect(argument).center());
    }

    int startRowAfter = 0;
    while (table->loadNumber(startRowAfter) != startLoadNumber)
        ++startRowAfter;
    for (QString &entry : expected)
        entry = entry.arg(startRowAfter);
    QCOMPARE(said, expected);
    // dsMD passes each of them on once; the grid shows the table's current record and says
    // nothing back.
    QCOMPARE(handlerRuns.count(), expected.size());
    QCOMPARE(grid->currentIndex().row(), table->currentRow());
    QCOMPARE(grid->selectionModel()->selectedRows(),
             (QModelIndexList{grid->model()->index(table->currentRow(), 0)}));
}

void MainWindowTest::movesStopAtTheEnds()
{
    QTest::keyClick(grid, Qt::Key_Up);
    QCOMPARE(table->currentRow(), 0);
    QTest::keyClick(grid, Qt::Key_End);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(table->currentRow(), recordCount - 1);
    QCOMPARE(grid->model()->rowCount(), recordCount);
}

void MainWindowTest::otherKeysEditNothing()
{
    for (const Qt::Key key :
         {Qt::Key_Insert, Qt::Key_Delete, Qt::Key_F2, Qt::Key_Return, Qt::Key_A, Qt::Key_Space}) {
        QTest::keyClick(grid, key);
        // No editor opened: the grid keeps the focus and its viewport holds no editor widget.
        QCOMPARE(QApplication::focusWidget(), grid);
        QVERIFY(grid->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty());
    }
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(grid->model()->rowCount(), recordCount);
    QCOMPARE(table->currentRow(), 0);
}

void MainWindowTest::detailPanelFollowsTheAgency()
{
    auto *wageCaption = child<QLabel>(*window, "lb1");
    auto *agency = child<QLabel>(*window, "lbKREV");
    auto *depositCaption = child<QLabel>(*window, "lb5");
    auto *deposit = child<BoundText>(*window, "dbDep");
    auto *equipmentCaption = child<QLabel>(*window, "lb6");

    const int withDeposit = findRow(*table, [this](int row) {
        return !isKrev(*table, row) && table->value(row, MDdeposit).asFloat() != 0.0;
    });
    const int withoutDeposit = findRow(*table, [this](int row) {
        return !isKrev(*table, row) && table->value(row, MDdeposit).asFloat() == 0.0;
    });
    const int krev = findRow(*table, [this](int row) { return isKrev(*table, row); });
    QVERIFY(withDeposit >= 0 && withoutDeposit >= 0 && krev >= 0);

    table->moveTo(withDeposit);
    QCOMPARE(wageCaption->text(), u"Зарплата 1 д. / 7 д. / 14 д."_qs);
    QCOMPARE(agency->text(), u"ZOLT"_qs);
    QVERIFY(depositCaption->isVisible() && deposit->isVisible() && equipmentCaption->isVisible());
    QVERIFY(!deposit->text().isEmpty());

    table->moveTo(withoutDeposit);
    QVERIFY(!depositCaption->isVisible() && !deposit->isVisible());
    QVERIFY(equipmentCaption->isVisible());
    QVERIFY(!child<BoundText>(*window, "dbTol")->text().isEmpty());

    table->moveTo(krev);
    QCOMPARE(wageCaption->text(), u"Зарплата 1 д."_qs);
    QCOMPARE(wageCaption->width(),
             wageCaption->fontMetrics().horizontalAdvance(wageCaption->text()));
    QCOMPARE(wageCaption->x(), 72);
    QCOMPARE(agency->text(), u"KREV"_qs);
    QVERIFY(!depositCaption->isVisible() && !equipmentCaption->isVisible());
    for (const char *empty : {"db7day", "db15day", "dbDep", "dbTol"})
        QVERIFY2(child<BoundText>(*window, empty)->text().isEmpty(), empty);
    QVERIFY(!child<BoundText>(*window, "db1day")->text().isEmpty());
}

void MainWindowTest::depositVisibilitySurvivesAKrevRecord()
{
    auto *deposit = child<BoundText>(*window, "dbDep");
    auto *depositCaption = child<QLabel>(*window, "lb5");
    const int withDeposit = findRow(*table, [this](int row) {
        return !isKrev(*table, row) && table->value(row, MDdeposit).asFloat() != 0.0;
    });
    const int withoutDeposit = findRow(*table, [this](int row) {
        return !isKrev(*table, row) && table->value(row, MDdeposit).asFloat() == 0.0;
    });
    const int krev = findRow(*table, [this](int row) { return isKrev(*table, row); });

    // From a deposit to KREV: the deposit text stays shown, but empty.
    table->moveTo(withDeposit);
    table->moveTo(krev);
    QVERIFY(deposit->isVisible());
    QVERIFY(deposit->text().isEmpty());
    QVERIFY(!depositCaption->isVisible());

    // From no deposit to KREV and back to a deposit: it shows again.
    table->moveTo(withoutDeposit);
    table->moveTo(krev);
    QVERIFY(!deposit->isVisible());
    table->moveTo(withDeposit);
    QVERIFY(deposit->isVisible() && depositCaption->isVisible());
    QCOMPARE(deposit->text(), table->value(withDeposit, MDdeposit).displayText(FieldKind::Money));
}

void MainWindowTest::nullEquipmentShowsNoText()
{
    const int row = findRow(*table, [this](int r) { return table->value(r, MDtools).isNull(); });
    QVERIFY(row >= 0);
    table->moveTo(row);
    QCOMPARE(child<BoundText>(*window, "DBText2")->text(), QString());
    QVERIFY(!child<BoundText>(*window, "dbAlias")->text().isEmpty());
    QVERIFY(!child<BoundText>(*window, "db1day")->text().isEmpty());
}

void MainWindowTest::portraitGoesToTheClipboard()
{
    auto *portrait = child<PortraitView>(*window, "lbdbImage");
    table->moveTo(7);
    const QImage expected = QImage::fromData(table->value(7, MDpic).bytes(), "BMP");
    QCOMPARE(expected.size(), QSize(48, 43));

    QGuiApplication::clipboard()->clear();
    portrait->setFocus();
    QTest::keyClick(portrait, Qt::Key_C, Qt::ControlModifier);
    QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(48, 43));
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(portrait, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(48, 43));

    for (const auto &[key, modifiers] :
         std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_V, Qt::ControlModifier},
             {Qt::Key_X, Qt::ControlModifier},
             {Qt::Key_Insert, Qt::ShiftModifier},
             {Qt::Key_Delete, Qt::ShiftModifier},
             {Qt::Key_Delete, {}}}) {
        QTest::keyClick(portrait, key, modifiers);
        QCOMPARE(portrait->image().convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(table->value(7, MDpic).bytes().size(), 6246);
}

void MainWindowTest::dossierShowsItalicSourceAndCyrillicText()
{
    auto *dossier = child<DossierView>(*window, "DBRichEdit1");
    const QTextBlock first = dossier->document()->firstBlock();
    QVERIFY(first.isValid());
    QVERIFY(!first.text().isEmpty());
    QVERIFY(first.begin().fragment().charFormat().fontItalic());
    const QString text = dossier->toPlainText();
    QVERIFY(text.contains(QRegularExpression(u"[А-Яа-яЁё]{4,}"_qs)));
    QVERIFY(!text.contains(u"\\'"_qs));
    QVERIFY(!dossier->document()->lastBlock().text().contains(QChar(0)));
    QVERIFY(dossier->isReadOnly());
    QCOMPARE(dossier->focusPolicy(), Qt::ClickFocus);
}

void MainWindowTest::brokenDossierShowsPlainText()
{
    auto *dossier = child<DossierView>(*window, "DBRichEdit1");
    QByteArray broken("{\\rtf1\\ansi \\'e4\\'ee\\'f1\\'fc\\'e5 {\\i \\par");
    dossier->showDossier(broken);
    QCOMPARE(dossier->toPlainText(), QString::fromLatin1(broken));
    dossier->showDossier(QByteArray("\xc4\xee\xf1\xfc\xe5", 5));
    QCOMPARE(dossier->toPlainText(), u"Досье"_qs);
}

void MainWindowTest::tabSkipsTheDossier()
{
    QVERIFY(grid->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(child<PortraitView>(*window, "lbdbImage")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(grid->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(child<PortraitView>(*window, "lbdbImage")->hasFocus());
}

namespace {

// How many pixels of the widget's picture have exactly this colour.
int pixelsOf(QWidget *widget, const QColor &colour)
{
    const QImage picture = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

} // namespace

void MainWindowTest::dossierSelectionShowsOnlyWithTheFocus()
{
    auto *dossier = child<DossierView>(*window, "DBRichEdit1");
    const QColor highlight = QPalette().color(QPalette::Active, QPalette::Highlight);
    QTest::mouseClick(dossier->viewport(), Qt::LeftButton, {},
                      dossier->viewport()->rect().center());
    QVERIFY(dossier->hasFocus());
    dossier->selectAll();
    QVERIFY(dossier->textCursor().hasSelection());
    QVERIFY2(pixelsOf(dossier->viewport(), highlight) > 0, "the selection is not shown");

    // The grid takes the focus back: the selection stays, but is drawn as plain text.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->currentIndex()).center());
    QVERIFY(grid->hasFocus());
    QVERIFY(dossier->textCursor().hasSelection());
    QCOMPARE(pixelsOf(dossier->viewport(), highlight), 0);

    QTest::mouseClick(dossier->viewport(), Qt::LeftButton, {},
                      dossier->viewport()->rect().center());
    dossier->selectAll();
    QVERIFY2(pixelsOf(dossier->viewport(), highlight) > 0, "the selection is not shown again");
}

void MainWindowTest::exitClosesTheWindow()
{
    // The menu command ends the message loop with exit code 0.
    QAction *exit = window->menuBar()->actions().at(1);
    QTimer::singleShot(0, exit, &QAction::trigger);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
