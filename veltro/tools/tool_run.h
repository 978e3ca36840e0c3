#pragma once

#include <cstdint>
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
