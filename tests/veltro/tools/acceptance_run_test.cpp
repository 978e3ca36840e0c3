#include "veltro/tools/acceptance_run.h"

#include <gtest/gtest.h>

#include "run_fixture.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using test_support::Box;
using test_support::RunFixture;

ToolSettings acceptance(RunFixture& f, std::initializer_list<Category> categories, int start,
                        bool restart) {
    ToolSettings s = f.only(categories, "afname.txt");
    s.startValue = start;
    s.restartPerCategory = restart;
    s.rememberOriginals = false;
    s.saveToFile = false;
    return s;
}

TEST(AcceptanceRun, TestValuesRestartPerCategoryOrCountOn) {
    RunFixture f;
    AcceptanceState state;
    auto s = acceptance(f, {Category::VgTijden, Category::GlTijden}, 100, true);
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    // The unnamed signal group consumes no test value.
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{100, 101, 100, 101}));
    EXPECT_EQ(f.prompts.snapshot(),
              (std::vector<Box>{{std::string(texts::kAcceptanceCaption),
                                 std::string(texts::kAcceptanceDone), PromptIcon::Information}}));

    RunFixture g;
    s.restartPerCategory = false;
    EXPECT_EQ(runAcceptance(g.store, s, state, g.ports), RunResult::Done);
    EXPECT_EQ(g.writtenValues(), (std::vector<int>{100, 101, 102, 103}));
    for (CommandMode m : g.modes())
        EXPECT_EQ(m, CommandMode::Write);
}

TEST(AcceptanceRun, WrapsAfter11999) {
    RunFixture f;
    AcceptanceState state;
    auto s = acceptance(f, {Category::Tijden, Category::Eggparm}, 11998, false);
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{11998, 11999, 0, 1}));
    RunFixture g;
    s = acceptance(g, {Category::Tijden, Category::Eggparm}, 12000, true);
    EXPECT_EQ(runAcceptance(g.store, s, state, g.ports), RunResult::Done);
    EXPECT_EQ(g.writtenValues(), (std::vector<int>{0, 1, 0, 1}));
    // The counter helper alone, at the lowest start value.
    AcceptanceState low;
    ToolSettings min;
    min.startValue = std::numeric_limits<int>::min();
    min.restartPerCategory = true;
    EXPECT_EQ(nextTestValue(low, min, 0), std::numeric_limits<int>::min());
    EXPECT_EQ(nextTestValue(low, min, 1), std::numeric_limits<int>::min() + 1);
}

TEST(AcceptanceRun, MgTimesCountTogetherInSendOrder) {
    RunFixture f;
    AcceptanceState state;
    f.tables->signalGroups.count = 2;  // SG02 and the unnamed one, all MG values valid
    auto s = acceptance(f, {Category::MgTijden}, 500, true);
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    const auto& sent = f.controller.requests.sent;
    ASSERT_EQ(sent.size(), 26u);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(sent[static_cast<std::size_t>(i)].record.value, 500 + i);
        EXPECT_EQ(sent[static_cast<std::size_t>(i)].record.index, i % 2);
        EXPECT_EQ(sent[static_cast<std::size_t>(i)].record.functionCode, mgFunctionCode(i / 2));
    }
}

TEST(AcceptanceRun, SwitchesAllOnOrAllOffOrUntouched) {
    for (const bool on : {true, false}) {
        RunFixture f;
        AcceptanceState state;
        auto s = acceptance(f, {Category::Tijden}, 7, true);
        s.switchesOn = on;
        s.switchesOff = !on;
        s.saveToFile = true;
        s.separateFiles = false;
        EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
        const int v = on ? 1 : 0;
        EXPECT_EQ(f.writtenValues(), (std::vector<int>{7, 8, v, v}));
        const std::string line = on ? "1\n" : "0\n";
        EXPECT_NE(
            f.files.text("afname.txt").find("Schakelaar    SCH_B                      " + line),
            std::string::npos)
            << f.files.text("afname.txt");
    }
    RunFixture g;
    AcceptanceState state;
    auto s = acceptance(g, {Category::Tijden}, 7, true);
    s.selected[static_cast<std::size_t>(categoryNumber(Category::Schakelaars))] = false;
    EXPECT_EQ(runAcceptance(g.store, s, state, g.ports), RunResult::Done);
    EXPECT_EQ(g.writtenValues(), (std::vector<int>{7, 8}));
}

TEST(AcceptanceRun, RemembersOriginalsAndResetsThem) {
    RunFixture f;
    AcceptanceState state;
    auto s = acceptance(f, {Category::Tijden, Category::Klokken}, 1, true);
    s.rememberOriginals = true;
    s.saveToFile = true;
    // T_MIN never answers: its original stays unknown and it is not reset.
    f.controller.ignored.insert({34, 1, 0});
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    EXPECT_TRUE(f.store.originalKnown());
    EXPECT_EQ(f.modes().front(), CommandMode::Read);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(f.controller.values[(test_support::FakeController::Key{34, 0, 0})], 1);

    // A second run asks nothing again: the originals are known.
    const std::size_t before = f.controller.requests.sent.size();
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    int reads = 0;
    for (std::size_t i = before; i < f.controller.requests.sent.size(); ++i)
        reads += f.controller.requests.sent[i].mode == CommandMode::Read;
    EXPECT_EQ(reads, 1);  // only the silent T_MIN is asked again

    f.controller.requests.sent.clear();
    f.prompts.boxes.clear();
    const auto resetStart = f.controller.clock().now();
    EXPECT_EQ(runReset(f.store, state, f.ports), RunResult::Done);
    EXPECT_EQ(f.writtenValues(), (std::vector<int>{120, 730, 830, 915, 1015}));
    EXPECT_EQ(f.controller.values[(test_support::FakeController::Key{34, 0, 0})], 120);
    // The first command waits a full interval.
    EXPECT_EQ(f.controller.waits()[f.controller.waits().size() - 5] - resetStart,
              std::chrono::milliseconds(100));
    EXPECT_EQ(f.prompts.snapshot(),
              (std::vector<Box>{{std::string(texts::kAcceptanceCaption),
                                 std::string(texts::kResetDone), PromptIcon::Information}}));
    EXPECT_EQ(f.files.text("afname_TIJD.txt"),
              "Parameter  Tijd                  Instelling\n"
              "Tijd       T_MAX                      1\n"
              "Tijd       T_MIN                      2\n"
              "\nReset originele instellingen\n"
              "Parameter  Tijd                  Instelling\n"
              "Tijd       T_MAX                    120\n");
    EXPECT_EQ(f.files.opened.back(), "afname_KLOK.txt (append)");
}

TEST(AcceptanceRun, NoOriginalsWithoutAsking) {
    RunFixture f;
    AcceptanceState state;
    auto s = acceptance(f, {Category::Tijden}, 1, true);
    EXPECT_EQ(runAcceptance(f.store, s, state, f.ports), RunResult::Done);
    EXPECT_FALSE(f.store.originalKnown());
    // A stopped run still leaves what it learnt for the reset.
    RunFixture g;
    s.rememberOriginals = true;
    g.progress.stopAfterSteps = 1;
    EXPECT_EQ(runAcceptance(g.store, s, state, g.ports), RunResult::Stopped);
    EXPECT_TRUE(g.store.originalKnown());
    EXPECT_EQ(g.prompts.snapshot().back().text, std::string(texts::kAcceptanceStopped));
}

}  // namespace
}  // namespace veltro::tools
