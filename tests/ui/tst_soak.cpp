// A long random session on the main window: every part stays in step, nothing leaks.
#include "BoundText.h"
#include "DossierView.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "NameCollator.h"
#include "PortraitView.h"
#include "Tabula.h"
#include "TitleButtonHeader.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <optional>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace {

constexpr int recordCount = 51;
constexpr int lastRow = recordCount - 1;
constexpr int gridColumnCount = MDCost1 + 1;
constexpr int nameColumn = MDName;

// The session: a fixed seed, so that a failure can be replayed event for event.
constexpr quint32 seed = 20240611;
constexpr int eventCount = 4000;
// Memory is compared between the end of the warm-up and the end of the session: it must have
// levelled off by then. A cache that fills with copies grows it by about 0.5 MiB over the rest
// of the session; a session that keeps nothing grows it by some 50 KiB of heap rounding.
constexpr int warmUpEvents = 1000;
constexpr qint64 allowedGrowth = 256 * 1024;
// Going back and forth between the grid and a dossier that scrolls: after the warm-up, memory
// must stay where it is, give or take what the heap rounds to.
constexpr int dossierWarmUpVisits = 100;
constexpr int dossierVisits = 300;
constexpr qint64 allowedDossierGrowth = 64 * 1024;
// The painted markers are read after every title event and, in between, at this interval.
constexpr int markerCheckInterval = 97;
constexpr int repaintInterval = 4;

// A title is a button with a 1-pixel edge, followed by its grid line.
constexpr int titleEdge = 1;
constexpr int titleInset = titleEdge + TitleButtonHeader::gridLineWidth;
// How far below the title row an aborted title press is released, in title-row heights.
constexpr int releaseRowsBelow = 4;

using Marker = TitleButtonHeader::SortMarker;

const QString wageCaptionAllTerms = u"Зарплата 1 д. / 7 д. / 14 д."_qs;
const QString wageCaptionDailyOnly = u"Зарплата 1 д."_qs;

// The data texts of the detail panel and the fields they show.
constexpr std::array<std::pair<const char *, HirelingField>, 11> boundTexts = {{
    {"db1day", MDCost1},
    {"db7day", MDCost7},
    {"db15day", MDCost15},
    {"dbDep", MDdeposit},
    {"dbTol", MDcurtools},
    {"dbChr", MDchr},
    {"dbAlias", MDAlias},
    {"dbFrends", MDFrends},
    {"dbNoFrends", MDNoFrends},
    {"dbSpec", MDspec},
    {"DBText2", MDtools},
}};

// What the user can do, with how often the session does it (out of the sum of the weights).
enum class Action
{
    RowClick,
    TitleClick,
    TitlePressReleasedElsewhere,
    NavigationKey,
    TabKey,
    PortraitClick,
    DossierClick,
    CopyKey,
    ActionCount
};

constexpr std::array<int, static_cast<int>(Action::ActionCount)> actionWeights = {
    28, // RowClick
    9,  // TitleClick
    3,  // TitlePressReleasedElsewhere
    34, // NavigationKey
    9,  // TabKey
    6,  // PortraitClick
    6,  // DossierClick
    5,  // CopyKey
};

struct NavigationKey
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

constexpr std::array<NavigationKey, 10> navigationKeys = {{
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
    {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Home, Qt::ControlModifier, "Ctrl+Home"},
    {Qt::Key_End, Qt::ControlModifier, "Ctrl+End"},
}};

template <typename T> T *child(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no child %s", name);
    return found;
}

