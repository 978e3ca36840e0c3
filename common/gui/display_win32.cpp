// On Windows the desktop is always there; only a platform named on purpose
// (-platform offscreen, $QT_QPA_PLATFORM) takes its place.
#include "common/gui/display.h"

namespace common::gui {

void addWindowSystems(DisplayEnvironment& environment) {
    environment.systemWindows = true;
}

}  // namespace common::gui
