// Draws the About window's logo and writes it to the bitmap file named on the command line.
#include "BmpEncoder.h"
#include "LogoDrawing.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    constexpr int expectedArguments = 2;
    if (argc != expectedArguments) {
        std::fprintf(stderr, "usage: hirelings_logogen <output.bmp>\n");
        return 2;
    }
    const QByteArray bytes = BmpEncoder::encode24(LogoDrawing().render());
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "hirelings_logogen: cannot write %s: %s\n",
                     qUtf8Printable(file.fileName()), qUtf8Printable(file.errorString()));
        return 1;
    }
    return 0;
}
