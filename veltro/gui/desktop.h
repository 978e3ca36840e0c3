#pragma once

namespace veltro::gui {

// The debugger as a desktop program: the Qt application, the start-up in the
// current directory with the command-line words, the event loop. Returns the
// exit code.
int runDesktop(int argc, char** argv);

}  // namespace veltro::gui
