// What assistive technology reads of both windows, through Qt's accessibility interfaces: named
// detail texts with their values, the portrait, the dossier, the grid as a table with pressable
// titles and its sort state, hidden controls, and the About window's links.
#include "About.h"
#include "AccessibleFactory.h"
#include "BoundText.h"
#include "DossierView.h"
#include "GridChildIndex.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "LinkLabel.h"
#include "Tabula.h"
#include "TitleButtonHeader.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QTest>

#include <memory>
#include <vector>

namespace {

constexpr int recordCount = 51;
constexpr int columnCount = 13;

enum GridColumn
{
    NameColumn = 0,
    HealthColumn = 1,
    StrengthColumn = 4,
    LevelColumn = 11,
    WageColumn = 12
};

template <typename T = QWidget> T *child(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no child %s", name);
    return found;
}

QAccessibleInterface *accessibleOf(QObject *object)
{
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(object);
    if (found == nullptr)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return found;
}

QString wholeText(QAccessibleInterface *accessible)
{
    QAccessibleTextInterface *text = accessible->textInterface();
    return text != nullptr ? text->text(0, text->characterCount()) : QString();
}

// The order and the sort state the grid is in.
struct SortOutcome
{
    std::vector<int> loadNumbers;
    quint8 ascending = 0;
    quint8 descending = 0;
    int currentRow = -1;

    bool operator==(const SortOutcome &) const = default;
};

SortOutcome outcomeOf(const HirelingTable &table)
{
    SortOutcome outcome{
        {}, TfmMain::ascSortColumn(), TfmMain::descSortColumn(), table.currentRow()};
    for (int row = 0; row < table.recordCount(); ++row)
        outcome.loadNumbers.push_back(table.loadNumber(row));
    return outcome;
}

} // namespace

// Records the pages that would have gone to the browser.
class PageRecorder final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageRecorder)

public:
    PageRecorder() = default;
    ~PageRecorder() override = default;

    QList<QUrl> pages;

public slots:
    void open(const QUrl &page) { pages.append(page); }
};

class AccessibilityTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void detailTextsSayWhatTheyHold_data();
    void detailTextsSayWhatTheyHold();
    void textGeometryFollowsTheAlignment_data();
    void textGeometryFollowsTheAlignment();
    void portraitIsAPictureOfTheHireling();
    void portraitDescribesTheDetailPanel_data();
    void portraitDescribesTheDetailPanel();
    void dossierIsNamedAndReadable();
    void hiddenControlsAreInvisible();
    void gridIsATableOfTitlesAndCells();
    void childNumbersMatchTheTableViewsOwn();
    void cellsNameTheirColumn_data();
    void cellsNameTheirColumn();
    void cellsFollowTheirRecordsThroughSorts_data();
    void cellsFollowTheirRecordsThroughSorts();
    void cellsTellTheCurrentRowAndWhatIsOnScreen();
    void selectingARowMakesItsRecordCurrent();
    void pressingTitlesSortsAsClickingThem_data();
    void pressingTitlesSortsAsClickingThem();
    void titlesDescribeTheSortState();
    void titleClicksAreAnnounced_data();
    void titleClicksAreAnnounced();
    void aboutWindowLinksArePressableLinks();

private:
    [[nodiscard]] QAccessibleInterface *grid() const;
    [[nodiscard]] QAccessibleInterface *title(int column) const;

    std::unique_ptr<TfmMain> window;
    HirelingTable *table = nullptr;
    HirelingGrid *gridView = nullptr;
};

void AccessibilityTest::initTestCase()
{
    AccessibleFactory::install();
}

void AccessibilityTest::init()
{
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    table = &window->table();
    gridView = child<HirelingGrid>(*window, "RxDBGrid1");
}

void AccessibilityTest::cleanup()
{
    window.reset();
}

QAccessibleInterface *AccessibilityTest::grid() const
{
    return accessibleOf(gridView);
}

QAccessibleInterface *AccessibilityTest::title(int column) const
{
    const QList<QAccessibleInterface *> titles =
        grid()->tableInterface()->cellAt(0, column)->tableCellInterface()->columnHeaderCells();
    if (titles.size() != 1)
        qFatal("column %d has %d titles", column, int(titles.size()));
    return titles.front();
}

