// A POSIX desktop's windows go to an X server or a Wayland compositor, each
// named by the environment.
#include <cstdlib>

#include "common/gui/display.h"

namespace common::gui {
namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

void addWindowSystems(DisplayEnvironment& environment) {
    environment.x11 = isSet("DISPLAY");
    environment.wayland = isSet("WAYLAND_DISPLAY");
}

}  // namespace common::gui
