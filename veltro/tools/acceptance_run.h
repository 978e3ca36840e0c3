#pragma once

#include <cstdint>

#include "veltro/tools/acceptance_journal.h"
#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// What the acceptance run keeps between its runs and for the reset: the
// test value counter and the settings read at the start of the last run.
struct AcceptanceState {
    std::int64_t counter = 0;
    bool ranOnce = false;
    ToolSettings lastRun;
    // Where the originals are kept before a test value is written; null:
    // only in the store (a test that does not look at the file).
    AcceptanceJournal* journal = nullptr;
};

// The next test value of the k-th parameter sent within a category: the
// start value again at k = 0 when the settings restart per category, else
// the counter + 1; past 11999 it wraps to 0.
std::int32_t nextTestValue(AcceptanceState& state, const ToolSettings& settings, int k);

// The acceptance run: a distinct test value into every selected parameter
// (switches all on or all off), asking each parameter's original first when
// the settings say so. Shows "De afname is gereed" (caption "Automatische
// Afname"). The reset of the originals is to be offered afterwards when the
// store's originalKnown() is set.
RunResult runAcceptance(ParameterStore& store, const ToolSettings& settings,
                        AcceptanceState& state, RunPorts& ports);

// Writes the remembered originals back, with the settings of the last run;
// parameters never reported are left as they are. With a journal, its
// originals come first (a journal adopted from an earlier run holds what the
// controller had before that run's test values), the journal's parameters
// outside the last run's walk are put back after it, and a reset that
// completes retires the journal.
RunResult runReset(ParameterStore& store, AcceptanceState& state, RunPorts& ports);

}  // namespace veltro::tools
