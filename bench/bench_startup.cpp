// Times the program's start-up to its first painted frame, and its peak memory until then, next to
// a bare window of the same size (bench_bare_window), on a private X server (Xvfb, the xcb
// platform, where users run the program) and on the offscreen platform. Each run is a fresh
// process; the program's run is this benchmark started again with a child option, which goes
// through the program's own start-up sequence. Runs of the two are paired, and each pair gives a
// ratio: a change in the machine's load falls on both members of a pair alike.
//
// A breakdown follows: the program's start-up done step by step, each step timed on the
// monotonic clock, next to the steps the bare window has in common with it.
#include "AppFonts.h"
#include "ClientDataSet.h"
#include "EmbeddedPacket.h"
#include "FirstFrameProbe.h"
#include "FirstFrameReport.h"
#include "HirelingFields.h"
#include "HirelingsApplication.h"
#include "HirelingTable.h"
#include "NameCollator.h"
#include "RtfReader.h"
#include "ScreenReaderListeners.h"
#include "SessionBusAddress.h"
#include "StartupMarks.h"
#include "Tabula.h"
#include "XvfbServer.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextStream>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const char childOption[] = "--child";
const char stepsChildOption[] = "--child-steps";
const QString bareWindowProgram = QString::fromUtf8(HIRELINGS_BENCH_BARE_WINDOW);

constexpr int repetitions = 12;
constexpr int warmUps = 1;
constexpr int breakdownRepetitions = 12;
constexpr QSize textSampleSize(200, 20);
constexpr int runTimeoutMilliseconds = 60'000;
constexpr double nanosecondsPerMillisecond = 1e6;
constexpr double firstFrameTarget = 1.10;
constexpr double peakMemoryTarget = 1.15;
constexpr int exitCodeFailure = 1;

struct Sample
{
    qint64 firstFrameNanoseconds = 0;
    qint64 peakResidentKibibytes = 0;
    QSize windowSize;
    // Each start-up mark, its time counted from the moment the process was started.
    std::vector<StartupMarks::Mark> marks;
};

// The program's start-up as main() does it, with the probe on the main window.
int runProgramChild(int argc, char *argv[])
{
    StartupMarks::mark("main");
    SessionBusAddress::preventAutolaunch();
    HirelingsApplication application(argc, argv);
    StartupMarks::mark("application");
    try {
        application.setTitle(TfmMain::applicationTitle());
        const auto fmMain = std::make_unique<TfmMain>();
        StartupMarks::mark("window");
        const FirstFrameProbe probe(*fmMain);
        fmMain->show();
        StartupMarks::mark("shown");
        return HirelingsApplication::exec();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "start-up failed: %s\n", error.what());
    }
    return exitCodeFailure;
}

// The same start-up with its parts done one at a time, so that each part's first-time cost shows
// on its own: the application object's parts as HirelingsApplication does them, then the window's
// data (collator, packet, first portrait and dossier) before the window is made, so that what the
// window's construction still costs after them is its widgets.
int runStepsChild(int argc, char *argv[])
{
    StartupMarks::mark("main");
    SessionBusAddress::preventAutolaunch();
    QApplication application(argc, argv);
    StartupMarks::mark("application");
    try {
        QApplication::setWindowIcon(QIcon(u":/icons/hirelings.png"_s));
        // The icon is read when the native window is made; read it here to time it.
        for (const QSize &iconSize : QApplication::windowIcon().availableSizes())
            (void)QApplication::windowIcon().pixmap(iconSize);
        StartupMarks::mark("icon");
        QApplication::setFont(AppFonts::windowFont());
        StartupMarks::mark("font");
        QTranslator qtTranslator;
        if (qtTranslator.load(QLocale(QLocale::Russian, QLocale::Russia), u"qtbase"_s, u"_"_s,
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTranslator);
        StartupMarks::mark("translations");
        const ScreenReaderListeners screenReaderListeners;
        StartupMarks::mark("accessibility");

        // The first text drawn: a font engine, its glyphs and the shaper, which every window with
        // text pays once, whatever shows the text.
        QImage textSample(textSampleSize, QImage::Format_ARGB32_Premultiplied);
        textSample.fill(Qt::white);
        {
            QPainter painter(&textSample);
            painter.setFont(QApplication::font());
            painter.drawText(textSample.rect(), Qt::AlignLeft, u"Наемники ZOLT и KREV 1234"_s);
        }
        StartupMarks::mark("text");

        const NameCollator collator;
        (void)collator.compare(u"Ёршов", u"Ершов");
        StartupMarks::mark("collator");

        ClientDataSet dataSet;
        dataSet.setData(EmbeddedPacket::storedData());
        dataSet.open();
        HirelingTable table;
        table.open();
        table.appendAllFrom(dataSet, HirelingTable::AllRecords);
        StartupMarks::mark("packet");

        const QImage portrait = QImage::fromData(table.currentValue(MDpic).bytes(), "BMP");
        if (portrait.isNull())
            std::fputs("the first portrait does not decode\n", stderr);
        StartupMarks::mark("portrait");

        QTextDocument dossier;
        dossier.setDefaultFont(application.font());
        if (const auto error = RtfReader::read(table.currentValue(MDmemo).bytes(), dossier))
            std::fprintf(stderr, "the first dossier does not read: %s\n", qPrintable(*error));
        dossier.setTextWidth(dossier.idealWidth());
        StartupMarks::mark("dossier");

        const auto fmMain = std::make_unique<TfmMain>();
        StartupMarks::mark("window");
        const FirstFrameProbe probe(*fmMain);
        fmMain->show();
        StartupMarks::mark("shown");
        return QApplication::exec();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "start-up failed: %s\n", error.what());
    }
    return exitCodeFailure;
}

