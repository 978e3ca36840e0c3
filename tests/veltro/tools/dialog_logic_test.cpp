// What a tool dialog decides without its widgets: the run's states, the
// settings keys it writes itself and the acceptance run's switch boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/veltro/settings.h"
#include "veltro/tools/dialog_rules.h"
#include "veltro/tools/tool_run_state.h"
#include "veltro/tools/tool_setting_keys.h"

namespace veltro::tools {
namespace {

TEST(ToolRunState, EveryStateAndEvent) {
    using enum RunState;
    using E = RunEvent;
    using A = RunAction;
    struct Row {
        RunState state;
        RunEvent event;
        RunStep step;
    };
    const Row table[] = {
        {Idle, E::Start, {Running, A::Launch}},
        {Idle, E::Stop, {Idle, A::Close}},  // Escape without a run closes the dialog
        {Idle, E::Close, {Idle, A::Close}},
        {Idle, E::Ended, {Idle, A::None}},
        {Running, E::Start, {Running, A::None}},  // one run at a time
        {Running, E::Stop, {Stopping, A::RequestStop}},
        {Running, E::Close, {Closing, A::RequestStop}},
        {Running, E::Ended, {Idle, A::Finish}},
        {Stopping, E::Start, {Stopping, A::None}},
        {Stopping, E::Stop, {Stopping, A::None}},
        {Stopping, E::Close, {Closing, A::None}},  // stopping already: closes at the end
        {Stopping, E::Ended, {Idle, A::Finish}},   // Escape leaves the dialog open
        {Closing, E::Start, {Closing, A::None}},
        {Closing, E::Stop, {Closing, A::None}},
        {Closing, E::Close, {Closing, A::None}},
        {Closing, E::Ended, {Idle, A::FinishAndClose}},
    };
    for (const Row& row : table) {
        const RunStep got = nextRunStep(row.state, row.event);
        EXPECT_EQ(got, row.step) << "state " << static_cast<int>(row.state) << ", event "
                                 << static_cast<int>(row.event) << ": got state "
                                 << static_cast<int>(got.next) << ", action "
                                 << static_cast<int>(got.action);
    }
}

TEST(ToolSettingKeys, PrefixBlankWordAndAChosenFileKeptAtOnce) {
    EXPECT_EQ(settingKey(Tool::Adjustment, key_word::kFileName), "AANPAS File name");
    EXPECT_EQ(settingKey(Tool::Acceptance, key_word::kRemember), "AFNAME Remind original values");
    EXPECT_EQ(categoryKey(Tool::Difference, Category::GlTijden), "VERSCHILLEN GL-tijden");
    EXPECT_EQ(categoryKey(Tool::Acceptance, Category::Hiaattijden), "AFNAME Hiaattijden");

    test_support::MemorySettings settings;
    std::string current = "verschillen.txt";
    // The same name (exactly) writes nothing; another case is another name.
    EXPECT_TRUE(keepChosenFileName(Tool::Difference, current, "verschillen.txt", settings));
    EXPECT_EQ(settings.readString(kSettingsSection, "VERSCHILLEN File name", "<none>"), "<none>");
    EXPECT_TRUE(keepChosenFileName(Tool::Difference, current, "Verschillen.txt", settings));
    EXPECT_EQ(current, "Verschillen.txt");
    EXPECT_EQ(settings.readString(kSettingsSection, "VERSCHILLEN File name", ""),
              "Verschillen.txt");
    // A settings file that cannot be written says so; the name is still the current one.
    settings.failWrites = true;
    EXPECT_FALSE(keepChosenFileName(Tool::Difference, current, "/tmp/v.txt", settings));
    EXPECT_EQ(current, "/tmp/v.txt");
}

TEST(SwitchBoxes, CheckingOneUnchecksTheOtherUncheckingLeavesIt) {
    struct Row {
        SwitchBoxes before;
        SwitchBox box;
        bool checked;
        bool on, off;
    };
    const Row table[] = {
        {{true, false, true}, SwitchBox::On, true, true, false},
        {{true, true, false}, SwitchBox::Off, true, false, true},
        {{true, true, false}, SwitchBox::On, false, false, false},  // both may be unchecked
        {{true, false, false}, SwitchBox::Off, true, false, true},
        {{true, false, true}, SwitchBox::Off, false, false, false},
    };
    for (const Row& row : table) {
        const SwitchBoxes after = toggledSwitchBox(row.before, row.box, row.checked);
        EXPECT_EQ(after.onChecked, row.on);
        EXPECT_EQ(after.offChecked, row.off);
        EXPECT_TRUE(after.enabled);
    }
}

}  // namespace
}  // namespace veltro::tools
