// The dialogs behind the main window's four start items ("Start DPCOM..."
// and the three parameter tools), wired where the program has them. A start
// item without a dialog does nothing. The main window takes the shown debug
// window out of the protocol around each of them.
#include <memory>
#include <utility>

#include "veltro/gui/debugger_app.h"
#include "veltro/gui/dump_window.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/monitor/link_traffic_menu.h"
#include "veltro/gui/tools/tool_session.h"

namespace veltro::gui {

void installStartDialogs(DebuggerApp& app, MainWindow& window) {
    window.setStartDialog(StartDialog::Dump, [&app, &window] {
        link::ControllerLink& link = app.link().link;
        DumpWindow::run(DumpWindowLinks{link.flags(), link.writer(), link.dumpReceiver(),
                                        app.dumpPorts(), app.settings()},
                        &window);
    });
    // The parameter tools share one store, pace and acceptance counter for
    // as long as the main window keeps its start items.
    link::ControllerLink& link = app.link().link;
    auto session =
        std::make_shared<ToolSession>(app.elements(), link.requests(), link.router(),
                                      app.settings(), app.prompts(), app.startDirectory().path);
    const std::pair<StartDialog, tools::Tool> items[] = {
        {StartDialog::Afname, tools::Tool::Acceptance},
        {StartDialog::Parameters, tools::Tool::Adjustment},
        {StartDialog::Verschillen, tools::Tool::Difference},
    };
    for (const auto& [item, tool] : items) {
        window.setStartDialog(item,
                              [session, tool = tool, &window] { session->open(tool, &window); });
    }
    // And the menu "Extra" after the described menus; a replay's monitor
    // shows the recorded times, and --record starts recording at once.
    monitor::WallClock clock = monitor::systemTimeMs;
    if (const capture::ReplayDriver* replay = app.replay())
        clock = [replay] { return replay->timeMs(); };
    LinkTrafficMenu& extra =
        installLinkTrafficMenu(window,
                               LinkTrafficParts{link.flags().tap, app.windows(), app.elements(),
                                                app.messages(), app.startDirectory().path},
                               std::move(clock));
    if (!app.recordPath().empty())
        extra.startRecording(QString::fromStdString(app.recordPath()));
}

}  // namespace veltro::gui