class StartupRunner final
{
public:
    StartupRunner(const QString &runtimeDir, const QString &platform, const QString &display)
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(u"QT_QPA_PLATFORM"_s, platform);
        if (display.isEmpty())
            m_environment.remove(u"DISPLAY"_s);
        else
            m_environment.insert(u"DISPLAY"_s, display);
        m_environment.remove(u"WAYLAND_DISPLAY"_s);
        // Without it Qt warns on every start, which would only blur a failure's output.
        m_environment.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
        // No session bus for either: the bare window would otherwise have libdbus launch one
        // that outlives the benchmark, and the program does without one where none is named.
        m_environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"disabled:"_s);
    }

    // Starts the program, waits for its report; nothing, with the reason in error, on a failure.
    std::optional<Sample> run(const QString &program, const QStringList &arguments,
                              QString &error) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setProgram(program);
        process.setArguments(arguments);
        const qint64 started = FirstFrameReport::monotonicNow();
        process.start();
        if (!process.waitForFinished(runTimeoutMilliseconds)) {
            error = program + u": "_s + process.errorString();
            process.kill();
            process.waitForFinished();
            return std::nullopt;
        }
        const QByteArray output = process.readAllStandardOutput();
        const auto report = FirstFrameReport::fromLine(output);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !report ||
            report->monotonicNanoseconds < started) {
            error = program + u" ended with status "_s + QString::number(process.exitCode()) +
                    u" and printed «"_s + QString::fromLocal8Bit(output).trimmed() +
                    u"»; its error output:\n"_s +
                    QString::fromLocal8Bit(process.readAllStandardError());
            return std::nullopt;
        }
        Sample sample{report->monotonicNanoseconds - started,
                      report->peakResidentKibibytes,
                      report->windowSize,
                      {}};
        for (StartupMarks::Mark mark : StartupMarks::fromOutput(output)) {
            mark.nanoseconds -= started;
            sample.marks.push_back(std::move(mark));
        }
        return sample;
    }

private:
    QProcessEnvironment m_environment;
};

