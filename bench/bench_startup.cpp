// Times the program's start-up to its first painted frame, and its peak memory until then, next to
// a bare window of the same size (bench_bare_window). Each run is a fresh process on the offscreen
// platform; the program's run is this benchmark started again with --child, which goes through
// the program's own start-up sequence.
#include "FirstFrameProbe.h"
#include "FirstFrameReport.h"
#include "HirelingsApplication.h"
#include "Tabula.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const char childOption[] = "--child";
const QString bareWindowProgram = QString::fromUtf8(HIRELINGS_BENCH_BARE_WINDOW);

constexpr int repetitions = 10;
constexpr int warmUps = 1;
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
};

// The program's start-up as main() does it, with the probe on the main window.
int runProgramChild(int argc, char *argv[])
{
    HirelingsApplication application(argc, argv);
    try {
        application.setTitle(TfmMain::applicationTitle());
        const auto fmMain = std::make_unique<TfmMain>();
        const FirstFrameProbe probe(*fmMain);
        fmMain->show();
        return HirelingsApplication::exec();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "start-up failed: %s\n", error.what());
    }
    return exitCodeFailure;
}

class StartupRunner final
{
public:
    explicit StartupRunner(const QString &runtimeDir)
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        // Without it Qt warns on every start, which would only blur a failure's output.
        m_environment.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
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
        return Sample{report->monotonicNanoseconds - started, report->peakResidentKibibytes,
                      report->windowSize};
    }

private:
    QProcessEnvironment m_environment;
};

qint64 median(std::vector<qint64> values)
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

int runBenchmark()
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid()) {
        err << "no temporary folder for the children's runtime files\n";
        return exitCodeFailure;
    }
    const StartupRunner runner(runtimeDir.path());
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList programArguments{QString::fromLatin1(childOption)};
    QString error;

    // The program's window decides the size the bare window is given.
    const auto first = runner.run(self, programArguments, error);
    if (!first) {
        err << error << '\n';
        return exitCodeFailure;
    }
    const QSize size = first->windowSize;
    const QStringList bareArguments{QString::number(size.width()), QString::number(size.height())};

    // The two take turns, so that a change in the load of the machine falls on both alike.
    std::vector<Sample> program;
    std::vector<Sample> bare;
    for (int run = 0; run < warmUps + repetitions; ++run) {
        const auto programSample = runner.run(self, programArguments, error);
        const auto bareSample =
            programSample ? runner.run(bareWindowProgram, bareArguments, error) : std::nullopt;
        if (!programSample || !bareSample) {
            err << error << '\n';
            return exitCodeFailure;
        }
        if (bareSample->windowSize != size) {
            err << "the bare window is not of the program's size\n";
            return exitCodeFailure;
        }
        if (run >= warmUps) {
            program.push_back(*programSample);
            bare.push_back(*bareSample);
        }
    }

    const auto frames = [](const std::vector<Sample> &samples) {
        std::vector<qint64> values;
        for (const Sample &sample : samples)
            values.push_back(sample.firstFrameNanoseconds);
        return median(values);
    };
    const auto memory = [](const std::vector<Sample> &samples) {
        std::vector<qint64> values;
        for (const Sample &sample : samples)
            values.push_back(sample.peakResidentKibibytes);
        return median(values);
    };
    const qint64 programFrame = frames(program);
    const qint64 bareFrame = frames(bare);
    const qint64 programMemory = memory(program);
    const qint64 bareMemory = memory(bare);
    const auto line = [&out](const QString &name, qint64 frame, qint64 kibibytes) {
        out << u"  %1 first frame %2 ms, peak memory %3 KiB\n"_s.arg(name, -12)
                   .arg(double(frame) / nanosecondsPerMillisecond, 6, 'f', 1)
                   .arg(kibibytes, 7);
    };

    out << "Start-up to the first painted frame: offscreen platform, window " << size.width()
        << " x " << size.height() << ", median of " << repetitions << " runs each\n";
    line(u"bare window"_s, bareFrame, bareMemory);
    line(u"hirelings"_s, programFrame, programMemory);
    out << "  first frame, hirelings / bare: "
        << verdict(double(programFrame) / double(std::max<qint64>(bareFrame, 1)), firstFrameTarget)
        << '\n';
    out << "  peak memory, hirelings / bare: "
        << verdict(double(programMemory) / double(std::max<qint64>(bareMemory, 1)),
                   peakMemoryTarget)
        << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], childOption) == 0)
        return runProgramChild(argc, argv);
    const QCoreApplication application(argc, argv);
    return runBenchmark();
}
