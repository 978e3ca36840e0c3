#pragma once

class QWidget;

namespace veltro::gui {

// Puts a dialog's centre on its owner's centre, kept on the owner's screen
// (the system's rule for the about box and the window list dialogs).
void centreOverOwner(QWidget& dialog, const QWidget& owner);

}  // namespace veltro::gui
