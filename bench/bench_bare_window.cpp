// The yardstick of the start-up benchmark: a plain, empty window of a given size, reporting its
// first painted frame as the program's window does under bench_startup.
//   bench_bare_window WIDTH HEIGHT
#include "FirstFrameProbe.h"
#include "StartupMarks.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int exitCodeUsage = 2;
constexpr int expectedArgumentCount = 3;

int positiveSide(const char *text)
{
    bool ok = false;
    const int side = QByteArray(text).toInt(&ok);
    return ok && side > 0 ? side : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    StartupMarks::mark("main");
    QApplication application(argc, argv);
    StartupMarks::mark("application");
    const int width = argc == expectedArgumentCount ? positiveSide(argv[1]) : 0;
    const int height = argc == expectedArgumentCount ? positiveSide(argv[2]) : 0;
    if (width == 0 || height == 0) {
        std::fputs("usage: bench_bare_window WIDTH HEIGHT\n", stderr);
        return exitCodeUsage;
    }
    QWidget window;
    window.setFixedSize(width, height);
    const FirstFrameProbe probe(window);
    window.show();
    StartupMarks::mark("shown");
    return QApplication::exec();
}
