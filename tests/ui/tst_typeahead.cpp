// Typing in the grid finds a hireling by the first letters of the name.
#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "Tabula.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString nameOf(const HirelingTable &table, int row)
{
    return table.value(row, MDName).displayText(FieldKind::String);
}

QStringList namesInOrder(const HirelingTable &table)
{
    QStringList names;
    for (int row = 0; row < table.recordCount(); ++row)
        names << nameOf(table, row);
    return names;
}

// Long enough that keys sent one after another always count as one search, however slow the
// machine; the pause cases shorten it.
constexpr int unhurriedInterval = 60'000;
constexpr int shortInterval = 50;
constexpr int pauseLongerThanShortInterval = 200;

} // namespace

class TypeAheadTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void findsByFirstLetters_data();
    void findsByFirstLetters();
    void followsThePresentOrder_data();
    void followsThePresentOrder();
    void commandKeysDoNotSearch();

private:
    // Types each chunk as key presses; between chunks the input interval passes.
    void type(const QStringList &chunks);

    std::unique_ptr<TfmMain> window;
    HirelingTable *table = nullptr;
    HirelingGrid *grid = nullptr;
    int originalInterval = 0;
};

void TypeAheadTest::init()
{
    originalInterval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(unhurriedInterval);
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    table = &window->table();
    grid = window->findChild<HirelingGrid *>(u"RxDBGrid1"_qs);
    QVERIFY(grid != nullptr);
    grid->setFocus();
    QCOMPARE(table->currentRow(), 0);
}

void TypeAheadTest::cleanup()
{
    window.reset();
    QApplication::setKeyboardInputInterval(originalInterval);
}

void TypeAheadTest::type(const QStringList &chunks)
{
    if (chunks.size() > 1)
        QApplication::setKeyboardInputInterval(shortInterval);
    for (qsizetype chunk = 0; chunk < chunks.size(); ++chunk) {
        for (qsizetype at = 0; at < chunks[chunk].size(); ++at) {
            // The first key of every chunk but the first comes after a pause.
            const int delay = (chunk > 0 && at == 0) ? pauseLongerThanShortInterval : -1;
            // The key code a keyboard layout gives a letter is its capital's code point.
            const QString letter = chunks[chunk].mid(at, 1);
            const auto key = static_cast<Qt::Key>(letter.toUpper().front().unicode());
            QTest::sendKeyEvent(QTest::Click, grid, key, letter, Qt::NoModifier, delay);
        }
    }
}

void TypeAheadTest::findsByFirstLetters_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("expected");

    // Load order: Глеб Вершинин is current; Ирма Кальдер comes before Инга Шварц and Игнат
    // Сухоруков, Ева Ланская before Ефим Лапа.
    QTest::newRow("one letter, the first of several") << QStringList{u"и"_qs} << u"Ирма Кальдер"_qs;
    QTest::newRow("two letters pass the earlier ones")
        << QStringList{u"иг"_qs} << u"Игнат Сухоруков"_qs;
    QTest::newRow("capitals") << QStringList{u"ИН"_qs} << u"Инга Шварц"_qs;
    QTest::newRow("mixed case across the space") << QStringList{u"еФиМ л"_qs} << u"Ефим Лапа"_qs;
    QTest::newRow("a whole name") << QStringList{u"луиза мартен-рой"_qs} << u"Луиза Мартен-Рой"_qs;
    // The name sort's collation tells Ё from Е, so Ё finds none of the Е names.
    QTest::newRow("Ё is not Е") << QStringList{u"ёв"_qs} << u"Глеб Вершинин"_qs;
    QTest::newRow("no name begins so") << QStringList{u"щ"_qs} << u"Глеб Вершинин"_qs;
    QTest::newRow("a miss after a find keeps the find")
        << QStringList{u"ирщ"_qs} << u"Ирма Кальдер"_qs;
    // Without the pause "ив" would find nothing and Ирма Кальдер would stay current.
    QTest::newRow("a pause starts anew") << QStringList{u"и"_qs, u"в"_qs} << u"Вера Стрельцова"_qs;
    QTest::newRow("no pause, one search") << QStringList{u"ив"_qs} << u"Ирма Кальдер"_qs;
}

void TypeAheadTest::findsByFirstLetters()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, expected);

    const QStringList namesBefore = namesInOrder(*table);
    auto *dsMD = window->findChild<DataSource *>(u"dsMD"_qs);
    QVERIFY(dsMD != nullptr);
    QSignalSpy changes(dsMD, &DataSource::dataChange);
    auto *alias = window->findChild<QWidget *>(u"dbAlias"_qs);
    QVERIFY(alias != nullptr);

    type(typed);

    QCOMPARE(nameOf(*table, table->currentRow()), expected);
    QCOMPARE(grid->currentIndex().row(), table->currentRow());
    // Each find is one move, told once; the panel shows the record found; nothing was edited.
    const bool moved = expected != namesBefore.first();
    const auto notifications = changes.count();
    QCOMPARE(notifications > 0, moved);
    QVERIFY(notifications <= typed.join(QString()).size());
    QCOMPARE(alias->property("text").toString(),
             table->currentValue(MDAlias).displayText(FieldKind::String));
    QCOMPARE(namesInOrder(*table), namesBefore);
    // No editor took the keys: the grid keeps the focus.
    QCOMPARE(QApplication::focusWidget(), grid);
}

void TypeAheadTest::followsThePresentOrder_data()
{
    QTest::addColumn<int>("nameTitleClicks");
    QTest::addColumn<QString>("expected");

    // Игнат < Инга < Ирма by name.
    QTest::newRow("names ascending") << 1 << u"Игнат Сухоруков"_qs;
    QTest::newRow("names descending") << 2 << u"Ирма Кальдер"_qs;
}

void TypeAheadTest::followsThePresentOrder()
{
    QFETCH(int, nameTitleClicks);
    QFETCH(QString, expected);

    QHeaderView *titles = grid->horizontalHeader();
    const QPoint nameTitle(titles->sectionViewportPosition(0) + titles->sectionSize(0) / 2,
                           titles->height() / 2);
    for (int click = 0; click < nameTitleClicks; ++click)
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, nameTitle);
    grid->setFocus();

    type({u"и"_qs});
    QCOMPARE(nameOf(*table, table->currentRow()), expected);
}

void TypeAheadTest::commandKeysDoNotSearch()
{
    QTest::keyClick(grid, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_I, Qt::AltModifier);
    QCOMPARE(table->currentRow(), 0);
    // A letter that is text still searches afterwards: "и" finds Ирма Кальдер.
    type({u"и"_qs});
    QCOMPARE(nameOf(*table, table->currentRow()), u"Ирма Кальдер"_qs);
}

QTEST_MAIN(TypeAheadTest)
#include "tst_typeahead.moc"