void AccessibilityTest::detailTextsSayWhatTheyHold_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("field");

    const auto row = [](const char *control, const QString &name, HirelingField field) {
        QTest::newRow(control) << QString::fromLatin1(control) << name << int(field);
    };
    row("dbAlias", u"Клички"_qs, MDAlias);
    row("dbSpec", u"Специальность"_qs, MDspec);
    row("dbChr", u"Характер"_qs, MDchr);
    row("db1day", u"Зарплата 1 д."_qs, MDCost1);
    row("db7day", u"Зарплата 7 д."_qs, MDCost7);
    row("db15day", u"Зарплата 14 д."_qs, MDCost15);
    row("dbDep", u"Страховка"_qs, MDdeposit);
    row("dbTol", u"Стоим. оборуд."_qs, MDcurtools);
    row("dbFrends", u"Симпатия"_qs, MDFrends);
    row("dbNoFrends", u"Непрязнь"_qs, MDNoFrends);
    row("DBText2", u"Оборудование"_qs, MDtools);
}

void AccessibilityTest::detailTextsSayWhatTheyHold()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, field);

    const auto kind = HirelingFields::definition(HirelingField(field)).kind;
    QAccessibleInterface *text = accessibleOf(child(*window, qPrintable(control)));
    QCOMPARE(text->role(), QAccessible::StaticText);
    QCOMPARE(text->text(QAccessible::Name), name);
    QVERIFY(text->textInterface() != nullptr);
    // The value follows the current record, also to a KREV record whose terms are null: a text
    // that shows nothing has no name either, so that no reader reads the name in its place.
    for (const int row : {0, recordCount - 1, 7, 0}) {
        table->moveTo(row);
        const QString value = table->value(row, HirelingField(field)).displayText(kind);
        QCOMPARE(wholeText(text), value);
        QCOMPARE(text->text(QAccessible::Value), value);
        QCOMPARE(text->textInterface()->characterCount(), int(value.size()));
        QCOMPARE(text->text(QAccessible::Name), value.isEmpty() ? QString() : name);
    }
    // Parts of the text, as a reader asks for words and characters.
    QAccessibleTextInterface *reading = text->textInterface();
    const QString value = wholeText(text);
    QVERIFY(!value.isEmpty());
    QCOMPARE(reading->text(1, 3), value.mid(1, 2));
    QCOMPARE(reading->text(0, -1), value);
    QCOMPARE(reading->text(5, 2), QString());
    QCOMPARE(reading->selectionCount(), 0);
}

void AccessibilityTest::textGeometryFollowsTheAlignment_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("left-aligned, cut at the right") << u"dbAlias"_qs;
    QTest::newRow("right-aligned, cut at the left") << u"DBText2"_qs;
    QTest::newRow("right-aligned wage") << u"db7day"_qs;
}

void AccessibilityTest::textGeometryFollowsTheAlignment()
{
    QFETCH(QString, control);

    auto *text = child<BoundText>(*window, qPrintable(control));
    // The record with the longest value, so that long texts run past the control's edge.
    int longest = 0;
    qsizetype longestSize = -1;
    for (int row = 0; row < table->recordCount(); ++row) {
        table->moveTo(row);
        if (text->text().size() > longestSize) {
            longestSize = text->text().size();
            longest = row;
        }
    }
    table->moveTo(longest);
    QAccessibleTextInterface *reading = accessibleOf(text)->textInterface();
    const QRect shown(text->mapToGlobal(QPoint()), text->size());
    int seen = 0;
    for (int offset = 0; offset < reading->characterCount(); ++offset) {
        const QRect character = reading->characterRect(offset);
        QVERIFY(character.isValid());
        if (!shown.contains(character))
            continue;
        ++seen;
        // A point on a character gives that character back.
        QCOMPARE(reading->offsetAtPoint(character.center()), offset);
    }
    QVERIFY2(seen > 0, "no character lies inside the control");
    const bool cutAtLeft = text->alignment() & Qt::AlignRight;
    const QRect first = reading->characterRect(0);
    const QRect last = reading->characterRect(reading->characterCount() - 1);
    if (cutAtLeft)
        QCOMPARE(last.left() + last.width(), shown.left() + shown.width());
    else
        QCOMPARE(first.left(), shown.left());
    QCOMPARE(reading->characterRect(reading->characterCount()), QRect());
    QCOMPARE(reading->offsetAtPoint(shown.topLeft() - QPoint(1, 1)), -1);
}

