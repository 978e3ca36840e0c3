#pragma once

#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// The parameter adjustment run: writes the source value of every selected
// parameter into the controller, lists what it wrote, and with verification
// on reads each parameter back and compares what the controller reports in
// this run. Shows the closing message (caption "Automatische Parameter
// Aanpassing"); Failed after a verification message, Stopped when the user
// stopped it. Failed without a message when no read-back was answered: the
// caller tells that nothing was verified. The caller has written the settings
// and shows the hourglass. `counts`, when given, receives how many read-backs
// were asked and answered.
RunResult runAdjustment(ParameterStore& store, const ToolSettings& settings, RunPorts& ports,
                        ReadCounts* counts = nullptr);

}  // namespace veltro::tools
