// The sans-serif face that ships with the program and stands in for "MS Sans Serif".
#pragma once

#include <QFont>

namespace AppFonts {

// Registers the bundled faces with the font database; safe to call more than once.
void registerBundledFaces();

// "MS Sans Serif" at the given pixel height (11 for 8 points, 13 for 10 points).
[[nodiscard]] QFont sansSerif(int pixelSize, bool bold = false, bool italic = false);
// The window font: 11 pixels, regular.
[[nodiscard]] QFont windowFont();

} // namespace AppFonts