template <typename Number> Number median(std::vector<Number> values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

QString verdict(double ratio, double target)
{
    return QString::number(ratio, 'f', 2) + u" (target at most "_s +
           QString::number(target, 'f', 2) + u") "_s + (ratio <= target ? u"PASS"_s : u"OVER"_s);
}

struct PairedRuns
{
    std::vector<Sample> program;
    std::vector<Sample> bare;
};

// Runs the two in turns; the order within a pair alternates, so that neither always runs second
// with the other's files in the cache.
std::optional<PairedRuns> runPairs(const StartupRunner &runner, QSize &size, QString &error)
{
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList programArguments{QString::fromLatin1(childOption)};
    // The program's window decides the size the bare window is given.
    const auto first = runner.run(self, programArguments, error);
    if (!first)
        return std::nullopt;
    size = first->windowSize;
    const QStringList bareArguments{QString::number(size.width()), QString::number(size.height())};

    PairedRuns runs;
    for (int run = 0; run < warmUps + repetitions; ++run) {
        const bool programFirst = run % 2 == 0;
        std::optional<Sample> programSample;
        std::optional<Sample> bareSample;
        if (programFirst)
            programSample = runner.run(self, programArguments, error);
        if (!programFirst || programSample)
            bareSample = runner.run(bareWindowProgram, bareArguments, error);
        if (!programFirst && bareSample)
            programSample = runner.run(self, programArguments, error);
        if (!programSample || !bareSample)
            return std::nullopt;
        if (bareSample->windowSize != size) {
            error = u"the bare window is not of the program's size"_s;
            return std::nullopt;
        }
        if (run >= warmUps) {
            runs.program.push_back(*programSample);
            runs.bare.push_back(*bareSample);
        }
    }
    return runs;
}

void printComparison(QTextStream &out, const QString &platform, QSize size, const PairedRuns &runs)
{
    const auto collect = [](const std::vector<Sample> &samples, auto member) {
        std::vector<qint64> values;
        for (const Sample &sample : samples)
            values.push_back(sample.*member);
        return values;
    };
    const auto ratios = [&runs](auto member) {
        std::vector<double> values;
        for (std::size_t pair = 0; pair < runs.program.size(); ++pair)
            values.push_back(double(runs.program[pair].*member) /
                             double(std::max<qint64>(runs.bare[pair].*member, 1)));
        return values;
    };
    const auto line = [&out](const QString &name, qint64 frame, qint64 kibibytes) {
        out << u"  %1 first frame %2 ms, peak memory %3 KiB\n"_s.arg(name, -12)
                   .arg(double(frame) / nanosecondsPerMillisecond, 6, 'f', 1)
                   .arg(kibibytes, 7);
    };
    const auto ratioLine = [&out](const QString &what, const std::vector<double> &values,
                                  double target) {
        const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
        out << u"  %1, hirelings / bare: "_s.arg(what) << verdict(median(values), target)
            << u", pairs from %1 to %2\n"_s.arg(*lowest, 0, 'f', 2).arg(*highest, 0, 'f', 2);
    };

    out << "Start-up to the first painted frame: " << platform << ", window " << size.width()
        << " x " << size.height() << ", " << repetitions << " pairs of runs\n";
    line(u"bare window"_s, median(collect(runs.bare, &Sample::firstFrameNanoseconds)),
         median(collect(runs.bare, &Sample::peakResidentKibibytes)));
    line(u"hirelings"_s, median(collect(runs.program, &Sample::firstFrameNanoseconds)),
         median(collect(runs.program, &Sample::peakResidentKibibytes)));
    ratioLine(u"first frame"_s, ratios(&Sample::firstFrameNanoseconds), firstFrameTarget);
    ratioLine(u"peak memory"_s, ratios(&Sample::peakResidentKibibytes), peakMemoryTarget);
}

struct StepCost
{
    QByteArray name;
    double milliseconds = 0;
    // How much the peak resident memory grew during the step.
    qint64 kibibytes = 0;
};

// The median cost of each step, from the mark before it (process start for the first, when the
// peak is counted from nothing) to its own; the last step ends with the first frame.
std::vector<StepCost> stepMedians(const std::vector<Sample> &samples)
{
    std::vector<QByteArray> order;
    std::map<QByteArray, std::vector<qint64>> durations;
    std::map<QByteArray, std::vector<qint64>> growths;
    for (const Sample &sample : samples) {
        StartupMarks::Mark previous;
        for (const StartupMarks::Mark &mark : sample.marks) {
            if (durations.find(mark.name) == durations.end())
                order.push_back(mark.name);
            durations[mark.name].push_back(mark.nanoseconds - previous.nanoseconds);
            growths[mark.name].push_back(mark.peakResidentKibibytes -
                                         previous.peakResidentKibibytes);
            previous = mark;
        }
        durations["frame"].push_back(sample.firstFrameNanoseconds - previous.nanoseconds);
        growths["frame"].push_back(sample.peakResidentKibibytes - previous.peakResidentKibibytes);
    }
    order.push_back("frame");
    std::vector<StepCost> medians;
    for (const QByteArray &name : order)
        medians.push_back({name, double(median(durations[name])) / nanosecondsPerMillisecond,
                           median(growths[name])});
    return medians;
}

QString stepDescription(const QByteArray &name)
{
    static const std::map<QByteArray, QString> descriptions = {
        {"main", u"process start to main(): loading, relocating, static data"_s},
        {"application", u"application object: platform connection, style"_s},
        {"icon", u"window icon (PNG from the resources)"_s},
        {"font", u"window font (font database)"_s},
        {"translations", u"Qt's Russian translations"_s},
        {"accessibility", u"accessibility bridge and screen reader listeners"_s},
        {"text", u"first text drawn: font engine, shaping, glyphs"_s},
        {"collator", u"name collator (first sort only; not in the sum)"_s},
        {"packet", u"packet decode and copy into the table"_s},
        {"portrait", u"first portrait (BMP decode)"_s},
        {"dossier", u"first dossier (RTF read and layout)"_s},
        {"window", u"main window: widgets, fonts, bindings"_s},
        {"shown", u"show(): native window, accessibility"_s},
        {"frame", u"first paint, until the frame is flushed"_s},
    };
    const auto found = descriptions.find(name);
    return found == descriptions.end() ? QString::fromLatin1(name) : found->second;
}

bool printBreakdown(QTextStream &out, const StartupRunner &runner, QSize size, QString &error)
{
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList stepsArguments{QString::fromLatin1(stepsChildOption)};
    const QStringList bareArguments{QString::number(size.width()), QString::number(size.height())};
    std::vector<Sample> program;
    std::vector<Sample> bare;
    for (int run = 0; run < warmUps + breakdownRepetitions; ++run) {
        const auto programSample = runner.run(self, stepsArguments, error);
        const auto bareSample =
            programSample ? runner.run(bareWindowProgram, bareArguments, error) : std::nullopt;
        if (!programSample || !bareSample)
            return false;
        if (run >= warmUps) {
            program.push_back(*programSample);
            bare.push_back(*bareSample);
        }
    }
    std::map<QByteArray, StepCost> bareSteps;
    for (const StepCost &step : stepMedians(bare))
        bareSteps[step.name] = step;
    out << "Breakdown on xcb, step by step, median of " << breakdownRepetitions
        << " runs each: time (ms) and growth of peak memory (KiB); \"-\": no such step in the bare "
           "window\n";
    const auto row = [&out](const QString &step, const QString &programTime,
                            const QString &bareTime, const QString &beyondTime,
                            const QString &programMemory, const QString &bareMemory,
                            const QString &beyondMemory) {
        out << u"  %1 %2 %3 %4 %5 %6 %7\n"_s.arg(step, -58)
                   .arg(programTime, 6)
                   .arg(bareTime, 5)
                   .arg(beyondTime, 6)
                   .arg(programMemory, 7)
                   .arg(bareMemory, 6)
                   .arg(beyondMemory, 7);
    };
    const auto ms = [](double milliseconds) { return QString::number(milliseconds, 'f', 1); };
    row(u"step"_s, u"ms"_s, u"bare"_s, u"beyond"_s, u"KiB"_s, u"bare"_s, u"beyond"_s);
    StepCost programTotal;
    StepCost bareTotal;
    for (const StepCost &step : stepMedians(program)) {
        // The bare window's "shown" holds what the program splits into "window" and "shown".
        const auto found = bareSteps.find(step.name);
        const bool shared = found != bareSteps.end();
        const StepCost bareStep = shared ? found->second : StepCost{};
        // The program makes its collator at the first sort, after start-up.
        if (step.name != "collator") {
            programTotal.milliseconds += step.milliseconds;
            programTotal.kibibytes += step.kibibytes;
            bareTotal.milliseconds += bareStep.milliseconds;
            bareTotal.kibibytes += bareStep.kibibytes;
        }
        row(stepDescription(step.name), ms(step.milliseconds),
            shared ? ms(bareStep.milliseconds) : u"-"_s,
            ms(step.milliseconds - bareStep.milliseconds), QString::number(step.kibibytes),
            shared ? QString::number(bareStep.kibibytes) : u"-"_s,
            QString::number(step.kibibytes - bareStep.kibibytes));
    }
    row(u"sum of the steps' medians"_s, ms(programTotal.milliseconds), ms(bareTotal.milliseconds),
        ms(programTotal.milliseconds - bareTotal.milliseconds),
        QString::number(programTotal.kibibytes), QString::number(bareTotal.kibibytes),
        QString::number(programTotal.kibibytes - bareTotal.kibibytes));
    return true;
}

int runBenchmark()
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid()) {
        err << "no temporary folder for the children's runtime files\n";
        return exitCodeFailure;
    }
    QString error;
    const auto fail = [&err, &error] {
        err << "FAILED: " << error << '\n';
        return exitCodeFailure;
    };

    // The X server lives only as long as the xcb figures are taken.
    {
        const std::unique_ptr<XvfbServer> server = XvfbServer::start(error);
        if (!server)
            return fail();
        const StartupRunner runner(runtimeDir.path(), u"xcb"_s, server->display());
        QSize size;
        const auto runs = runPairs(runner, size, error);
        if (!runs)
            return fail();
        printComparison(out, u"xcb platform on a private Xvfb"_s, size, *runs);
        out.flush();
        if (!printBreakdown(out, runner, size, error))
            return fail();
    }
    out.flush();

    const StartupRunner offscreen(runtimeDir.path(), u"offscreen"_s, QString());
    QSize size;
    const auto runs = runPairs(offscreen, size, error);
    if (!runs)
        return fail();
    printComparison(out, u"offscreen platform"_s, size, *runs);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], childOption) == 0)
        return runProgramChild(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], stepsChildOption) == 0)
        return runStepsChild(argc, argv);
    const QCoreApplication application(argc, argv);
    return runBenchmark();
}
