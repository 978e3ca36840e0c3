#include "veltro/gui/key_filter.h"

#include <QKeyEvent>
#include <QWidget>

#include "veltro/gui/main_window.h"

namespace veltro::gui {

MainKey mainKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_PageUp:
            return MainKey::PageUp;
        case Qt::Key_PageDown:
            return MainKey::PageDown;
        case Qt::Key_F3:
            return MainKey::F3;
        case Qt::Key_F5:
            return MainKey::F5;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return MainKey::Tab;
        case Qt::Key_F:
            return MainKey::F;
        case Qt::Key_L:
            return MainKey::L;
        case Qt::Key_K:
            return MainKey::K;
        case Qt::Key_O:
            return MainKey::O;
        case Qt::Key_S:
            return MainKey::S;
        default:
            return MainKey::Other;
    }
}

std::optional<ScreenKey> screenKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Left:
            return ScreenKey::Left;
        case Qt::Key_Right:
            return ScreenKey::Right;
        case Qt::Key_Up:
            return ScreenKey::Up;
        case Qt::Key_Down:
            return ScreenKey::Down;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ScreenKey::Enter;
        case Qt::Key_Escape:
            return ScreenKey::Escape;
        default:
            break;
    }
    // The blank and 'v' are characters: Shift+V or Ctrl+V are other ones.
    if (event.text() == QLatin1String(" "))
        return ScreenKey::Blank;
    if (event.text() == QLatin1String("v"))
        return ScreenKey::V;
    return std::nullopt;
}

bool KeyboardHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only keys of the main window itself: its dialogs and menus have their own.
    if (m_window == nullptr || widget == nullptr || widget->window() != m_window)
        return false;
    if (widget->property(kOwnKeys).toBool())
        return false;
    return m_window->mainKey(*static_cast<QKeyEvent*>(event));
}

}  // namespace veltro::gui
