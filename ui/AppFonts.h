// The window face: PT Sans from the system's fonts, standing in for "MS Sans Serif".
#pragma once

#include <QFont>
#include <QString>

namespace AppFonts {

// The family the windows are drawn in: "PT Sans" where fontconfig knows it (Debian's package
// fonts-paratype), otherwise the system's default sans-serif. Looked up once per process.
[[nodiscard]] QString family();

// "MS Sans Serif" at the given pixel height (11 for 8 points, 13 for 10 points).
[[nodiscard]] QFont sansSerif(int pixelSize, bool bold = false, bool italic = false);
// The window font: 11 pixels, regular.
[[nodiscard]] QFont windowFont();

} // namespace AppFonts