// The process's resident memory in bytes, from the kernel's statm (pages); none where there is
// no such file.
std::optional<qint64> residentBytes()
{
#ifdef Q_OS_LINUX
    QFile statm(u"/proc/self/statm"_qs);
    if (!statm.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    constexpr int residentField = 1;
    if (fields.size() <= residentField)
        return std::nullopt;
    bool ok = false;
    const qint64 pages = fields.at(residentField).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return pages * sysconf(_SC_PAGESIZE);
#else
    return std::nullopt;
#endif
}

// The order of load numbers that a sort by `field` must give: by value (nulls first, names by
// the user's collation), equal values by load number; descending is the exact reverse.
QList<int> sortedLoadNumbers(const HirelingTable &loadOrder, HirelingField field, bool descending)
{
    QList<int> rows(loadOrder.recordCount());
    std::iota(rows.begin(), rows.end(), 0);
    const FieldKind kind = HirelingFields::definition(field).kind;
    const NameCollator collator(Qt::CaseInsensitive);
    const auto compare = [&](int a, int b) {
        const FieldValue &left = loadOrder.value(a, field);
        const FieldValue &right = loadOrder.value(b, field);
        if (left.isNull() != right.isNull())
            return left.isNull() ? -1 : 1;
        if (left.isNull())
            return 0;
        if (kind == FieldKind::String)
            return collator.compare(left.displayText(kind), right.displayText(kind));
        const double l = left.asFloat();
        const double r = right.asFloat();
        return l < r ? -1 : (l > r ? 1 : 0);
    };
    std::sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int order = compare(a, b);
        return order != 0 ? order < 0 : loadOrder.loadNumber(a) < loadOrder.loadNumber(b);
    });
    QList<int> loads;
    for (const int row : rows)
        loads << loadOrder.loadNumber(row);
    if (descending)
        std::reverse(loads.begin(), loads.end());
    return loads;
}

} // namespace

class SoakTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomSessionKeepsEverythingInStep();
    void dossierVisitsLevelOff();

private:
    // What the window must show after each event, kept by the test from the events alone.
    struct Expected
    {
        quint8 asc = 0;
        quint8 desc = 0;
        int currentLoad = 1;
        QWidget *focus = nullptr;
        bool depositShown = false;
    };

    // What the detail panel must show for a record, whatever the order.
    struct RecordFacts
    {
        bool krev = false;
        bool deposit = false;
        QImage portrait;
        QString dossier;
    };

    void learnTheRecords();
    void act(Action action);
    void applyTitleClick(int column);
    void followTheCurrentRecord();
    void checkInStep(bool readMarkers);
    [[nodiscard]] QList<int> shownLoadNumbers() const;
    [[nodiscard]] int currentLoad() const;
    [[nodiscard]] Marker paintedMarker(int column) const;
    [[nodiscard]] QPoint randomPointIn(const QRect &rect);

    std::unique_ptr<TfmMain> window;
    HirelingTable *table = nullptr;
    HirelingGrid *grid = nullptr;
    TitleButtonHeader *titles = nullptr;
    PortraitView *portrait = nullptr;
    DossierView *dossier = nullptr;

    QRandomGenerator random{seed};
    Expected expected;
    QString lastEvent;
    int eventIndex = 0;

    QHash<int, RecordFacts> facts; // by load number
    // By sort (column * 2, plus 1 when descending): the order of load numbers.
    QHash<int, QList<int>> orders;
    QList<int> loadOrder;
};

void SoakTest::initTestCase()
{
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    table = &window->table();
    grid = child<HirelingGrid>(*window, "RxDBGrid1");
    titles = grid->titleButtons();
    portrait = child<PortraitView>(*window, "lbdbImage");
    dossier = child<DossierView>(*window, "DBRichEdit1");
    QCOMPARE(table->recordCount(), recordCount);
    learnTheRecords();
    expected.focus = grid;
    followTheCurrentRecord();
}

void SoakTest::cleanupTestCase()
{
    window.reset();
}

