#include "veltro/tools/run_walk.h"

#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

// The category before whose first command the runs pause once more.
constexpr Category kPausedCategory = Category::Hiaattijden;

bool keeps(WalkFilter filter, const ParameterRef& p) {
    return filter == WalkFilter::SkipRules ? !p.skipped : p.value->received();
}

}  // namespace

bool forEachParameter(ElementTables& tables, const std::vector<Category>& categories,
                      RunPorts& ports, const Walk& walk,
                      const std::function<void(const ParameterRef&, int)>& act) {
    for (Category c : categories) {
        if (walk.pauseBeforeDetectorTimes && c == kPausedCategory)
            ports.pacing.pace(ports.clock);
        if (walk.listing)
            walk.listing->beginCategory(c);
        int k = 0;
        for (const ParameterRef& p : sendOrder(c, tables)) {
            if (ports.progress.stopRequested())
                return false;
            if (keeps(walk.filter, p))
                act(p, k++);
            ports.progress.step();
        }
        if (walk.listing)
            walk.listing->endCategory();
    }
    return true;
}

void forEachDifference(
    ElementTables& tables, const std::vector<Category>& categories, std::uint32_t round,
    const std::function<bool(const ParameterRef&, std::int32_t)>& onDifference) {
    for (Category c : categories) {
        for (const ParameterRef& p : compareOrder(c, tables)) {
            if (!p.value->reportedIn(round))
                continue;
            const std::int32_t reported = p.value->latest();
            if (differs(p, reported) && !onDifference(p, reported))
                return;
        }
    }
}

}  // namespace veltro::tools
