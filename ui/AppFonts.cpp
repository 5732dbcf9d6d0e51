// The window face: PT Sans from the system's fonts, standing in for "MS Sans Serif".
#include "AppFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>

#include <array>

namespace {

constexpr int windowFontPixels = 11;

const QString preferredFamily = u"PT Sans"_qs;

// The windows' fixed geometry was drawn for PT Sans. Another face is narrowed until this sample
// of Russian and Latin text is no wider than in PT Sans, so that captions keep to their places.
const QString widthSample = u"Съешь же ещё этих мягких французских булок, да выпей чаю. "
                            u"СЪЕШЬ ЖЕ ЕЩЁ ЭТИХ МЯГКИХ БУЛОК. "
                            u"The quick brown fox jumps over the lazy dog 0123456789"_qs;
// The sample's width in PT Sans, in ems (pixels at a pixel size of 1), by style: regular, bold,
// italic, bold italic.
constexpr std::array<qreal, 4> preferredSampleEms = {69.066, 69.629, 66.412, 67.092};
// Narrower than this, a face becomes hard to read; captions then may not fit.
constexpr int narrowestStretch = 60;

QString lookUpFamily()
{
    if (QFontDatabase::hasFamily(preferredFamily))
        return preferredFamily;
    // Asking by the generic name lets fontconfig name the user's default sans-serif; the resolved
    // family is kept, so that every font of the windows asks for one and the same face.
    QFont generic(u"sans-serif"_qs);
    generic.setStyleHint(QFont::SansSerif);
    return QFontInfo(generic).family();
}

// The stretch, in percent, at which `font` sets the sample no wider than PT Sans does.
int stretchToPreferredWidth(QFont font)
{
    const std::size_t style = (font.bold() ? 1U : 0U) + (font.italic() ? 2U : 0U);
    const qreal preferredWidth = preferredSampleEms.at(style) * font.pixelSize();
    int stretch = 100;
    for (; stretch > narrowestStretch; --stretch) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(widthSample) <= preferredWidth)
            break;
    }
    return stretch;
}

} // namespace

namespace AppFonts {

QString family()
{
    // The font database is consulted once: every window and caption asks for its font.
    static const QString resolved = lookUpFamily();
    return resolved;
}

QFont sansSerif(int pixelSize, bool bold, bool italic)
{
    QFont font(family());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferDefault);
    if (family() != preferredFamily) {
        // Measured once per size and style; the windows ask for a handful of them, many times.
        static QHash<int, int> stretches;
        const int key = pixelSize * 4 + (bold ? 1 : 0) + (italic ? 2 : 0);
        auto found = stretches.constFind(key);
        if (found == stretches.constEnd())
            found = stretches.insert(key, stretchToPreferredWidth(font));
        font.setStretch(found.value());
    }
    return font;
}

QFont windowFont()
{
    return sansSerif(windowFontPixels);
}

} // namespace AppFonts
