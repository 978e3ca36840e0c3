#include "support/veltro/settings.h"

#include <gtest/gtest.h>

#include "support/veltro/tool_tables.h"
#include "veltro/tools/dialog_rules.h"
#include "veltro/tools/tool_settings.h"

namespace veltro::tools {
namespace {

TEST(ToolSettings, DefaultsPerTool) {
    test_support::MemorySettings empty;
    const ToolSettings a = loadToolSettings(Tool::Adjustment, empty);
    EXPECT_EQ(a.fileName, "aangepast.txt");
    EXPECT_TRUE(a.saveToFile && a.separateFiles && a.verify);
    EXPECT_EQ(a.speed, 1000);
    for (bool b : a.selected)
        EXPECT_FALSE(b);
    const ToolSettings b = loadToolSettings(Tool::Acceptance, empty);
    EXPECT_EQ(b.fileName, "afname.txt");
    EXPECT_TRUE(b.restartPerCategory && b.rememberOriginals);
    EXPECT_FALSE(b.switchesOn || b.switchesOff);
    EXPECT_EQ(b.startValue, 0);
    EXPECT_EQ(loadToolSettings(Tool::Difference, empty).fileName, "verschillen.txt");
}

TEST(ToolSettings, RoundTripWritesEveryKeyUnderItsPrefix) {
    test_support::MemorySettings store;
    ToolSettings s;
    s.selected[categoryNumber(Category::MgTijden)] = true;
    s.selected[categoryNumber(Category::Eparm)] = true;
    s.saveToFile = false;
    s.separateFiles = false;
    s.fileName = "/tmp/lijst.txt";
    s.speed = 750;
    s.verify = false;
    ASSERT_TRUE(saveToolSettings(Tool::Adjustment, s, store));
    EXPECT_EQ(store.readString("Hoofdvenster", "AANPAS MG-tijden", ""), "1");
    EXPECT_EQ(store.readString("Hoofdvenster", "AANPAS VG-tijden", ""), "0");
    EXPECT_EQ(store.readString("Hoofdvenster", "AANPAS Verify action", ""), "0");
    EXPECT_EQ(store.readString("Hoofdvenster", "AANPAS Save separate files", ""), "0");
    EXPECT_EQ(store.readString("Hoofdvenster", "AANPAS Speed", ""), "750");
    const ToolSettings back = loadToolSettings(Tool::Adjustment, store);
    EXPECT_EQ(back.selected, s.selected);
    EXPECT_EQ(back.fileName, s.fileName);
    EXPECT_EQ(back.speed, 750);
    EXPECT_FALSE(back.verify || back.saveToFile || back.separateFiles);

    ToolSettings t;
    t.switchesOff = true;
    t.startValue = -12;
    t.restartPerCategory = false;
    t.rememberOriginals = false;
    t.fileName = "afname.txt";
    ASSERT_TRUE(saveToolSettings(Tool::Acceptance, t, store));
    EXPECT_EQ(store.readString("Hoofdvenster", "AFNAME Schakelaar uit", ""), "1");
    EXPECT_EQ(store.readString("Hoofdvenster", "AFNAME Schakelaar aan", ""), "0");
    EXPECT_EQ(store.readString("Hoofdvenster", "AFNAME Schakelaars", "none"), "none");
    EXPECT_EQ(store.readString("Hoofdvenster", "AFNAME Beginwaarde parameters", ""), "-12");
    EXPECT_EQ(store.readString("Hoofdvenster", "AFNAME Remind original values", ""), "0");
    const ToolSettings u = loadToolSettings(Tool::Acceptance, store);
    EXPECT_TRUE(u.switchesOff);
    EXPECT_TRUE(u.isSelected(Category::Schakelaars));
    EXPECT_EQ(u.startValue, -12);
    EXPECT_FALSE(u.restartPerCategory || u.rememberOriginals);

    ASSERT_TRUE(saveToolSettings(Tool::Difference, s, store));
    EXPECT_EQ(store.readString("Hoofdvenster", "VERSCHILLEN Save separate files", "none"), "none");
    EXPECT_EQ(store.readString("Hoofdvenster", "VERSCHILLEN EPARM", ""), "1");
    store.failWrites = true;
    EXPECT_FALSE(saveToolSettings(Tool::Difference, s, store));
}

TEST(DialogRules, BoxesSpeedsAndTheStartValueField) {
    auto t = test_support::sampleTables();
    ToolSettings s;
    s.selected[categoryNumber(Category::Hiaattijden)] = true;
    EXPECT_TRUE(categoryBox(Category::Hiaattijden, s, *t).checked);
    EXPECT_TRUE(categoryBox(Category::Tijden, s, *t).enabled);
    EXPECT_FALSE(categoryBox(Category::Tijden, s, *t).checked);
    t->detectors.count = 0;  // no detectors: disabled and unchecked whatever the settings
    EXPECT_FALSE(categoryBox(Category::Hiaattijden, s, *t).enabled);
    EXPECT_FALSE(categoryBox(Category::Hiaattijden, s, *t).checked);

    s.switchesOn = s.switchesOff = true;
    EXPECT_TRUE(switchBoxes(s, *t).onChecked);
    EXPECT_FALSE(switchBoxes(s, *t).offChecked);
    s.switchesOn = false;
    EXPECT_TRUE(switchBoxes(s, *t).offChecked);
    t->switches.count = 0;
    EXPECT_FALSE(switchBoxes(s, *t).enabled || switchBoxes(s, *t).offChecked);

    EXPECT_EQ(speedChoiceIndex(100), 0);
    EXPECT_EQ(speedChoiceIndex(2000), 4);
    EXPECT_EQ(speedChoiceIndex(750), -1);

    EXPECT_EQ(parseStartValue("  42abc"), 42);
    EXPECT_EQ(parseStartValue("\t-7"), -7);
    EXPECT_EQ(parseStartValue("+12"), 12);
    EXPECT_EQ(parseStartValue("abc"), 0);
    EXPECT_EQ(parseStartValue(""), 0);
    EXPECT_EQ(parseStartValue("- 5"), 0);
    EXPECT_EQ(parseStartValue("99999999999999"), 2147483647);
    EXPECT_EQ(parseStartValue("-99999999999999"), -2147483647 - 1);
    EXPECT_EQ(parseStartValue(std::string(98, ' ') + "12"), 1);  // 99 characters read
    EXPECT_EQ(fileNameFromField(std::string(300, 'a')).size(), 259u);
}

}  // namespace
}  // namespace veltro::tools
