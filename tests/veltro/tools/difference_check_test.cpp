#include "veltro/tools/difference_check.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using test_support::Box;
using test_support::RunFixture;

const Box kNone{std::string(texts::kDifferenceCaption), std::string(texts::kNoDifferences),
                PromptIcon::Error};

TEST(DifferenceCheck, DifferencesToTheFileInCategoryAndEntryOrder) {
    RunFixture f;
    f.controller.values[{320, 2, 0}] = 46;  // VG SG05 6.5 -> 4
    f.controller.values[{331, 0, 0}] = 5;   // MG1 of SG02
    f.controller.values[{326, 2, 0}] = 7;   // MG of SG05
    f.controller.values[{450, 1, 0}] = 745;
    ToolSettings s =
        f.only({Category::VgTijden, Category::MgTijden, Category::Klokken}, "verschillen.txt");
    const DifferenceOutcome out = runDifferenceCheck(f.store, s, f.ports);
    EXPECT_EQ(out.differences, 4);
    EXPECT_EQ(out.reads.asked, 2 + 39 + 4);
    EXPECT_EQ(out.reads.answered, 2 + 39 + 4);
    for (CommandMode m : f.modes())
        EXPECT_EQ(m, CommandMode::Read);
    EXPECT_EQ(f.files.text("verschillen.txt"),
              "Verschil bij VG-tijden van SG05\nWaarde in broncode is  6.50, in regeling 4\n"
              "Verschil bij MG-tijden van SG02-MG_TIJD1\nWaarde in broncode is 11.00, in "
              "regeling 0\n"
              "Verschil bij MG-tijden van SG05-MG_TIJD0\nWaarde in broncode is 10.20, in "
              "regeling 0\n"
              "Verschil bij klokken tijdstip 1 van KL_AVOND\nWaarde in broncode is  8.30, in "
              "regeling 7\n");
    EXPECT_TRUE(f.prompts.snapshot().empty());
    EXPECT_EQ(f.progress.range, 3 + 39 + 4);
    EXPECT_EQ(f.progress.steps, 46);
}

TEST(DifferenceCheck, BoxesWhenTheFileIsOff) {
    RunFixture f;
    f.controller.values[{420, 0, 0}] = 1;
    f.controller.values[{33, 1, 0}] = 7;
    ToolSettings s = f.only({Category::Schakelaars, Category::Eggparm}, "v.txt");
    s.saveToFile = false;
    EXPECT_EQ(runDifferenceCheck(f.store, s, f.ports).differences, 2);
    EXPECT_EQ(f.prompts.shown(),
              (std::vector<std::string>{
                  "Verschillen met ZXAPTAB.C zien|Verschil bij schakelaar SCH_A\nWaarde in "
                  "broncode is 0, in regeling 1",
                  "Verschillen met ZXAPTAB.C zien|Verschil bij EGGPARM PRM_B\nWaarde in broncode "
                  "is 41, in regeling 7"}));
    EXPECT_TRUE(f.files.names().empty());
    RunFixture g;
    EXPECT_EQ(runDifferenceCheck(g.store, s, g.ports).differences, 0);
    EXPECT_EQ(g.prompts.snapshot(), std::vector<Box>{kNone});
}