void AccessibilityTest::portraitIsAPictureOfTheHireling()
{
    QAccessibleInterface *portrait = accessibleOf(child(*window, "lbdbImage"));
    QCOMPARE(portrait->role(), QAccessible::Graphic);
    for (const int row : {0, 12, recordCount - 1}) {
        table->moveTo(row);
        QCOMPARE(portrait->text(QAccessible::Name),
                 u"Фото: "_qs + table->value(row, MDName).displayText(FieldKind::String));
    }
    QVERIFY(portrait->state().focusable);
}

void AccessibilityTest::portraitDescribesTheDetailPanel_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("description");

    QTest::newRow("ZOLT with a deposit, back from KREV")
        << 40 << 0
        << u"ZOLT; Зарплата 1 д.: 1 900; Зарплата 7 д.: 12 550; Зарплата 14 д.: 22 800; "
           "Страховка: 1 200; Стоим. оборуд.: 1 640; Клички: Вершина, Summit, Глебыч; "
           "Специальность: штурмовик, ближний бой; Характер: спокойный; Оборудование: автомат "
           "АКС-9, бронежилет (легк.), гранаты РГ-5 (3 шт.), аптечка, нож \"Барс\", фляга; "
           "Симпатия: Кречет, Ирма; Непрязнь: Брага"_qs;
    QTest::newRow("ZOLT without a deposit")
        << 0 << 4
        << u"ZOLT; Зарплата 1 д.: 450; Зарплата 7 д.: 2 950; Зарплата 14 д.: 5 400; "
           "Стоим. оборуд.: 520; Клички: Лед, Ice, Ледок, Моторист; Специальность: механик "
           "(двигатели); Характер: спокойный; Оборудование: пистолет П-96, набор инструментов, "
           "паяльник, изолента (2 шт.), фонарь; Симпатия: Карп; Непрязнь: Вдова"_qs;
    QTest::newRow("KREV after a deposit")
        << 0 << 40
        << u"KREV; Зарплата 1 д.: 2 000; Клички: Перепел, Quail; Специальность: разведчик; "
           "Характер: весельчак; Оборудование: карабин КС-5, бинокль, нож; Симпатия: Рысь; "
           "Непрязнь: Немец"_qs;
}

void AccessibilityTest::portraitDescribesTheDetailPanel()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, description);

    // What Tab reaches from the grid tells the panel: the terms the agency offers and the texts
    // that hold something, never a hidden item or the name of an empty text.
    QAccessibleInterface *portrait = accessibleOf(child(*window, "lbdbImage"));
    table->moveTo(from);
    table->moveTo(to);
    QCOMPARE(portrait->text(QAccessible::Description), description);
}

void AccessibilityTest::dossierIsNamedAndReadable()
{
    auto *dossier = child<DossierView>(*window, "DBRichEdit1");
    QAccessibleInterface *reading = accessibleOf(dossier);
    QCOMPARE(reading->text(QAccessible::Name), u"Досье"_qs);
    table->moveTo(4);
    QVERIFY(!dossier->toPlainText().isEmpty());
    QCOMPARE(wholeText(reading), dossier->toPlainText());
}

void AccessibilityTest::hiddenControlsAreInvisible()
{
    int noDeposit = -1;
    for (int row = 0; row < table->recordCount() && noDeposit < 0; ++row) {
        if (table->value(row, MDType).asInteger() == 0 &&
            table->value(row, MDdeposit).asFloat() == 0.0)
            noDeposit = row;
    }
    QVERIFY(noDeposit >= 0);
    table->moveTo(noDeposit);
    QVERIFY(accessibleOf(child(*window, "lb5"))->state().invisible);
    QVERIFY(accessibleOf(child(*window, "dbDep"))->state().invisible);
    QVERIFY(!accessibleOf(child(*window, "lb6"))->state().invisible);
    QVERIFY(!accessibleOf(child(*window, "dbTol"))->state().invisible);

    table->moveTo(0);
    QVERIFY(!accessibleOf(child(*window, "lb5"))->state().invisible);
    QVERIFY(!accessibleOf(child(*window, "dbDep"))->state().invisible);
}