// Reads each record once, in load order, before anything is sorted: the values the detail panel
// must show for it, its portrait, the dossier text shown for it, and the order of every sort.
void SoakTest::learnTheRecords()
{
    for (int row = 0; row < recordCount; ++row) {
        QCOMPARE(table->loadNumber(row), row + 1);
        loadOrder << row + 1;
        table->moveTo(row);
        RecordFacts record;
        record.krev = table->value(row, MDType).asInteger() != 0;
        record.deposit = table->value(row, MDdeposit).asFloat() != 0.0;
        record.portrait = QImage::fromData(table->value(row, MDpic).bytes(), "BMP")
                              .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!record.portrait.isNull());
        record.dossier = dossier->toPlainText();
        facts.insert(row + 1, record);
    }
    table->moveTo(0);
    for (int column = 0; column < gridColumnCount; ++column) {
        for (const bool descending : {false, true}) {
            orders.insert(column * 2 + (descending ? 1 : 0),
                          sortedLoadNumbers(*table, HirelingField(column), descending));
        }
    }
}

QList<int> SoakTest::shownLoadNumbers() const
{
    QList<int> loads;
    for (int row = 0; row < table->recordCount(); ++row)
        loads << table->loadNumber(row);
    return loads;
}

int SoakTest::currentLoad() const
{
    return table->loadNumber(table->currentRow());
}

QPoint SoakTest::randomPointIn(const QRect &rect)
{
    return {rect.left() + random.bounded(rect.width()), rect.top() + random.bounded(rect.height())};
}

// The click rule: the name column starts ascending, every other column descending, and a
// repeated click reverses; any column but the name's makes the first record current.
void SoakTest::applyTitleClick(int column)
{
    const auto position = static_cast<quint8>(column + 1);
    if (column == nameColumn) {
        const bool descending = expected.asc == position;
        expected.asc = descending ? 0 : position;
        expected.desc = descending ? position : 0;
        return;
    }
    const bool ascending = expected.desc == position;
    expected.asc = ascending ? position : 0;
    expected.desc = ascending ? 0 : position;
    const int sortedColumn = column * 2 + (ascending ? 0 : 1);
    expected.currentLoad = orders.value(sortedColumn).first();
}

// The deposit text keeps the visibility that the last ZOLT record gave it.
void SoakTest::followTheCurrentRecord()
{
    const RecordFacts &record = facts.value(expected.currentLoad);
    if (!record.krev)
        expected.depositShown = record.deposit;
}