// A result file that cannot be written is told, never passed over in
// silence; an earlier result stays until a whole new one replaces it.
TEST(DifferenceCheck, AResultFileThatCannotBeWrittenIsToldAndTheOldOneKept) {
    RunFixture f;
    ToolSettings s = f.only({Category::Schakelaars}, "v.txt");
    f.files.unwritable.insert("v.txt");
    DifferenceOutcome out = runDifferenceCheck(f.store, s, f.ports);
    EXPECT_EQ(out.result, RunResult::Failed);
    EXPECT_TRUE(f.controller.requests.sent.empty());  // nothing asked
    EXPECT_EQ(out.fileError,
              "Het bestand v.txt kan niet geschreven worden.\nEr is niets "
              "gecontroleerd.");
    EXPECT_EQ(f.prompts.snapshot(), (std::vector<Box>{{std::string(texts::kDifferenceCaption),
                                                       out.fileError, PromptIcon::Error}}));

    RunFixture g;
    g.files.open("v.txt", false)->write("gisteren\n");
    g.files.failingClose.insert("v.txt");
    g.controller.values[{420, 0, 0}] = 1;
    out = runDifferenceCheck(g.store, s, g.ports);
    EXPECT_EQ(out.result, RunResult::Failed);
    EXPECT_EQ(out.differences, 1);
    EXPECT_EQ(g.files.text("v.txt"), "gisteren\n");
    // The differences are not lost: they follow in boxes.
    EXPECT_EQ(g.prompts.shown(),
              (std::vector<std::string>{
                  "Verschillen met ZXAPTAB.C zien|Het bestand v.txt kon niet geschreven worden; "
                  "een eerder bestand blijft zoals het was.",
                  "Verschillen met ZXAPTAB.C zien|Verschil bij schakelaar SCH_A\nWaarde in "
                  "broncode is 0, in regeling 1"}));

    RunFixture h;
    h.files.open("v.txt", false)->write("gisteren\n");
    h.progress.stopAfterSteps = 1;
    EXPECT_EQ(runDifferenceCheck(h.store, s, h.ports).result, RunResult::Stopped);
    EXPECT_EQ(h.files.text("v.txt"), "gisteren\n");
}

TEST(DifferenceCheck, NoDifferenceLeavesAnEmptyFileAndTheBox) {
    RunFixture f;
    ToolSettings s = f.only({Category::Ontruimingstijden, Category::Tijden, Category::Eparm},
                            "verschillen.txt");
    EXPECT_EQ(runDifferenceCheck(f.store, s, f.ports).differences, 0);
    EXPECT_TRUE(f.files.exists("verschillen.txt"));
    EXPECT_EQ(f.files.text("verschillen.txt"), "");
    EXPECT_EQ(f.prompts.snapshot(), std::vector<Box>{kNone});
}

TEST(DifferenceCheck, SecondCheckReadsAfreshAndSeesTheNewValue) {
    RunFixture f;
    ToolSettings s = f.only({Category::Tijden}, "v.txt");
    EXPECT_EQ(runDifferenceCheck(f.store, s, f.ports).differences, 0);
    f.controller.values[{34, 1, 0}] = 99;
    f.controller.requests.sent.clear();
    EXPECT_EQ(runDifferenceCheck(f.store, s, f.ports).differences, 1);
    EXPECT_EQ(f.controller.requests.sent.size(), 2u);  // asked again
    EXPECT_EQ(f.files.text("v.txt"),
              "Verschil bij tijd T_MIN\nWaarde in broncode is 13.00, in regeling 9\n");
    // The remembered original is still the first report.
    EXPECT_EQ(f.tables->times[1].controller.value(), 130);
    // A parameter that stops answering is left out, not compared stale.
    f.controller.ignored.insert({34, 1, 0});
    const DifferenceOutcome third = runDifferenceCheck(f.store, s, f.ports);
    EXPECT_EQ(third.differences, 0);
    EXPECT_EQ(third.reads.asked, 2);
    EXPECT_EQ(third.reads.answered, 1);
}

TEST(DifferenceCheck, SkippedParametersAreNotAskedAndStopEndsTheRequests) {
    RunFixture f;
    f.tables->detectors[0].source[det_value::kBztTijd] = -1.0;
    ToolSettings s = f.only({Category::Hiaattijden}, "v.txt");
    EXPECT_EQ(runDifferenceCheck(f.store, s, f.ports).differences, 0);
    EXPECT_EQ(f.controller.requests.sent.size(), 5u);
    EXPECT_EQ(f.progress.steps, 6);

    RunFixture g;
    g.progress.stopAfterSteps = 3;
    g.controller.values[{465, 10, 0}] = 1;
    const DifferenceOutcome out = runDifferenceCheck(g.store, s, g.ports);
    EXPECT_EQ(out.result, RunResult::Stopped);
    EXPECT_EQ(out.differences, 0);
    EXPECT_EQ(g.prompts.snapshot().back().text, std::string(texts::kDifferenceStopped));
}

}  // namespace
}  // namespace veltro::tools
