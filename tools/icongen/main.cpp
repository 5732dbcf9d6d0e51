// icongen: draws the program's icon and writes the Windows icon file, the PNG pictures of every
// desktop icon size and the scalable picture into a folder. Run by hand when the drawing changes;
// its outputs are kept with the sources.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdio>

#include "IcoEncoder.h"
#include "IconDrawing.h"
#include "SvgWriter.h"

namespace {

// The Windows icon carries exactly one picture of this size.
constexpr int windowsIconSide = 32;
// The sizes of the desktop icon theme's fixed-size folders.
constexpr std::array desktopIconSides{16, 24, 32, 48, 64, 128, 256};

enum ExitCode
{
    Success = 0,
    Failure = 1,
    Usage = 2
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "icongen: nothing to write to %s\n", qPrintable(path));
        return false;
    }
    QSaveFile file{path};
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "icongen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool writePng(const QString &path, const QImage &image)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: icongen <output folder>\n"
                             "writes hirelings.ico and icons/hirelings-<size>.png, "
                             "icons/hirelings.svg into the folder\n");
        return Usage;
    }
    const QDir output{arguments.at(1)};
    if (!output.mkpath(u"icons"_qs)) {
        std::fprintf(stderr, "icongen: cannot create %s\n",
                     qPrintable(output.filePath(u"icons"_qs)));
        return Failure;
    }

    const IconDrawing drawing;
    bool written = writeFile(output.filePath(u"hirelings.ico"_qs),
                             IcoEncoder::encode(drawing.render(windowsIconSide)));
    for (const int side : desktopIconSides)
        written = writePng(output.filePath(u"icons/hirelings-%1.png"_qs.arg(side)),
                           drawing.render(side)) &&
                  written;
    written = writeFile(output.filePath(u"icons/hirelings.svg"_qs),
                        SvgWriter::write(drawing.shapes(), IconDrawing::canvasSize)) &&
              written;
    return written ? Success : Failure;
}