void SoakTest::act(Action action)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "no widget has the keyboard focus");
    switch (action) {
    case Action::RowClick: {
        // Anywhere in the grid's viewport: on a row shown whole or in part, or on the blank
        // right of the last column.
        const QPoint at = randomPointIn(grid->viewport()->rect());
        const QModelIndex index = grid->indexAt(at);
        lastEvent =
            u"click on the grid at %1,%2 (row %3, top row %4, current row %5)"_qs.arg(at.x())
                .arg(at.y())
                .arg(index.row())
                .arg(grid->topRow())
                .arg(table->currentRow());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        if (index.isValid())
            expected.currentLoad = table->loadNumber(index.row());
        expected.focus = grid;
        break;
    }
    case Action::TitleClick: {
        const int column = static_cast<int>(random.bounded(gridColumnCount));
        // Anywhere on the title but its edges and its grid line.
        const QRect title = QRect(titles->sectionViewportPosition(column), 0,
                                  titles->sectionSize(column), titles->height())
                                .adjusted(titleEdge, titleEdge, -titleInset, -titleInset);
        const QPoint at = randomPointIn(title);
        lastEvent = u"click on title %1 at %2,%3"_qs.arg(column).arg(at.x()).arg(at.y());
        const int before = currentLoad();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, at);
        expected.currentLoad = before;
        applyTitleClick(column);
        expected.focus = grid;
        break;
    }
    case Action::TitlePressReleasedElsewhere: {
        const int column = static_cast<int>(random.bounded(gridColumnCount));
        const int other =
            (column + 1 + static_cast<int>(random.bounded(gridColumnCount - 1))) % gridColumnCount;
        const QPoint at(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                        titles->height() / 2);
        const QPoint away =
            random.bounded(2) == 0
                ? QPoint(titles->sectionViewportPosition(other) + titles->sectionSize(other) / 2,
                         titles->height() / 2)
                : at + QPoint(0, titles->height() * releaseRowsBelow);
        lastEvent =
            u"press on title %1, release at %2,%3"_qs.arg(column).arg(away.x()).arg(away.y());
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseMove(titles->viewport(), away);
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, away);
        expected.focus = grid;
        break;
    }
    case Action::NavigationKey: {
        const NavigationKey &key =
            navigationKeys.at(std::size_t(random.bounded(int(navigationKeys.size()))));
        lastEvent = u"%1 on %2"_qs.arg(QLatin1StringView(key.name), focus->objectName());
        const int row = table->currentRow();
        const int page = grid->visibleRowCount();
        QTest::keyClick(focus, key.key, key.modifiers);
        if (focus != grid)
            break; // the portrait ignores them; the dossier scrolls its text
        int target = row;
        switch (key.key) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            target = row - 1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            target = row + 1;
            break;
        case Qt::Key_PageUp:
            target = row - page;
            break;
        case Qt::Key_PageDown:
            target = row + page;
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        default:
            target = lastRow;
            break;
        }
        expected.currentLoad = table->loadNumber(std::clamp(target, 0, lastRow));
        break;
    }
    case Action::TabKey: {
        const bool backwards = random.bounded(2) == 0;
        lastEvent =
            u"%1 on %2"_qs.arg(backwards ? u"Shift+Tab"_qs : u"Tab"_qs, focus->objectName());
        QTest::keyClick(focus, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        // Tab goes round the grid and the portrait; the dossier is no stop of its own.
        if (focus == grid)
            expected.focus = portrait;
        else if (focus == portrait)
            expected.focus = grid;
        else
            expected.focus = QApplication::focusWidget() == portrait
                                 ? static_cast<QWidget *>(portrait)
                                 : static_cast<QWidget *>(grid);
        break;
    }
    case Action::PortraitClick: {
        const QPoint at = randomPointIn(portrait->rect());
        lastEvent = u"click on the portrait at %1,%2"_qs.arg(at.x()).arg(at.y());
        QTest::mouseClick(portrait, Qt::LeftButton, {}, at);
        expected.focus = portrait;
        break;
    }
    case Action::DossierClick: {
        const QPoint at = randomPointIn(dossier->viewport()->rect());
        lastEvent = u"click on the dossier at %1,%2"_qs.arg(at.x()).arg(at.y());
        QTest::mouseClick(dossier->viewport(), Qt::LeftButton, {}, at);
        expected.focus = dossier;
        break;
    }
    case Action::CopyKey: {
        lastEvent = u"Ctrl+C on %1"_qs.arg(focus->objectName());
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        if (focus == portrait) {
            QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                     facts.value(expected.currentLoad).portrait);
        }
        break;
    }
    case Action::ActionCount:
        break;
    }
    followTheCurrentRecord();
}

Marker SoakTest::paintedMarker(int column) const
{
    // The marker's box stands 3 pixels left of the title's inner right edge.
    constexpr int markerGap = 3;
    constexpr int rowsSkipped = titleInset; // the title's top edge; its foot edge and grid line
    const QImage image = titles->grab().toImage();
    const int boxEnd = titles->sectionViewportPosition(column) + titles->sectionSize(column) -
                       TitleButtonHeader::gridLineWidth - titleEdge - markerGap;
    const int boxStart = boxEnd - TitleButtonHeader::markerWidth;
    const QRgb grey = qRgb(128, 128, 128) & RGB_MASK;
    const QRgb white = qRgb(255, 255, 255) & RGB_MASK;
    constexpr int baseWidth = 8;
    Marker found = Marker::None;
    for (int y = rowsSkipped; y < image.height() - rowsSkipped; ++y) {
        int greys = 0;
        int whites = 0;
        for (int x = boxStart; x < boxEnd; ++x) {
            const QRgb pixel = image.pixel(x, y) & RGB_MASK;
            greys += pixel == grey ? 1 : 0;
            whites += pixel == white ? 1 : 0;
        }
        // A downward triangle has its dark grey base at the top, an upward one its white base
        // at the foot.
        if (greys >= baseWidth && found == Marker::None)
            found = Marker::Down;
        else if (whites >= baseWidth)
            found = found == Marker::None ? Marker::Up : found;
    }
    return found;
}

