// Times a sort of the hireling table by each grid column and checks that sorting moves records
// without copying them. Then times a click on a grid title in the program's main window, end to
// end on a private X server: the press, the sort, the notifications, and the repaints of the
// titles, the grid and the detail panel, as a share of a 60 Hz frame.
#include "ClientDataSet.h"
#include "DataError.h"
#include "DataSource.h"
#include "EmbeddedPacket.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "RecordSource.h"
#include "Tabula.h"
#include "TitleButtonHeader.h"
#include "Windows1251.h"
#include "XvfbServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int zoltCount = 40;
constexpr int krevCount = 11;
constexpr int hirelingCount = zoltCount + krevCount;
constexpr int gridFieldCount = MDCost1 + 1;
constexpr int batches = 25;
constexpr int sortsPerBatch = 16; // even: as many descending as ascending sorts
constexpr int sortsPerField = batches * sortsPerBatch;
constexpr int memoBytes = 2500;
constexpr int portraitBytes = 6246;
constexpr unsigned seed = 20240611;
constexpr int minSkill = 0;
constexpr int maxSkill = 100;
constexpr int highestLevel = 8;
constexpr int levelOneCount = 8;
constexpr int middleLevels = highestLevel - 2; // levels 2 to 7
constexpr std::array<int, 3> sharedWageRecords = {3, 20, 45};
constexpr double sharedWage = 150;
constexpr double lowestOtherWage = 200;
constexpr double wageStep = 50;
constexpr int wageSteps = 100;
constexpr int wageStride = 37; // spreads the other wages without a pattern in load order
constexpr double nanosecondsPerMicrosecond = 1000.0;
constexpr int clickRounds = 15;
constexpr double frameMicroseconds60Hz = 1e6 / 60.0;
constexpr double percent = 100.0;

// 51 invented hirelings of the shape the embedded packet has: every grid field set, ties on
// levels and wages, one name with a hyphen and one ending in " *".
class BenchSource final : public RecordSource
{
public:
    BenchSource() : m_fields(HirelingFields::definitions())
    {
        const auto given = std::to_array<const char16_t *>(
            {u"Аркадий", u"Бажен", u"Велимир", u"Гордей", u"Добрыня", u"Ефим", u"Жданко",
             u"Зиновий", u"Игнат", u"Клим", u"Лукьян", u"Мирон", u"Нестор", u"Олесь", u"Прохор",
             u"Радим", u"Савва"});
        const auto family = std::to_array<const char16_t *>({u"Кречет", u"Ёршов", u"Пустельга"});
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> skill(minSkill, maxSkill);

        for (int i = 0; i < hirelingCount; ++i) {
            std::vector<FieldValue> row(static_cast<std::size_t>(HirelingFieldCount));
            QString name = QString::fromUtf16(given[static_cast<std::size_t>(i) % given.size()]) +
                           u' ' +
                           QString::fromUtf16(family[static_cast<std::size_t>(i) / given.size()]);
            if (i == 1)
                name = u"Лука-Мирон Ёршов"_s;
            if (i == hirelingCount - 1)
                name += u" *"_s;
            row[MDName] = text(name);
            for (int field = MDhea; field <= MDmed; ++field) {
                row[static_cast<std::size_t>(field)] =
                    FieldValue::fromSmallInt(static_cast<qint16>(skill(random)));
            }
            const int level = i == 0                               ? highestLevel
                              : i >= hirelingCount - levelOneCount ? 1
                                                                   : 2 + i % middleLevels;
            row[MDlvl] = FieldValue::fromSmallInt(static_cast<qint16>(level));
            const bool shared = std::find(sharedWageRecords.begin(), sharedWageRecords.end(), i) !=
                                sharedWageRecords.end();
            const double wage =
                shared ? sharedWage : lowestOtherWage + wageStep * ((i * wageStride) % wageSteps);
            row[MDCost1] = FieldValue::fromMoney(wage);
            const bool zolt = i < zoltCount;
            row[MDType] = FieldValue::fromSmallInt(zolt ? 0 : 1);
            if (zolt) {
                row[MDCost7] = FieldValue::fromMoney(wage * 6);
                row[MDCost15] = FieldValue::fromMoney(wage * 11);
                row[MDdeposit] = FieldValue::fromMoney(wage);
                row[MDcurtools] = FieldValue::fromMoney(wage / 2);
            }
            row[MDchr] = text(u"спокойный"_s);
            row[MDtools] = text(u"нож, бронежилет, аптечка"_s);
            row[MDAlias] = text(u"Тень, Shadow"_s);
            row[MDspec] = text(u"разведчик"_s);
            row[MDFrends] = text(u"нет"_s);
            row[MDNoFrends] = text(u"нет"_s);
            row[MDmemo] = FieldValue::fromBytes(QByteArray(memoBytes, 'r'));
            row[MDpic] = FieldValue::fromBytes(QByteArray(portraitBytes, 'p'));
            m_rows.push_back(std::move(row));
        }
    }

