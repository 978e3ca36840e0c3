#pragma once

#include <QIcon>

namespace veltro::gui {

// The debugger's icon: a signal head on a screen, drawn here so that the
// program needs no image plugin.
QIcon programIcon();

}  // namespace veltro::gui