void SoakTest::checkInStep(bool readMarkers)
{
    const QString event = u"event %1 (%2)"_qs.arg(eventIndex).arg(lastEvent);
    const QByteArray where = event.toUtf8();

    // The table: its records, its current record, its order.
    QVERIFY2(table->recordCount() == recordCount, where);
    QVERIFY2(table->currentRow() >= 0 && table->currentRow() < recordCount, where);
    QVERIFY2(currentLoad() == expected.currentLoad,
             where + " current load number " + QByteArray::number(currentLoad()) + ", expected " +
                 QByteArray::number(expected.currentLoad));
    QVERIFY2(TfmMain::ascSortColumn() == expected.asc && TfmMain::descSortColumn() == expected.desc,
             where + " sort state " + QByteArray::number(TfmMain::ascSortColumn()) + "/" +
                 QByteArray::number(TfmMain::descSortColumn()));
    const QList<int> order = expected.asc != 0    ? orders.value((expected.asc - 1) * 2)
                             : expected.desc != 0 ? orders.value((expected.desc - 1) * 2 + 1)
                                                  : loadOrder;
    QVERIFY2(shownLoadNumbers() == order, where);

    // The grid: the current row is current, the only one selected and in view.
    const int row = table->currentRow();
    QVERIFY2(grid->currentIndex().row() == row, where);
    const QModelIndexList selected = grid->selectionModel()->selectedRows();
    QVERIFY2(selected.size() == 1 && selected.first().row() == row,
             where + " selected rows: " + QByteArray::number(selected.size()) + ", the first " +
                 QByteArray::number(selected.value(0).row()) + ", current row " +
                 QByteArray::number(row));
    QVERIFY2(grid->model()->rowCount() == recordCount, where);
    QVERIFY2(row >= grid->topRow() && row < grid->topRow() + grid->visibleRowCount(), where);

    // The focus went where the events sent it.
    QVERIFY2(QApplication::focusWidget() == expected.focus, where);

    // The detail panel: every text, the agency rules, the portrait and the dossier.
    for (const auto &[name, field] : boundTexts) {
        const QString shown = child<BoundText>(*window, name)->text();
        const QString wanted =
            table->value(row, field).displayText(HirelingFields::definition(field).kind);
        QVERIFY2(shown == wanted, where + " " + name);
    }
    const RecordFacts &record = facts.value(expected.currentLoad);
    const bool krev = record.krev;
    QVERIFY2(child<QLabel>(*window, "lbKREV")->text() == (krev ? u"KREV"_qs : u"ZOLT"_qs), where);
    QVERIFY2(child<QLabel>(*window, "lb1")->text() ==
                 (krev ? wageCaptionDailyOnly : wageCaptionAllTerms),
             where);
    QVERIFY2(child<QLabel>(*window, "lb5")->isHidden() == (krev || !record.deposit), where);
    QVERIFY2(child<QLabel>(*window, "lb6")->isHidden() == krev, where);
    QVERIFY2(child<BoundText>(*window, "dbDep")->isHidden() == !expected.depositShown, where);
    QVERIFY2(portrait->image().convertToFormat(QImage::Format_RGB32) == record.portrait, where);
    QVERIFY2(dossier->toPlainText() == record.dossier, where);

    // The markers as painted: only the sorted column's title carries one, pointing its way.
    if (readMarkers) {
        for (int column = 0; column < gridColumnCount; ++column) {
            const auto position = static_cast<quint8>(column + 1);
            const Marker wanted = position == expected.asc    ? Marker::Down
                                  : position == expected.desc ? Marker::Up
                                                              : Marker::None;
            QVERIFY2(paintedMarker(column) == wanted,
                     where + " marker on title " + QByteArray::number(column));
        }
    }
}

