#pragma once

#include <string_view>

namespace veltro::tools {

// Where a tool dialog's run stands. A run stops only after its current
// command, so a wish to stop or to close waits for the run's end.
enum class RunState {
    Idle,      // no run: the dialog takes input
    Running,   // a run goes on
    Stopping,  // asked to stop (Escape); the dialog stays open
    Closing,   // asked to close during a run: it closes when the run has ended
};

enum class RunEvent {
    Start,  // the start button (or the acceptance run's reset)
    Stop,   // Escape
    Close,  // the close button, the window's close or the dialog's end
    Ended,  // the run has returned
};

// What the dialog does on the way.
enum class RunAction {
    None,
    Launch,          // clear the stop signal and start the run
    RequestStop,     // the run ends after its current command
    Finish,          // the run's end: normal cursor, input enabled again
    FinishAndClose,  // the same, then the dialog closes
    Close,           // the dialog closes (its settings saved)
};

struct RunStep {
    RunState next;
    RunAction action;
    friend bool operator==(const RunStep&, const RunStep&) = default;
};

RunStep nextRunStep(RunState state, RunEvent event);

}  // namespace veltro::tools
