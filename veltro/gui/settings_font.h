#pragma once

#include <QFont>

#include "veltro/session/settings.h"

namespace veltro::gui {

// The main window's font as veltro.ini keeps it: the built-in font while
// "Fontnaam" is "use default", else that face at "Fontpuntgrootte", with
// "Fontbreedte" applied.
QFont fontFromSettings(const FontSettings& settings);

// `font` stretched so that its average character is `width` pixels wide, as
// a font of that width was made on the system's home; a width of 0 keeps the
// face's own. Qt draws the stretch itself where a face has no such width.
QFont withFontWidth(QFont font, int width);

}  // namespace veltro::gui