void SoakTest::randomSessionKeepsEverythingInStep()
{
    const int totalWeight = std::accumulate(actionWeights.begin(), actionWeights.end(), 0);
    lastEvent = u"start"_qs;
    checkInStep(true);
    if (QTest::currentTestFailed())
        return;

    std::optional<qint64> afterWarmUp;
    for (eventIndex = 1; eventIndex <= eventCount; ++eventIndex) {
        int pick = static_cast<int>(random.bounded(totalWeight));
        int action = 0;
        while (pick >= actionWeights.at(action))
            pick -= actionWeights.at(action++);
        act(Action(action));
        if (QTest::currentTestFailed())
            return;
        // Let the window repaint, as the message loop does between user actions; painting after
        // every action would make the session several times as slow.
        if (eventIndex % repaintInterval == 0)
            QCoreApplication::processEvents();
        const bool titleEvent = Action(action) == Action::TitleClick ||
                                Action(action) == Action::TitlePressReleasedElsewhere;
        checkInStep(titleEvent || eventIndex % markerCheckInterval == 0);
        if (QTest::currentTestFailed())
            return;
        if (eventIndex == warmUpEvents)
            afterWarmUp = residentBytes();
    }

    const std::optional<qint64> atEnd = residentBytes();
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so resident memory says nothing here.
    QSKIP("resident memory is not meaningful under AddressSanitizer");
#endif
    if (!afterWarmUp || !atEnd)
        QSKIP("resident memory cannot be read on this system");
    const qint64 growth = *atEnd - *afterWarmUp;
    qInfo("resident memory: %lld bytes after %d events, %lld bytes after %d", *afterWarmUp,
          warmUpEvents, *atEnd, eventCount);
    QVERIFY2(growth <= allowedGrowth,
             QByteArray::number(growth) + " bytes more resident memory after " +
                 QByteArray::number(eventCount - warmUpEvents) + " more events");
}

// Each visit clicks the row of a hireling whose dossier has a scroll bar, lets the window paint,
// clicks into the dossier and lets it paint again: the focus goes back and forth each time.
void SoakTest::dossierVisitsLevelOff()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("resident memory is not meaningful under AddressSanitizer");
#endif
    if (!residentBytes())
        QSKIP("resident memory cannot be read on this system");
    int scrolling = -1;
    for (int row = 0; row < table->recordCount() && scrolling < 0; ++row) {
        table->moveTo(row);
        QCoreApplication::processEvents();
        if (dossier->verticalScrollBar()->isVisible())
            scrolling = row;
    }
    QVERIFY2(scrolling >= 0, "no hireling's dossier scrolls");
    const auto visit = [&] {
        const QModelIndex index = grid->model()->index(scrolling, MDhea);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        QCoreApplication::processEvents();
        QTest::mouseClick(dossier->viewport(), Qt::LeftButton, {},
                          dossier->viewport()->rect().center());
        QCoreApplication::processEvents();
    };
    for (int warmUp = 0; warmUp < dossierWarmUpVisits; ++warmUp)
        visit();
    QCOMPARE(QApplication::focusWidget(), dossier);
    const qint64 before = *residentBytes();
    for (int visitIndex = 0; visitIndex < dossierVisits; ++visitIndex)
        visit();
    const qint64 growth = *residentBytes() - before;
    qInfo("resident memory: %lld bytes more after %d more visits of a dossier", growth,
          dossierVisits);
    QVERIFY2(growth <= allowedDossierGrowth,
             QByteArray::number(growth) + " bytes more resident memory after " +
                 QByteArray::number(dossierVisits) + " visits of a dossier");
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
