#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/steady_clock.h"
#include "veltro/ports/text_files.h"
#include "veltro/ports/tool_progress.h"
#include "veltro/tools/pacing.h"
#include "veltro/tools/parameter_store.h"
#include "veltro/tools/parameter_walk.h"
#include "veltro/tools/tool_settings.h"

namespace veltro::tools {

// The outside world of a tool run.
struct RunPorts {
    ControllerRequests& sender;
    SteadyClock& clock;
    Pacing& pacing;
    ToolProgress& progress;
    TextFiles& files;
    Prompts& prompts;
};

enum class RunResult { Done, Failed, Stopped };

// How many parameters a check asked for and how many the controller
// answered in that run (a rig tells a silent controller from a good one).
struct ReadCounts {
    int asked = 0;
    int answered = 0;
};

// The selected categories that have entries, in category order.
std::vector<Category> categoriesToVisit(const ToolSettings& settings, const ElementTables& t);

// The progress bar's range for those categories.
int progressRange(const ToolSettings& settings, const ElementTables& t);

// Function groups 2, 3 and 8 to 10 name an object by its index alone (the
// VG, GL and MG times among the parameters).
bool carriesIndexOnly(int functionCode);

// Sends one command and waits the pacing interval. Records of index-only
// groups go without a second index.
void sendPaced(RunPorts& ports, const ParameterRef& p, CommandMode mode, std::int32_t value = 0);

// After the last read of a check: waits until every parameter asked has
// been reported in `round`, at most one pacing interval (at least 500 ms),
// so that late reports are still compared.
void awaitLateReports(RunPorts& ports, const std::vector<const ControllerValue*>& asked,
                      std::uint32_t round);

ReadCounts countAnswers(const std::vector<const ControllerValue*>& asked, std::uint32_t round);

class ListingOutput;

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

// The listing of the adjustment and acceptance runs: one file for the whole
// run, or one per category; nothing when the listing is off or a file cannot
// be opened.
class ListingOutput {
  public:
    struct Options {
        bool on = false;
        bool separate = false;
        std::string fileName;
        bool append = false;            // the reset of the originals appends
        std::string_view beforeHeader;  // written before each header line
    };
    ListingOutput(TextFiles& files, Options options);
    ~ListingOutput();

    void beginCategory(Category c);
    void line(const ParameterRef& p, std::int32_t value);
    void endCategory();

  private:
    TextFiles& m_files;
    Options m_options;
    std::unique_ptr<TextFile> m_runFile;
    std::unique_ptr<TextFile> m_categoryFile;
};

}  // namespace veltro::tools
