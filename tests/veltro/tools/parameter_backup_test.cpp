#include "veltro/tools/parameter_backup.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/backup_texts.h"
#include "veltro/tools/difference_csv.h"

namespace veltro::tools {
namespace {

using test_support::Box;
using test_support::RunFixture;

std::string caption(std::string_view text) {
    return std::string(texts::kRestoreCaption) + "|" + std::string(text);
}

TEST(ParameterBackup, KeepsWhatTheControllerHoldsNowAndListsTheSilentOnes) {
    RunFixture f;
    f.controller.values[{320, 2, 0}] = 46;  // VG SG05: 6.5 in the source
    f.controller.values[{450, 1, 0}] = 745;
    f.controller.ignored.insert({451, 0, 0});
    f.controller.replyDelay = std::chrono::milliseconds(250);  // later than the pace
    // A report from an earlier tool is no answer of this backup.
    f.store.deliver({451, 0, 0, 0, 915});
    const BackupOutcome out = runBackup(f.store, f.only({Category::VgTijden, Category::Klokken}),
                                        f.ports, {"kruispunt", "d"});
    EXPECT_EQ(out.result, RunResult::Done);
    EXPECT_EQ(out.reads.asked, 6);
    EXPECT_EQ(out.reads.answered, 5);
    EXPECT_EQ(formatBackup(out.backup),
              "veltro parameterbackup 1\nproject;kruispunt;d\n"
              "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
              "VG-tijden;inst_VG_TIJD;SG02;;45;4.5;ja\n"
              "VG-tijden;inst_VG_TIJD;SG05;;46;4.6;ja\n"
              "Klokken;inst_1e_KL;KL_OCHTEND;;730;7.30;ja\n"
              "Klokken;inst_1e_KL;KL_AVOND;;745;7.45;ja\n"
              "Klokken;inst_2e_KL;KL_OCHTEND;;;;nee\n"
              "Klokken;inst_2e_KL;KL_AVOND;;1015;10.15;ja\n");
    for (CommandMode m : f.modes())
        EXPECT_EQ(m, CommandMode::Read);
    EXPECT_TRUE(f.prompts.snapshot().empty());
    EXPECT_TRUE(f.files.names().empty());  // the caller saves it

    f.progress.stopAfterSteps = 1;
    EXPECT_EQ(runBackup(f.store, f.only({Category::Tijden}), f.ports, {}).result,
              RunResult::Stopped);
}

TEST(ParameterBackup, SavedWholeOrNotAtAll) {
    RunFixture f;
    Backup b;
    b.rows = {{"Tijden", "inst_TIJD", "T_MAX", "", 120}};
    EXPECT_TRUE(saveBackup(f.files, "b.txt", b));
    EXPECT_EQ(f.files.text("b.txt"), formatBackup(b));
    f.files.failingClose.insert("b.txt");
    b.rows[0].raw = 130;
    EXPECT_FALSE(saveBackup(f.files, "b.txt", b));
    EXPECT_NE(f.files.text("b.txt").find(";120;"), std::string::npos);
}

TEST(ParameterRestore, APlanNamesWhatTheProjectLacks) {
    RunFixture f;
    Backup b;
    b.rows = {{"Ontruimingstijden", "inst_O_TIJD", "SG05", "SG02", 20},
              {"Ontruimingstijden", "inst_O_TIJD", "SG05", "SG09", 20},
              {"MG-tijden", "inst_MG_TIJD12", "SG05", "", 99},
              {"MG-tijden", "inst_MG_TIJD", "SG77", "", 99},
              {"Tijden", "inst_TIJD", "T_MIN", "", std::nullopt},
              {"VG-tijden", "inst_GL_TIJD", "SG02", "", 1}};
    const RestorePlan plan = planRestore(b, *f.tables);
    EXPECT_EQ(plan.missing,
              (std::vector<std::string>{"Ontruimingstijden: inst_O_TIJD of SG05 to SG09",
                                        "MG-tijden: inst_MG_TIJD of SG77",
                                        "VG-tijden: inst_GL_TIJD of SG02"}));
    EXPECT_EQ(plan.unanswered, 1);
    ASSERT_EQ(plan.items.size(), 2u);
    EXPECT_EQ(plan.items[0].ref.record.functionCode, 384);
    EXPECT_EQ(plan.items[0].ref.record.index, 2);
    EXPECT_EQ(plan.items[0].ref.record.secondIndex, 0);
    EXPECT_EQ(plan.items[1].ref.record.functionCode, 344);
    EXPECT_DOUBLE_EQ(plan.items[1].ref.source, 9.9);
}

TEST(ParameterRestore, WritesEachValueReadsItBackAndTellsEveryDifference) {
    RunFixture f;
    Backup b;
    b.rows = {{"VG-tijden", "inst_VG_TIJD", "SG02", "", 77},
              {"Klokken", "inst_1e_KL", "KL_AVOND", "", 745},
              {"Schakelaars", "SCH", "SCH_B", "", 0},
              {"EGGPARM", "inst_EGGPARM", "PRM_A", "", 12}};
    const RestorePlan plan = planRestore(b, *f.tables);
    f.controller.replyDelay = std::chrono::milliseconds(250);
    RestoreOutcome out = runRestore(f.store, plan, f.ports);
    EXPECT_EQ(out.result, RunResult::Done);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{77, 745, 0, 12}));
    EXPECT_EQ((f.controller.values[{450, 1, 0}]), 745);
    EXPECT_EQ(f.prompts.shown(), std::vector<std::string>{caption(texts::kRestoreDone)});
    EXPECT_EQ(f.progress.range, 4);
    EXPECT_EQ(f.progress.steps, 4);

