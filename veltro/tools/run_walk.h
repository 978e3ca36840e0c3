#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// Which parameters a walk of a run acts on.
enum class WalkFilter {
    SkipRules,  // those that the category's skip rules keep
    Reported,   // those that the controller has reported (the reset of the originals)
};

struct Walk {
    WalkFilter filter = WalkFilter::SkipRules;
    // The runs give the controller one pacing interval more before the first
    // command of the gap and occupancy times; the reset of the originals
    // does not.
    bool pauseBeforeDetectorTimes = true;
    ListingOutput* listing = nullptr;  // begins and ends each category's part
};

// The walk of every run: the categories in order, each one's parameters in
// send order. `act(p, k)` for each parameter that the filter keeps (k counts
// them from 0 within the category), then one progress step for every
// parameter visited, acted on or not. False when the user stopped the run,
// which is looked at before each parameter.
bool forEachParameter(ElementTables& tables, const std::vector<Category>& categories,
                      RunPorts& ports, const Walk& walk,
                      const std::function<void(const ParameterRef&, int)>& act);

// The comparison walk: the categories in order, entry by entry, each
// parameter reported in `round` whose value differs from its source.
// `onDifference` returns false to end the walk.
void forEachDifference(ElementTables& tables, const std::vector<Category>& categories,
                       std::uint32_t round,
                       const std::function<bool(const ParameterRef&, std::int32_t)>& onDifference);

}  // namespace veltro::tools
