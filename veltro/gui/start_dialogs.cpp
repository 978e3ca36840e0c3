// The dialogs behind the main window's four start items ("Start DPCOM..."
// and the three parameter tools), wired where the program has them. A start
// item without a dialog does nothing.
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/main_window.h"

namespace veltro::gui {

void installStartDialogs(DebuggerApp& app, MainWindow& window) {
    (void)app;
    (void)window;
}

}  // namespace veltro::gui
