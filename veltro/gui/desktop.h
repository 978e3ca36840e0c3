#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace veltro::gui {

// What runs beside the debugger in its event loop (the screenshot maker's
// timers); made once the application exists, ended with it.
using DesktopCompanion = std::function<std::unique_ptr<QObject>()>;

// The debugger as a desktop program: the Qt application, the start-up in the
// current directory with the command-line words, the event loop. Returns the
// exit code; without a display, a line that says so and 2.
int runDesktop(int argc, char** argv, const DesktopCompanion& companion = {});

}  // namespace veltro::gui
