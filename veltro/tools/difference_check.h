#pragma once

#include <string>
#include <vector>

#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// A parameter the check asked for, and what the controller said.
struct ComparedParameter {
    ParameterRef ref;
    bool answered = false;
    std::int32_t reported = 0;  // controller units; when answered
};

struct DifferenceOutcome {
    // Stopped when the user stopped it, Failed when the result file could
    // not be written.
    RunResult result = RunResult::Done;
    int differences = 0;
    ReadCounts reads;       // parameters asked and answered in this check
    std::string fileError;  // the box that told the result file's failure
    // Every parameter asked, in the comparison's order (a check run to its end).
    std::vector<ComparedParameter> compared;
};

// The difference check: reads every selected parameter afresh, waits for
// late reports, then compares what the controller reported in this run with
// ZXAPTAB.C. Each difference goes to the result file (save to file on) or to
// a message box (caption "Verschillen met ZXAPTAB.C zien", error icon); "Er
// zijn geen verschillen gevonden!" when none, but not when the controller
// answered no read at all (the caller tells that nothing was compared). The
// caller has written the settings and shows the hourglass.
//
// The result file replaces an earlier one only when the check has run to
// its end. One that cannot be made is told before anything is asked, and
// the check does not run; one that cannot be written at the end is told,
// and its differences are shown in boxes.
DifferenceOutcome runDifferenceCheck(ParameterStore& store, const ToolSettings& settings,
                                     RunPorts& ports);

}  // namespace veltro::tools