    // A value the controller keeps, and one it never reports: the second
    // restore in the same run compares what it says now, not the first report.
    RunFixture g;
    g.controller.rejected.insert({450, 1, 0});
    g.controller.rejected.insert({420, 1, 0});
    g.controller.ignored.insert({33, 0, 0});
    out = runRestore(g.store, planRestore(b, *g.tables), g.ports);
    EXPECT_EQ(out.result, RunResult::Failed);
    EXPECT_EQ(out.differences, 2);
    EXPECT_EQ(g.prompts.shown(),
              (std::vector<std::string>{
                  caption("Fout bij verifiëren klokken tijdstip 1 van KL_AVOND\nWaarde is  7.45, "
                          "in regeling 8"),
                  caption("Fout bij verifiëren schakelaar SCH_B\nWaarde is 0, in regeling 1"),
                  caption("1 van de 4 teruggezette parameters gaven geen antwoord en zijn niet "
                          "geverifieerd."),
                  caption(texts::kRestoreFailed)}));
    g.controller.rejected.clear();
    g.controller.ignored.clear();
    EXPECT_EQ(runRestore(g.store, planRestore(b, *g.tables), g.ports).result, RunResult::Done);
}

TEST(DifferenceCsv, OneExactLinePerParameterAsked) {
    RunFixture f;
    f.controller.values[{320, 2, 0}] = 46;  // 6.5 in the source: differs, shown as 4
    f.controller.values[{320, 0, 0}] = 45;
    f.controller.ignored.insert({384, 2, 0});
    f.controller.values[{420, 1, 0}] = 0;
    ToolSettings s =
        f.only({Category::Ontruimingstijden, Category::VgTijden, Category::Schakelaars});
    s.saveToFile = false;
    const DifferenceOutcome out = runDifferenceCheck(f.store, s, f.ports);
    EXPECT_EQ(differenceCsv(out.compared),
              "categorie;parameter;element;naar;bron;ruw;waarde;verschil;antwoord\n"
              "Ontruimingstijden;inst_O_TIJD;SG02;SG05;3;30;3.0;nee;ja\n"
              "Ontruimingstijden;inst_O_TIJD;SG05;SG02;4.5;;;nee;nee\n"
              "VG-tijden;inst_VG_TIJD;SG02;;4.5;45;4.5;nee;ja\n"
              "VG-tijden;inst_VG_TIJD;SG05;;6.5;46;4.6;ja;ja\n"
              "Schakelaars;SCH;SCH_A;;0;0;0;nee;ja\n"
              "Schakelaars;SCH;SCH_B;;1;0;0;ja;ja\n");
}

}  // namespace
}  // namespace veltro::tools