void AccessibilityTest::gridIsATableOfTitlesAndCells()
{
    QAccessibleInterface *table = grid();
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), u"Наемники"_qs);
    QAccessibleTableInterface *cells = table->tableInterface();
    QVERIFY(cells != nullptr);
    QCOMPARE(cells->rowCount(), recordCount);
    QCOMPARE(cells->columnCount(), columnCount);

    const QAbstractItemModel *model = gridView->model();
    for (int column = 0; column < columnCount; ++column) {
        const QString caption = model->headerData(column, Qt::Horizontal).toString();
        QAccessibleInterface *heading = title(column);
        QCOMPARE(heading->role(), QAccessible::ColumnHeader);
        QCOMPARE(heading->text(QAccessible::Name), caption);
        QCOMPARE(cells->columnDescription(column), caption);
        QVERIFY(!heading->state().invisible);
        QCOMPARE(heading->parent(), table);
    }
    for (int row = 0; row < recordCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            QAccessibleInterface *cell = cells->cellAt(row, column);
            QCOMPARE(cell->role(), QAccessible::Cell);
            const QString value = model->index(row, column).data(Qt::DisplayRole).toString();
            QCOMPARE(cell->text(QAccessible::Value), value);
            QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
            QCOMPARE(cell->tableCellInterface()->columnIndex(), column);
            QCOMPARE(cell->parent(), table);
        }
    }
    QCOMPARE(cells->cellAt(recordCount, 0), nullptr);
    QCOMPARE(cells->cellAt(0, columnCount), nullptr);
    QCOMPARE(table->child(table->childCount()), nullptr);
}

void AccessibilityTest::childNumbersMatchTheTableViewsOwn()
{
    // The table view names cells in its focus and selection notifications by these numbers:
    // a leading column of row titles and a leading row of column titles.
    QAccessibleInterface *table = grid();
    QCOMPARE(table->childCount(), (recordCount + 1) * (columnCount + 1));
    for (int index = 0; index < table->childCount(); ++index) {
        QAccessibleInterface *item = table->child(index);
        QVERIFY(item != nullptr);
        QCOMPARE(table->indexOfChild(item), index);
        const int row = index / (columnCount + 1) - 1;
        const int column = index % (columnCount + 1) - 1;
        if (row >= 0 && column >= 0) {
            QCOMPARE(item, table->tableInterface()->cellAt(row, column));
        } else if (row < 0 && column >= 0) {
            QCOMPARE(item, title(column));
        } else {
            // The grid shows no row titles and no corner: nobody may read them.
            QVERIFY(item->state().invisible);
            QVERIFY(item->text(QAccessible::Name).isEmpty());
        }
    }
    QCOMPARE(GridChildIndex::ofCell(2, 3, columnCount), 3 * (columnCount + 1) + 4);
}

void AccessibilityTest::cellsNameTheirColumn_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");

    QTest::newRow("name") << 0 << int(NameColumn) << u"Глеб Вершинин"_qs << u"Глеб Вершинин"_qs
                          << u"Наемник"_qs;
    QTest::newRow("skill") << 0 << int(HealthColumn) << u"здр 80"_qs << u"80"_qs << u"здр"_qs;
    QTest::newRow("level") << 0 << int(LevelColumn) << u"урв 4"_qs << u"4"_qs << u"урв"_qs;
    QTest::newRow("wage") << 0 << int(WageColumn) << u"1 д 1 900"_qs << u"1 900"_qs << u"1 д"_qs;
    QTest::newRow("KREV wage") << 40 << int(WageColumn) << u"1 д 2 000"_qs << u"2 000"_qs
                               << u"1 д"_qs;
}

