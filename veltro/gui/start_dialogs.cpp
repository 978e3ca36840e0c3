// The dialogs behind the main window's four start items ("Start DPCOM..."
// and the three parameter tools), wired where the program has them. A start
// item without a dialog does nothing. The main window takes the shown debug
// window out of the protocol around each of them.
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/dump_window.h"
#include "veltro/gui/main_window.h"

namespace veltro::gui {

void installStartDialogs(DebuggerApp& app, MainWindow& window) {
    window.setStartDialog(StartDialog::Dump, [&app, &window] {
        link::ControllerLink& link = app.link().link;
        DumpWindow::run(DumpWindowLinks{link.flags(), link.writer(), link.dumpReceiver(),
                                        app.dumpPorts(), app.settings()},
                        &window);
    });
}

}  // namespace veltro::gui
