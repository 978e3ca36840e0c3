#include "veltro/tools/adjustment_run.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using namespace std::chrono_literals;
using test_support::Box;
using test_support::RunFixture;

const Box kDone{std::string(texts::kAdjustmentCaption), std::string(texts::kAdjustmentDone),
                PromptIcon::Information};
const Box kFailed{std::string(texts::kAdjustmentCaption), std::string(texts::kAdjustmentFailed),
                  PromptIcon::Error};

TEST(AdjustmentRun, WritesReadsBackAndListsPerCategory) {
    RunFixture f;
    ToolSettings s = f.only({Category::VgTijden, Category::Klokken}, "out/aangepast.txt");
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Done);
    EXPECT_EQ(f.prompts.snapshot(), std::vector<Box>{kDone});
    // Two named signal groups and four clock moments: WRITE then READ each.
    const auto& sent = f.controller.requests.sent;
    ASSERT_EQ(sent.size(), 12u);
    EXPECT_EQ(sent[0].mode, CommandMode::Write);
    // VG times are named by their index alone: no second index goes out.
    EXPECT_EQ(sent[0].record, (ControllerRecord{320, 0, -1, 0, 45}));
    EXPECT_EQ(sent[1].mode, CommandMode::Read);
    EXPECT_EQ(sent[1].record, (ControllerRecord{320, 0, -1, 0, 0}));
    EXPECT_EQ(sent[2].record, (ControllerRecord{320, 2, -1, 0, 65}));
    EXPECT_EQ(sent[4].record, (ControllerRecord{450, 0, 0, 0, 730}));
    EXPECT_EQ(sent[10].record, (ControllerRecord{451, 1, 0, 0, 1015}));
    EXPECT_EQ(f.progress.range, 3 + 4);
    EXPECT_EQ(f.progress.steps, 7);
    EXPECT_EQ(f.files.names(),
              (std::vector<std::string>{"out/aangepast_KLOK.txt", "out/aangepast_VG.txt"}));
    EXPECT_EQ(f.files.text("out/aangepast_KLOK.txt"),
              "Parameter  Klok                  Instelling\n"
              "1e Klok    KL_OCHTEND               730\n"
              "1e Klok    KL_AVOND                 830\n"
              "2e Klok    KL_OCHTEND               915\n"
              "2e Klok    KL_AVOND                1015\n");
    EXPECT_EQ(f.files.text("out/aangepast_VG.txt"),
              "Parameter  SG     Instelling\n"
              "VG-tijd    SG02       45\n"
              "VG-tijd    SG05       65\n");
}

TEST(AdjustmentRun, OnlyIndexOnlyGroupsGoWithoutASecondIndex) {
    for (int code : {320, 325, 326, 331, 344, 64, 127, 256})
        EXPECT_TRUE(carriesIndexOnly(code)) << code;
    for (int code : {32, 33, 34, 384, 420, 450, 451, 463, 465, 466, 128, 255, 352})
        EXPECT_FALSE(carriesIndexOnly(code)) << code;
}

TEST(AdjustmentRun, OneListingFileOrNoneAndNoReadWithoutVerification) {
    RunFixture f;
    ToolSettings s = f.only({Category::Tijden, Category::Schakelaars});
    s.separateFiles = false;
    s.verify = false;
    // The controller would fail a verification: nothing reads it back.
    f.controller.rejected.insert({34, 0, 0});
    f.controller.values[{34, 0, 0}] = 1;
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Done);
    for (CommandMode m : f.modes())
        EXPECT_EQ(m, CommandMode::Write);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{120, 130, 0, 1}));
    EXPECT_EQ(f.files.names(), std::vector<std::string>{"lijst.txt"});
    EXPECT_EQ(f.files.text("lijst.txt"),
              "Parameter  Tijd                  Instelling\n"
              "Tijd       T_MAX                    120\n"
              "Tijd       T_MIN                    130\n"
              "Parameter     Volgnr                Instelling\n"
              "Schakelaar    SCH_A                      0\n"
              "Schakelaar    SCH_B                      1\n");

    RunFixture g;
    ToolSettings off = g.only({Category::Tijden});
    off.saveToFile = false;
    EXPECT_EQ(runAdjustment(g.store, off, g.ports), RunResult::Done);
    EXPECT_TRUE(g.files.names().empty());
    // A file that cannot be opened drops the lines; the run goes on.
    RunFixture h;
    h.files.unwritable.insert("lijst_TIJD.txt");
    EXPECT_EQ(runAdjustment(h.store, h.only({Category::Tijden}), h.ports), RunResult::Done);
    EXPECT_EQ(h.writtenValues().size(), 2u);
}

