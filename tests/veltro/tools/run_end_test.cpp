// A silent controller is never a success: the runs do not claim one.
#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using test_support::RunFixture;

// The controller of `f` answers no read of the categories.
void silence(RunFixture& f, std::initializer_list<Category> categories) {
    for (Category c : categories) {
        for (const ParameterRef& p : sendOrder(c, *f.tables))
            f.controller.ignored.insert(RunFixture::key(p));
    }
}

TEST(SilentController, TheRunsClaimNoSuccessWhenNothingWasAnswered) {
    RunFixture diff;
    silence(diff, {Category::Tijden});
    const DifferenceOutcome outcome =
        runDifferenceCheck(diff.store, diff.only({Category::Tijden}, "v.txt"), diff.ports);
    EXPECT_EQ(outcome.differences, 0);
    EXPECT_EQ(outcome.reads.asked, 2);
    EXPECT_EQ(outcome.reads.answered, 0);
    EXPECT_TRUE(diff.prompts.snapshot().empty()) << "no \"Er zijn geen verschillen gevonden!\"";

    RunFixture adjust;
    silence(adjust, {Category::Tijden, Category::Klokken});
    ReadCounts counts;
    EXPECT_EQ(runAdjustment(adjust.store, adjust.only({Category::Tijden, Category::Klokken}),
                            adjust.ports, &counts),
              RunResult::Failed);
    EXPECT_EQ(counts.asked, 6);
    EXPECT_EQ(counts.answered, 0);
    EXPECT_TRUE(adjust.prompts.snapshot().empty()) << "neither \"gereed\" nor \"niet gelukt\"";

    // One answer is a comparison: the runs end as they always did.
    RunFixture partly;
    silence(partly, {Category::Tijden});
    partly.controller.ignored.erase({34, 0, 0});
    EXPECT_EQ(runAdjustment(partly.store, partly.only({Category::Tijden}), partly.ports),
              RunResult::Done);
    EXPECT_EQ(partly.prompts.shown(),
              std::vector<std::string>{std::string(texts::kAdjustmentCaption) + "|" +
                                       std::string(texts::kAdjustmentDone)});
}

}  // namespace
}  // namespace veltro::tools
