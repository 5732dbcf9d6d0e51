// portraitgen: draws every hireling's portrait and writes it as <id>.bmp into the given folder.
#include "BitmapFile.h"
#include "PortraitLooks.h"
#include "PortraitPainter.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: portraitgen <output folder>\n";
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "portraitgen: cannot create " << folder.path() << '\n';
        return 1;
    }

    // Two hirelings must never share a face: a copy-and-paste slip in the looks would show here.
    QHash<QByteArray, QString> seen;
    for (const PortraitLook &look : PortraitLooks::all()) {
        const QByteArray bytes = BitmapFile::encode(PortraitPainter::paint(look));
        if (const auto twin = seen.constFind(bytes); twin != seen.constEnd()) {
            err << "portraitgen: " << look.id << " looks exactly like " << *twin << '\n';
            return 1;
        }
        seen.insert(bytes, look.id);
        QFile file(folder.filePath(look.id + u".bmp"_qs));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            err << "portraitgen: cannot write " << file.fileName() << '\n';
            return 1;
        }
    }
    return 0;
}
