#pragma once

#include "veltro/tools/tool_run.h"

namespace veltro::tools {

struct DifferenceOutcome {
    RunResult result = RunResult::Done;  // Stopped when the user stopped it
    int differences = 0;
    ReadCounts reads;  // parameters asked and answered in this check
};

// The difference check: reads every selected parameter afresh, waits for
// late reports, then compares what the controller reported in this run with
// ZXAPTAB.C. Each difference goes to the result file (save to file on and
// the file open) or to a message box (caption "Verschillen met ZXAPTAB.C
// zien", error icon); "Er zijn geen verschillen gevonden!" when none, but not
// when the controller answered no read at all (the caller tells that
// nothing was compared). The caller has written the settings and shows the
// hourglass.
DifferenceOutcome runDifferenceCheck(ParameterStore& store, const ToolSettings& settings,
                                     RunPorts& ports);

}  // namespace veltro::tools