TEST(AdjustmentRun, RejectedWriteFailsTheVerificationWithItsMessage) {
    RunFixture f;
    // VG of SG05 stays at 44 in the controller; the first difference ends it.
    f.controller.values[{320, 2, 0}] = 44;
    f.controller.rejected.insert({320, 2, 0});
    f.controller.values[{325, 0, 0}] = 99;
    f.controller.rejected.insert({325, 0, 0});
    EXPECT_EQ(runAdjustment(f.store, f.only({Category::VgTijden, Category::GlTijden}), f.ports),
              RunResult::Failed);
    EXPECT_EQ(f.prompts.snapshot(),
              (std::vector<Box>{{std::string(texts::kAdjustmentCaption),
                                 "Fout bij verifiëren VG-tijden van SG05\nWaarde is  6.50, in "
                                 "regeling 4",
                                 PromptIcon::Error},
                                kFailed}));
}

TEST(AdjustmentRun, SecondRunComparesTheFreshReportNotTheFirstOne) {
    RunFixture f;
    ToolSettings s = f.only({Category::VgTijden});
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Done);
    // Now the controller refuses writes to SG02's VG and holds another value:
    // the first report (45) must not make the second run a success.
    f.controller.values[{320, 0, 0}] = 50;
    f.controller.rejected.insert({320, 0, 0});
    f.prompts.boxes.clear();
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Failed);
    ASSERT_EQ(f.prompts.snapshot().size(), 2u);
    EXPECT_EQ(f.prompts.snapshot()[0].text,
              "Fout bij verifiëren VG-tijden van SG02\nWaarde is  4.50, in regeling 5");
    EXPECT_EQ(f.tables->signalGroups[0].controller[sg_value::kVg].value(), 45);
}

TEST(AdjustmentRun, LateReportsAreAwaitedSilentOnesLeftOut) {
    RunFixture f;
    f.pacing.setInterval(100ms);
    // Replies come 300 ms late: after the last pacing interval but within
    // the wait of at least 500 ms.
    f.controller.replyDelay = 300ms;
    f.controller.values[{34, 1, 0}] = 1;
    f.controller.rejected.insert({34, 1, 0});
    // A parameter that never answers is not compared.
    f.controller.ignored.insert({34, 0, 0});
    f.controller.rejected.insert({34, 0, 0});
    ReadCounts counts;
    EXPECT_EQ(runAdjustment(f.store, f.only({Category::Tijden}), f.ports, &counts),
              RunResult::Failed);
    EXPECT_EQ(counts.asked, 2);
    EXPECT_EQ(counts.answered, 1);
    EXPECT_EQ(f.prompts.snapshot()[0].text,
              "Fout bij verifiëren tijd T_MIN\nWaarde is 13.00, in regeling 0");
    EXPECT_EQ(f.controller.pending(), 0u);
    // Replies that never come end the wait after 500 ms, not later.
    RunFixture g;
    g.controller.ignored.insert({34, 0, 0});
    EXPECT_EQ(runAdjustment(g.store, g.only({Category::Tijden}), g.ports), RunResult::Done);
    const auto waits = g.controller.waits();
    ASSERT_FALSE(waits.empty());
    const auto lastPace = waits[3];  // WRITE, READ, WRITE, READ
    EXPECT_EQ(waits.back() - lastPace, 500ms);
}

TEST(AdjustmentRun, StopsAfterTheCurrentCommand) {
    RunFixture f;
    f.progress.stopAfterSteps = 2;
    ToolSettings s = f.only({Category::VgTijden, Category::Tijden});
    s.separateFiles = false;
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Stopped);
    EXPECT_EQ(f.prompts.snapshot(), (std::vector<Box>{{std::string(texts::kAdjustmentCaption),
                                                       std::string(texts::kAdjustmentStopped),
                                                       PromptIcon::Exclamation}}));
    EXPECT_EQ(f.writtenValues(), std::vector<int>{45});
    EXPECT_EQ(f.files.text("lijst.txt"),
              "Parameter  SG     Instelling\nVG-tijd    SG02       45\n");
}

TEST(Pacing, OneIntervalAfterEachCommandAndOneBeforeTheGapTimes) {
    RunFixture f;
    ToolSettings s = f.only({Category::Tijden, Category::Hiaattijden});
    s.verify = false;
    s.saveToFile = false;
    const auto start = f.controller.clock().now();
    EXPECT_EQ(runAdjustment(f.store, s, f.ports), RunResult::Done);
    // The last command of long ago: the first command does not wait.
    // Hiaat: extra wait, then 6 writes; tijden 2 writes.
    std::vector<std::chrono::milliseconds> waits;
    for (auto w : f.controller.waits())
        waits.push_back(w - start);
    EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{-900ms, 100ms, 200ms, 300ms, 400ms,
                                                             500ms, 600ms, 700ms, 800ms}));
}

}  // namespace
}  // namespace veltro::tools
