#include "veltro/gui/window_placement.h"

#include <QScreen>
#include <QWidget>

#include "veltro/session/geometry.h"

namespace veltro::gui {

void centreOverOwner(QWidget& dialog, const QWidget& owner) {
    dialog.adjustSize();
    const QRect ownerFrame = owner.frameGeometry();
    const QRect screen = owner.screen() ? owner.screen()->geometry() : QRect(0, 0, 1024, 768);
    // Frames included, as move() places them; a dialog not framed yet is
    // taken to get the frame its owner has.
    QSize size = dialog.frameGeometry().size();
    if (size == dialog.size())
        size += ownerFrame.size() - owner.size();
    // Positions relative to the screen, as the rule measures them.
    const Rect placed = centreOver({0, 0, size.width(), size.height()},
                                   {ownerFrame.x() - screen.x(), ownerFrame.y() - screen.y(),
                                    ownerFrame.width(), ownerFrame.height()},
                                   screen.width(), screen.height());
    dialog.move(screen.x() + placed.x, screen.y() + placed.y);
}

}  // namespace veltro::gui
