#pragma once

namespace pendrel::gui {

// The designer as a desktop program: the main window until it is closed.
// Returns the exit status (2 for arguments it does not know, and without a
// display, after a line that says so).
int runDesktop(int argc, char** argv);

}  // namespace pendrel::gui