    const QList<FieldDefinition> &fieldDefinitions() const override { return m_fields; }
    qsizetype recordCount() const override { return static_cast<qsizetype>(m_rows.size()); }
    const FieldValue &value(qsizetype record, qsizetype field) const override
    {
        return m_rows.at(static_cast<std::size_t>(record)).at(static_cast<std::size_t>(field));
    }

private:
    static FieldValue text(const QString &value)
    {
        return FieldValue::fromBytes(Windows1251::encode(value).value_or(QByteArray()));
    }

    QList<FieldDefinition> m_fields;
    std::vector<std::vector<FieldValue>> m_rows;
};

// The embedded packet's data set where the program's assets are linked in; null otherwise.
std::unique_ptr<ClientDataSet> embeddedHirelings()
{
    const QByteArray stored = EmbeddedPacket::storedData();
    if (stored.isEmpty())
        return nullptr;
    auto dataSet = std::make_unique<ClientDataSet>();
    dataSet->setData(stored);
    try {
        dataSet->open();
    } catch (const DataError &error) {
        QTextStream(stderr) << "embedded packet unusable (" << error.message() << ")\n";
        return nullptr;
    }
    return dataSet;
}

// Where each record's values live, by load number: a sort that copied or swapped record contents
// would leave other values at these addresses.
std::vector<const FieldValue *> valueAddressesByLoadNumber(const HirelingTable &table, int field)
{
    std::vector<const FieldValue *> addresses(static_cast<std::size_t>(table.recordCount()) + 1);
    for (int row = 0; row < table.recordCount(); ++row)
        addresses.at(static_cast<std::size_t>(table.loadNumber(row))) = &table.value(row, field);
    return addresses;
}

// Hands every pending event to its receiver, the repaints that a click asked for included:
// they are posted as update requests and painted, then flushed to the X server, right here.
void deliverPendingEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A left click on a title, the press and the release each followed by what they cause.
qint64 clickTitle(TitleButtonHeader &titles, int column)
{
    const QPoint centre(titles.sectionViewportPosition(column) + titles.sectionSize(column) / 2,
                        titles.height() / 2);
    QElapsedTimer timer;
    timer.start();
    QTest::mousePress(titles.viewport(), Qt::LeftButton, {}, centre);
    deliverPendingEvents();
    QTest::mouseRelease(titles.viewport(), Qt::LeftButton, {}, centre);
    deliverPendingEvents();
    return timer.nsecsElapsed();
}

