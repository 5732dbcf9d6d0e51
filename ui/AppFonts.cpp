// The sans-serif face that ships with the program and stands in for "MS Sans Serif".
#include "AppFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

constexpr int windowFontPixels = 11;

QString &bundledFamily()
{
    static QString family;
    return family;
}

} // namespace

namespace AppFonts {

void registerBundledFaces()
{
    if (!bundledFamily().isEmpty())
        return;
    const QStringList faces = {u":/fonts/PTS55F.ttf"_qs, u":/fonts/PTS56F.ttf"_qs,
                               u":/fonts/PTS75F.ttf"_qs, u":/fonts/PTS76F.ttf"_qs};
    for (const QString &face : faces) {
        const int id = QFontDatabase::addApplicationFont(face);
        if (id >= 0 && bundledFamily().isEmpty()) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                bundledFamily() = families.front();
        }
    }
}

QFont sansSerif(int pixelSize, bool bold, bool italic)
{
    registerBundledFaces();
    QFont font(bundledFamily().isEmpty() ? u"Sans Serif"_qs : bundledFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QFont windowFont()
{
    return sansSerif(windowFontPixels);
}

} // namespace AppFonts