void AccessibilityTest::cellsNameTheirColumn()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, title);

    // A reader that reads a row cell by cell says each cell's name and not its column title.
    QAccessibleInterface *cell = grid()->tableInterface()->cellAt(row, column);
    QCOMPARE(cell->text(QAccessible::Name), name);
    QCOMPARE(cell->text(QAccessible::Value), value);
    QCOMPARE(cell->text(QAccessible::Description), QString());
    // Readers that ask for the title get it as before.
    const QList<QAccessibleInterface *> titles = cell->tableCellInterface()->columnHeaderCells();
    QCOMPARE(titles.size(), 1);
    QCOMPARE(titles.front()->text(QAccessible::Name), title);
}

void AccessibilityTest::cellsFollowTheirRecordsThroughSorts_data()
{
    QTest::addColumn<QList<int>>("titles");
    QTest::newRow("health, down") << QList<int>{HealthColumn};
    QTest::newRow("health, down and up") << QList<int>{HealthColumn, HealthColumn};
    QTest::newRow("name, up and down") << QList<int>{NameColumn, NameColumn};
    QTest::newRow("strength, then name") << QList<int>{StrengthColumn, NameColumn};
}

void AccessibilityTest::cellsFollowTheirRecordsThroughSorts()
{
    QFETCH(QList<int>, titles);

    // Cells a reader knows from before the sort: the first and the current rows' and one below.
    QAccessibleInterface *table = grid();
    QAccessibleTableInterface *cells = table->tableInterface();
    this->table->moveTo(9);
    struct Known
    {
        QAccessibleInterface *cell;
        int loadNumber;
        QString name;
    };
    std::vector<Known> known;
    for (const int row : {0, 9, 30}) {
        for (const int column : {int(NameColumn), int(HealthColumn), int(WageColumn)}) {
            QAccessibleInterface *cell = cells->cellAt(row, column);
            known.push_back({cell, this->table->loadNumber(row), cell->text(QAccessible::Name)});
        }
    }
    for (const int column : titles)
        title(column)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    for (const Known &before : known) {
        // The same cell says the same, stands in its record's new row and is found there.
        QVERIFY(before.cell->isValid());
        QCOMPARE(before.cell->text(QAccessible::Name), before.name);
        const int row = before.cell->tableCellInterface()->rowIndex();
        QCOMPARE(this->table->loadNumber(row), before.loadNumber);
        const int column = before.cell->tableCellInterface()->columnIndex();
        QCOMPARE(cells->cellAt(row, column), before.cell);
        QCOMPARE(table->indexOfChild(before.cell),
                 GridChildIndex::ofCell(row, column, columnCount));
        QCOMPARE(before.cell->text(QAccessible::Description), QString());
    }
    // Every row reads as the table now orders it.
    for (int row = 0; row < recordCount; ++row) {
        QCOMPARE(cells->cellAt(row, NameColumn)->text(QAccessible::Name),
                 this->table->value(row, MDName).displayText(FieldKind::String));
    }
}

void AccessibilityTest::cellsTellTheCurrentRowAndWhatIsOnScreen()
{
    QAccessibleTableInterface *cells = grid()->tableInterface();
    QCOMPARE(cells->selectedRows(), QList<int>{0});
    QCOMPARE(cells->selectedRowCount(), 1);
    QCOMPARE(cells->selectedCellCount(), columnCount);
    QVERIFY(cells->cellAt(0, NameColumn)->state().selected);
    QVERIFY(cells->cellAt(0, NameColumn)->state().focused);
    QVERIFY(!cells->cellAt(1, NameColumn)->state().selected);
    QCOMPARE(grid()->focusChild(), cells->cellAt(0, NameColumn));

    QTest::keyClick(gridView, Qt::Key_Down);
    QCOMPARE(cells->selectedRows(), QList<int>{1});
    QVERIFY(cells->isRowSelected(1));
    QVERIFY(cells->cellAt(1, LevelColumn)->state().selected);
    QVERIFY(!cells->cellAt(0, LevelColumn)->state().selected);

    // The grid shows its first rows; the last ones lie below, off screen, and so does the row that
    // the grid's lower edge cuts.
    const int wholeRows = gridView->visibleRowCount();
    QVERIFY(gridView->visualRect(gridView->model()->index(wholeRows, 0)).top() <
            gridView->viewport()->height());
    QVERIFY(!cells->cellAt(wholeRows - 1, WageColumn)->state().offscreen);
    QVERIFY(cells->cellAt(wholeRows, NameColumn)->state().offscreen);
    QVERIFY(!cells->cellAt(1, NameColumn)->state().offscreen);
    QVERIFY(cells->cellAt(recordCount - 1, NameColumn)->state().offscreen);
    QVERIFY(!cells->cellAt(recordCount - 1, NameColumn)->state().invisible);
    QTest::keyClick(gridView, Qt::Key_End);
    QVERIFY(!cells->cellAt(recordCount - 1, NameColumn)->state().offscreen);
    QVERIFY(cells->cellAt(0, NameColumn)->state().offscreen);
}

