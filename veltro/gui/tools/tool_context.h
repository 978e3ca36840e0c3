#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/settings_store.h"
#include "veltro/ports/steady_clock.h"
#include "veltro/ports/text_files.h"
#include "veltro/tools/acceptance_run.h"
#include "veltro/tools/pacing.h"
#include "veltro/tools/parameter_store.h"

class QWidget;

namespace veltro::gui {

// The question behind "...": the chosen file, nothing when cancelled.
using ToolFileChooser = std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                                             const QString& proposed)>;

// What a tool dialog works with; all of it outlives the dialog. The runs
// go on a worker thread: the sender, the store and the clock serve it there.
struct ToolContext {
    tools::ParameterStore& store;
    tools::Pacing& pacing;  // shared by the three tools
    tools::AcceptanceState& acceptance;
    ControllerRequests& sender;  // the link's frame encoder (thread-safe queue)
    SettingsStore& settings;     // veltro.ini
    Prompts& prompts;            // message boxes, on the user-interface thread
    TextFiles& files;
    std::string applicationDirectory;
    // Null: the machine's clock, whose waits end when the run is stopped.
    SteadyClock* clock = nullptr;
    // Empty: askToolFile().
    ToolFileChooser chooseFile;
};

// The save dialog of "...": the tool's title, filter "*.txt", default
// extension "txt", in the current directory, pre-filled with `proposed`.
std::optional<QString> askToolFile(QWidget* parent, const QString& title, const QString& proposed);

}  // namespace veltro::gui