// The program's main window on a private X server, each grid title clicked in turn; false when
// the server cannot be had or a click does not sort.
bool printClickCost(QTextStream &out, int argc, char *argv[])
{
    if (EmbeddedPacket::storedData().isEmpty()) {
        out << "Title click: not timed, the main window needs the embedded packet\n";
        return true;
    }
    QString error;
    const std::unique_ptr<XvfbServer> server = XvfbServer::start(error);
    if (!server) {
        QTextStream(stderr) << "FAILED: " << error << '\n';
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", server->display().toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // Without it Qt warns at start, which would only blur the figures.
    const QTemporaryDir runtimeDir;
    if (runtimeDir.isValid() && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    bool sorted = true;
    {
        QApplication application(argc, argv);
        TfmMain window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        deliverPendingEvents();
        auto *titles = window.findChild<TitleButtonHeader *>();
        if (titles == nullptr)
            return false;
        std::vector<qint64> clicks;
        for (int round = 0; round < clickRounds; ++round) {
            for (int column = 0; column < gridFieldCount; ++column) {
                const auto before = titles->sortMarker(column);
                clicks.push_back(clickTitle(*titles, column));
                sorted = sorted && titles->sortMarker(column) != before;
            }
        }
        std::sort(clicks.begin(), clicks.end());
        const auto share = [](qint64 nanoseconds) {
            const double microseconds = double(nanoseconds) / nanosecondsPerMicrosecond;
            return QString::number(microseconds, 'f', 0) + u" us ("_s +
                   QString::number(microseconds / frameMicroseconds60Hz * percent, 'f', 1) +
                   u" % of a 60 Hz frame)"_s;
        };
        out << "Title click end to end (press, sort, notifications, repaint of titles, grid and "
               "panel, flush), xcb on a private Xvfb, "
            << clicks.size() << " clicks over every column\n";
        out << "  median " << share(clicks[clicks.size() / 2]) << '\n';
        out << "  slowest " << share(clicks.back()) << '\n';
        if (!sorted)
            out << "  A CLICK DID NOT CHANGE ITS TITLE'S SORT MARKER\n";
    }
    return sorted;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream out(stdout);
    DataSource dataSource;
    int notifications = 0;
    QObject::connect(&dataSource, &DataSource::dataChange, [&notifications] { ++notifications; });
    HirelingTable table;
    dataSource.setDataSet(&table);
    table.open();
    const std::unique_ptr<ClientDataSet> embedded = embeddedHirelings();
    if (embedded) {
        table.appendAllFrom(*embedded, HirelingTable::AllRecords);
        out << "Data: the embedded packet\n";
    } else {
        table.appendAllFrom(BenchSource(), HirelingTable::AllRecords);
        out << "Data: invented records of the packet's shape (no embedded packet linked in)\n";
    }

    const std::vector<const FieldValue *> memos = valueAddressesByLoadNumber(table, MDmemo);
    const std::vector<const FieldValue *> portraits = valueAddressesByLoadNumber(table, MDpic);

    out << "Sort of " << table.recordCount() << " records, " << sortsPerField
        << " sorts per column (alternately descending and ascending), median of " << batches
        << " batches\n";
    out << qSetFieldWidth(10) << Qt::left << "column"
        << "field" << Qt::right << "us/sort" << qSetFieldWidth(0) << '\n';
    notifications = 0;
    for (int field = 0; field < gridFieldCount; ++field) {
        const FieldDefinition &definition = table.fieldDefinitions().at(field);
        // The median batch, so that a moment of load from elsewhere on the machine does not count.
        std::vector<qint64> batchNanoseconds;
        for (int batch = 0; batch < batches; ++batch) {
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < sortsPerBatch; ++i)
                table.sortByField(definition.name, true, i % 2 == 0);
            batchNanoseconds.push_back(timer.nsecsElapsed());
        }
        std::nth_element(batchNanoseconds.begin(), batchNanoseconds.begin() + batches / 2,
                         batchNanoseconds.end());
        const double perSort = static_cast<double>(batchNanoseconds[batches / 2]) / sortsPerBatch /
                               nanosecondsPerMicrosecond;
        out << qSetFieldWidth(10) << Qt::left << definition.displayLabel() << definition.name
            << Qt::right << QString::number(perSort, 'f', 1) << qSetFieldWidth(0) << '\n';
    }

    int inPlace = 0;
    for (int row = 0; row < table.recordCount(); ++row) {
        const auto load = static_cast<std::size_t>(table.loadNumber(row));
        if (&table.value(row, MDmemo) == memos.at(load) &&
            &table.value(row, MDpic) == portraits.at(load))
            ++inPlace;
    }
    const int expectedNotifications = 2 * gridFieldCount * sortsPerField;
    out << "records still at their original addresses after " << gridFieldCount * sortsPerField
        << " sorts: " << inPlace << '/' << table.recordCount()
        << (inPlace == table.recordCount() ? " (moved by reference, contents never copied)"
                                           : " (RECORD CONTENTS WERE COPIED)")
        << '\n';
    out << "notifications: " << notifications << " (expected " << expectedNotifications << ")\n";
    out.flush();
    const bool clicksSort = printClickCost(out, argc, argv);
    out.flush();
    return inPlace == table.recordCount() && notifications == expectedNotifications && clicksSort
               ? 0
               : 1;
}