void AccessibilityTest::selectingARowMakesItsRecordCurrent()
{
    QAccessibleTableInterface *cells = grid()->tableInterface();
    QVERIFY(cells->selectRow(9));
    QCOMPARE(table->currentRow(), 9);
    QCOMPARE(cells->selectedRows(), QList<int>{9});
    QCOMPARE(child<BoundText>(*window, "dbAlias")->text(),
             table->value(9, MDAlias).displayText(FieldKind::String));
    // One whole row is always the current one: nothing else can be chosen.
    QVERIFY(!cells->unselectRow(9));
    QVERIFY(!cells->selectColumn(2));
    QVERIFY(!cells->selectRow(recordCount));
    QCOMPARE(table->currentRow(), 9);
}

void AccessibilityTest::pressingTitlesSortsAsClickingThem_data()
{
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("name") << QList<int>{NameColumn};
    QTest::newRow("name twice") << QList<int>{NameColumn, NameColumn};
    QTest::newRow("health, then again") << QList<int>{HealthColumn, HealthColumn};
    QTest::newRow("health, strength, name") << QList<int>{HealthColumn, StrengthColumn, NameColumn};
    QTest::newRow("level") << QList<int>{LevelColumn};
}

void AccessibilityTest::pressingTitlesSortsAsClickingThem()
{
    QFETCH(QList<int>, columns);

    // The same titles, once clicked with the mouse and once pressed by a screen reader, each time
    // from the tenth record.
    SortOutcome clicked;
    {
        TitleButtonHeader *titles = gridView->titleButtons();
        table->moveTo(9);
        for (const int column : columns) {
            const QPoint centre(titles->sectionViewportPosition(column) +
                                    titles->sectionSize(column) / 2,
                                titles->viewport()->height() / 2);
            QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, centre);
        }
        clicked = outcomeOf(*table);
    }
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    table = &window->table();
    gridView = child<HirelingGrid>(*window, "RxDBGrid1");
    table->moveTo(9);
    for (const int column : columns) {
        QAccessibleActionInterface *actions = title(column)->actionInterface();
        QVERIFY(actions != nullptr);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
    QVERIFY(clicked.ascending != 0 || clicked.descending != 0);
    QVERIFY(outcomeOf(*table) == clicked);
    QVERIFY(gridView->hasFocus());
}

