#include "veltro/gui/settings_font.h"

#include <QFontMetrics>

namespace veltro::gui {
namespace {

// The font the main window starts with when veltro.ini names none. The face
// falls back through Qt's font matching where the desktop lacks it; its
// 8-pixel height gave the face's smallest size, 8 points.
QFont builtInFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setWeight(QFont::Medium);
    return font;
}

}  // namespace

QFont fontFromSettings(const FontSettings& settings) {
    if (settings.faceName == FontSettings().faceName)
        return builtInFont();
    QFont font(QString::fromStdString(settings.faceName));
    if (settings.pointSize > 0)
        font.setPointSize(settings.pointSize);
    return withFontWidth(font, settings.width);
}

QFont withFontWidth(QFont font, int width) {
    font.setStretch(QFont::Unstretched);
    const int stretch = fontStretchPercent(width, QFontMetrics(font).averageCharWidth());
    if (stretch > 0)
        font.setStretch(stretch);
    return font;
}

}  // namespace veltro::gui
