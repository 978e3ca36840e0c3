#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "run_fixture.h"
#include "veltro/tools/acceptance_run.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/run_walk.h"

namespace veltro::tools {
namespace {

using test_support::RunFixture;

// Every run paces after each command; the runs that send to the controller
// anew give it one interval more before the first gap or occupancy time, the
// reset of the originals does not. The same walk serves them all, so each
// must still say which it is.
TEST(ParameterWalk, OnePauseMoreBeforeTheDetectorTimesExceptInTheReset) {
    const struct {
        std::string run;
        bool pause;
        std::function<void(RunFixture&, ToolSettings&)> go;
    } runs[] = {
        {"adjustment", true,
         [](RunFixture& f, ToolSettings& s) {
             s.verify = false;
             runAdjustment(f.store, s, f.ports);
         }},
        {"acceptance", true,
         [](RunFixture& f, ToolSettings& s) {
             AcceptanceState state;
             s.rememberOriginals = false;
             runAcceptance(f.store, s, state, f.ports);
         }},
        {"difference check", true,
         [](RunFixture& f, ToolSettings& s) { runDifferenceCheck(f.store, s, f.ports); }},
        {"reset", false,
         [](RunFixture& f, ToolSettings& s) {
             AcceptanceState state;
             runAcceptance(f.store, s, state, f.ports);  // learns the originals
             f.controller.requests.sent.clear();
             const std::size_t before = f.controller.waits().size();
             runReset(f.store, state, f.ports);
             EXPECT_EQ(f.controller.waits().size() - before, f.controller.requests.sent.size());
         }},
    };
    for (const auto& r : runs) {
        RunFixture f;
        ToolSettings s = f.only({Category::Hiaattijden, Category::Tijden});
        s.saveToFile = false;
        r.go(f, s);
        const std::size_t commands = f.controller.requests.sent.size();
        EXPECT_EQ(commands, 8u) << r.run;  // 6 detector times and 2 times
        if (r.pause) {
            EXPECT_EQ(f.controller.waits().size(), commands + 1) << r.run;
        }
    }
}

// k counts only the parameters acted on, from 0 in each category; every
// parameter visited is a progress step; the reset's filter keeps only what
// the controller reported.
TEST(ParameterWalk, CountsPerCategoryAndFiltersAsAsked) {
    RunFixture f;
    std::string seen;
    const bool completed =
        forEachParameter(*f.tables, {Category::VgTijden, Category::Tijden}, f.ports, {},
                         [&](const ParameterRef& p, int k) {
                             seen += std::string(p.name) + ":" + std::to_string(k) + " ";
                         });
    EXPECT_TRUE(completed);
    EXPECT_EQ(seen, "SG02:0 SG05:1 T_MAX:0 T_MIN:1 ");
    EXPECT_EQ(f.progress.steps, 5);

    f.tables->times[1].controller.storeFirst(7);
    seen.clear();
    forEachParameter(*f.tables, {Category::VgTijden, Category::Tijden}, f.ports,
                     {WalkFilter::Reported, false, nullptr}, [&](const ParameterRef& p, int k) {
                         seen += std::string(p.name) + ":" + std::to_string(k) + " ";
                     });
    EXPECT_EQ(seen, "T_MIN:0 ");
}

}  // namespace
}  // namespace veltro::tools