void AccessibilityTest::titlesDescribeTheSortState()
{
    const auto descriptions = [this] {
        QStringList all;
        for (int column = 0; column < columnCount; ++column)
            all.append(title(column)->text(QAccessible::Description));
        return all;
    };
    const auto press = [this](int column) {
        title(column)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    QStringList expected(columnCount);
    QCOMPARE(descriptions(), expected);

    press(HealthColumn);
    expected[HealthColumn] = u"по убыванию"_qs;
    QCOMPARE(descriptions(), expected);
    press(HealthColumn);
    expected[HealthColumn] = u"по возрастанию"_qs;
    QCOMPARE(descriptions(), expected);
    press(NameColumn);
    expected[HealthColumn].clear();
    expected[NameColumn] = u"по возрастанию"_qs;
    QCOMPARE(descriptions(), expected);
    press(NameColumn);
    expected[NameColumn] = u"по убыванию"_qs;
    QCOMPARE(descriptions(), expected);
}

void AccessibilityTest::titleClicksAreAnnounced_data()
{
    QTest::addColumn<QList<int>>("titles");
    QTest::addColumn<QString>("announcement");
    QTest::newRow("health") << QList<int>{HealthColumn} << u"здр, по убыванию"_qs;
    QTest::newRow("health twice") << QList<int>{HealthColumn, HealthColumn}
                                  << u"здр, по возрастанию"_qs;
    QTest::newRow("name") << QList<int>{NameColumn} << u"Наемник, по возрастанию"_qs;
    QTest::newRow("level, then name twice")
        << QList<int>{LevelColumn, NameColumn, NameColumn} << u"Наемник, по убыванию"_qs;
}

void AccessibilityTest::titleClicksAreAnnounced()
{
    QFETCH(QList<int>, titles);
    QFETCH(QString, announcement);

    // Readers speak a notification when it is shown, wherever their focus is; the grid puts one
    // up after all its titles and cells for each click, in place of the one before.
    QAccessibleInterface *table = grid();
    const int withoutAnnouncement = (recordCount + 1) * (columnCount + 1);
    QCOMPARE(table->childCount(), withoutAnnouncement);
    QAccessibleInterface *shown = nullptr;
    QAccessible::Id formerId = 0;
    for (const int column : titles) {
        title(column)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(table->childCount(), withoutAnnouncement + 1);
        shown = table->child(withoutAnnouncement);
        QVERIFY(shown != nullptr);
        // A new object, whose name no reader can have kept.
        QVERIFY(QAccessible::uniqueId(shown) != formerId);
        QCOMPARE(QAccessible::accessibleInterface(formerId), nullptr);
        QCOMPARE(table->indexOfChild(shown), withoutAnnouncement);
        QCOMPARE(shown->parent(), table);
        formerId = QAccessible::uniqueId(shown);
    }
    QCOMPARE(shown->role(), QAccessible::Notification);
    // The current row stays where it was (the first row, whose hireling a sort by a skill
    // changes) or keeps its hireling (a sort by name): the focus would not make a reader read
    // the row, so the notice carries it, cell by cell as the reader says the cells.
    QVERIFY(gridView->hasFocus());
    QStringList cells;
    for (int column = 0; column < columnCount; ++column)
        cells << table->tableInterface()
                     ->cellAt(gridView->currentIndex().row(), column)
                     ->text(QAccessible::Name);
    QCOMPARE(shown->text(QAccessible::Name), announcement + u"; "_qs + cells.join(u", "_qs));
    QVERIFY(!shown->state().invisible);
    // A move of the current record is no sort: nothing new is announced.
    QTest::keyClick(gridView, Qt::Key_Down);
    QCOMPARE(table->child(withoutAnnouncement), shown);
}

void AccessibilityTest::aboutWindowLinksArePressableLinks()
{
    PageRecorder browser;
    QDesktopServices::setUrlHandler(u"https"_qs, &browser, "open");
    TfmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    const QList<std::pair<const char *, QUrl>> links = {
        {"lbFendal", QUrl(u"https://www.example.org/ksaron"_qs)},
        {"lbCorvim", QUrl(u"https://corvim.example.com/"_qs)},
    };
    for (const auto &[name, page] : links) {
        auto *label = child<LinkLabel>(about, name);
        QAccessibleInterface *link = accessibleOf(label);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), label->text());
        QCOMPARE(link->text(QAccessible::Description), page.toString());
        QVERIFY(link->state().linked);
        QCOMPARE(link->hyperlinkInterface()->anchorTarget(), page.toString());
        QCOMPARE(link->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        browser.pages.clear();
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(browser.pages, QList<QUrl>{page});
        QVERIFY(about.isVisible());
    }
    QAccessibleInterface *logo = accessibleOf(child(about, "Logo"));
    QCOMPARE(logo->role(), QAccessible::Graphic);
    QCOMPARE(logo->text(QAccessible::Name), u"Логотип"_qs);
    QDesktopServices::unsetUrlHandler(u"https"_qs);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
