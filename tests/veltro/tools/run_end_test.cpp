// A silent controller is never a success: the runs do not claim one, and the
// dialog's box says how many reads went unanswered.
#include "veltro/tools/run_end.h"

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

TEST(UnansweredBox, SaysHowManyWentUnansweredAndThatNothingWasCompared) {
    const std::string diff(texts::kDifferenceCaption);
    const std::string adjust(texts::kAdjustmentCaption);
    struct Row {
        Tool tool;
        ReadCounts reads;
        std::string caption;
        std::string text;  // empty: no box
        PromptIcon icon;
    };
    const Row table[] = {
        {Tool::Difference, {12, 12}, diff, "", PromptIcon::None},
        {Tool::Difference, {0, 0}, diff, "", PromptIcon::None},  // nothing asked: nothing missing
        {Tool::Difference,
         {12, 0},
         diff,
         "De regelautomaat heeft op geen van de 12 opgevraagde parameters geantwoord; er is "
         "niets vergeleken.",
         PromptIcon::Error},
        {Tool::Difference,
         {1, 0},
         diff,
         "De regelautomaat heeft op de opgevraagde parameter niet geantwoord; er is niets "
         "vergeleken.",
         PromptIcon::Error},
        {Tool::Difference,
         {12, 11},
         diff,
         "De regelautomaat heeft op 1 van de 12 opgevraagde parameters niet geantwoord; daarvoor "
         "is niets vergeleken.",
         PromptIcon::Exclamation},
        {Tool::Adjustment,
         {7, 0},
         adjust,
         "De aanpassing van parameters is niet gecontroleerd: de regelautomaat heeft op geen van "
         "de 7 teruggelezen parameters geantwoord; er is niets vergeleken.",
         PromptIcon::Error},
        {Tool::Adjustment,
         {7, 4},
         adjust,
         "De regelautomaat heeft op 3 van de 7 teruggelezen parameters niet geantwoord; daarvoor "
         "is niets vergeleken.",
         PromptIcon::Exclamation},
    };
    for (const Row& row : table) {
        const std::optional<EndBox> box = unansweredBox(row.tool, row.reads);
        SCOPED_TRACE(std::to_string(row.reads.asked) + " asked, " +
                     std::to_string(row.reads.answered) + " answered");
        if (row.text.empty()) {
            EXPECT_EQ(box, std::nullopt);
            continue;
        }
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, row.caption);
        EXPECT_EQ(box->text, row.text);
        EXPECT_EQ(box->icon, row.icon);
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
