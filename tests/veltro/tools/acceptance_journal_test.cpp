#include "veltro/tools/acceptance_journal.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/acceptance_run.h"
#include "veltro/tools/backup_texts.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using test_support::RunFixture;

const std::string kJournal = "project/afname_originelen.txt";
const std::string kJournalHead =
    "veltro parameterbackup 1\nproject;project;\n"
    "categorie;parameter;element;naar;ruw;waarde;antwoord\n";

// The journal's text at the moment of each test value, as the controller
// receives it.
class WriteWatch final : public ControllerRequests {
  public:
    explicit WriteWatch(RunFixture& f) : m_f(f) {}
    void send(const ControllerRecord& r, CommandMode mode) override {
        if (mode == CommandMode::Write)
            atWrites.push_back(m_f.files.text(kJournal));
        m_f.controller.send(r, mode);
    }
    std::vector<std::string> atWrites;

  private:
    RunFixture& m_f;
};

struct JournalRun {
    explicit JournalRun(RunFixture& f) : journal(f.files, kJournal, {"project", ""}), watch(f) {
        state.journal = &journal;
        settings = f.only({Category::Tijden, Category::Eggparm}, "afname.txt");
        settings.saveToFile = false;
        settings.rememberOriginals = true;
        settings.startValue = 1;
    }
    RunPorts ports(RunFixture& f) {
        return {watch, f.controller.clock(), f.pacing, f.progress, f.files, f.prompts};
    }
    AcceptanceJournal journal;
    AcceptanceState state;
    ToolSettings settings;
    WriteWatch watch;
};

TEST(AcceptanceJournal, EachOriginalIsOnDiskBeforeItsTestValueGoes) {
    RunFixture f;
    // The originals answer later than the pace: each is awaited.
    f.controller.replyDelay = std::chrono::milliseconds(250);
    f.controller.values[{33, 1, 0}] = 44;
    JournalRun j(f);
    RunPorts ports = j.ports(f);
    EXPECT_EQ(runAcceptance(f.store, j.settings, j.state, ports), RunResult::Done);
    ASSERT_EQ(j.watch.atWrites.size(), 4u);
    const char* rows[] = {
        "Tijden;inst_TIJD;T_MAX;;120;12.0;ja\n", "Tijden;inst_TIJD;T_MIN;;130;13.0;ja\n",
        "EGGPARM;inst_EGGPARM;PRM_A;;40;40;ja\n", "EGGPARM;inst_EGGPARM;PRM_B;;44;44;ja\n"};
    std::string expected = kJournalHead;
    for (std::size_t i = 0; i < 4; ++i) {
        expected += rows[i];
        EXPECT_EQ(j.watch.atWrites[i], expected) << i;
    }
    EXPECT_EQ(f.files.text(kJournal), expected);

    // A reset that completes puts them back and retires the journal.
    EXPECT_EQ(runReset(f.store, j.state, ports), RunResult::Done);
    EXPECT_EQ((f.controller.values[{34, 0, 0}]), 120);
    EXPECT_EQ((f.controller.values[{33, 1, 0}]), 44);
    EXPECT_FALSE(f.files.exists(kJournal));
    EXPECT_FALSE(j.journal.active());
}

TEST(AcceptanceJournal, NoTestValueGoesWhenTheJournalCannotBeWritten) {
    RunFixture f;
    f.files.unwritable.insert(kJournal);
    JournalRun j(f);
    RunPorts ports = j.ports(f);
    EXPECT_EQ(runAcceptance(f.store, j.settings, j.state, ports), RunResult::Failed);
    EXPECT_TRUE(f.writtenValues().empty());
    ASSERT_EQ(f.prompts.snapshot().size(), 1u);
    EXPECT_EQ(f.prompts.snapshot()[0].text.rfind("De originele instellingen konden niet bewaard "
                                                 "worden in " +
                                                     kJournal + ".\n",
                                                 0),
              0u);

    // A damaged journal of an earlier run is never replaced.
    RunFixture g;
    g.files.put(kJournal, "veltro parameterbackup 1\nkapot\n");
    JournalRun k(g);
    const auto left = k.journal.leftBehind();
    ASSERT_TRUE(left);
    EXPECT_FALSE(left->backup);
    EXPECT_EQ(left->error, kJournal + ":2: the project line (project;NAME;DATE) is missing");
    RunPorts gPorts = k.ports(g);
    EXPECT_EQ(runAcceptance(g.store, k.settings, k.state, gPorts), RunResult::Failed);
    EXPECT_TRUE(g.writtenValues().empty());
    EXPECT_EQ(g.files.text(kJournal), "veltro parameterbackup 1\nkapot\n");
}

TEST(AcceptanceJournal, TheOriginalsOfARunThatDiedWinAndAreAllPutBack) {
    RunFixture f;
    // The controller still holds test values of the run that died: T_MAX 1
    // and EP_A 2; the journal knows their originals.
    f.controller.values[{34, 0, 0}] = 1;
    f.controller.values[{32, 0, 0}] = 2;
    f.files.put(kJournal, kJournalHead +
                              "Tijden;inst_TIJD;T_MAX;;99;9.9;ja\n"
                              "EPARM;inst_EPARM;EP_A;;77;7.7;ja\n"
                              "EPARM;inst_EPARM;EP_B;;;;nee\n");
    JournalRun j(f);
    const auto left = j.journal.leftBehind();
    ASSERT_TRUE(left && left->backup);
    j.journal.adopt(*left->backup);
    RunPorts ports = j.ports(f);
    j.settings = f.only({Category::Tijden}, "afname.txt");
    j.settings.saveToFile = false;
    EXPECT_EQ(runAcceptance(f.store, j.settings, j.state, ports), RunResult::Done);
    EXPECT_NE(f.files.text(kJournal).find("T_MAX;;99;9.9;ja\n"), std::string::npos);

    // A reset that is stopped keeps the journal.
    f.progress.stopAfterSteps = 1;
    EXPECT_EQ(runReset(f.store, j.state, ports), RunResult::Stopped);
    EXPECT_TRUE(f.files.exists(kJournal));
    f.progress.stopAfterSteps = -1;
    f.controller.requests.sent.clear();
    EXPECT_EQ(runReset(f.store, j.state, ports), RunResult::Done);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{99, 130, 77}));
    EXPECT_EQ((f.controller.values[{32, 0, 0}]), 77);
    EXPECT_FALSE(f.files.exists(kJournal));
}

}  // namespace
}  // namespace veltro::tools
