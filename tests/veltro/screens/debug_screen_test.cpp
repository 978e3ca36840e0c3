#include "veltro/screens/debug_screen.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "veltro/screens/item_navigation.h"
#include "veltro/screens/value_text.h"

namespace veltro {
namespace {

using testing::RequestRecorder;
using testing::ScriptedPrompts;

constexpr CommandMode Read = CommandMode::Read;
constexpr CommandMode Continuous = CommandMode::Continuous;
constexpr CommandMode Stop = CommandMode::Stop;
constexpr CommandMode Write = CommandMode::Write;

struct ItemSetup {
    int function;
    int first;
    int onOff;
    int row = 0;
    int column = 0;
    int width = 6;
};

DebugScreen makeScreen(const std::vector<ItemSetup>& setups) {
    DebugScreen screen("/p/debug_001.plo");
    for (const ItemSetup& setup : setups) {
        DebugItem& item = screen.addItem();
        item.functionCode = setup.function;
        item.firstElement = setup.first;
        item.onOff = setup.onOff;
        item.row = setup.row;
        item.column = setup.column;
        item.width = setup.width;
        item.hasControl = true;
    }
    screen.buildIndex();
    return screen;
}

struct Fixture {
    RequestRecorder requests;
    ScriptedPrompts prompts;
    ScreenPorts ports{requests, prompts};
};

TEST(ItemValues, TextOfANumberField) {
    DebugItem item;
    item.width = 3;
    EXPECT_EQ(valueText(item, 999), "999");
    EXPECT_EQ(valueText(item, 1234), std::string(15, '#'));
    item.functionCode = 481;  // datum
    item.width = 6;
    EXPECT_EQ(valueText(item, 12345), "012345");
    item.functionCode = 462;
    item.keepsLastValue = true;
    item.width = 21;  // wider than the 15 characters a field holds
    item.lastNonZeroValue = -2000000000;
    EXPECT_EQ(valueText(item, 7), "7 (-2000000000)");
    EXPECT_EQ(valueText(item, -7), std::string(15, '#'));
}

TEST(ItemValues, ReportsFindTheirItemAndUpdateIt) {
    DebugScreen screen = makeScreen({{462, 3, 0}, {259, 3, 1}});
    screen.mutableItem(0).keepsLastValue = true;
    screen.mutableItem(0).width = 10;
    const std::vector<std::pair<int, std::string>> dvwd = {
        {5, "5"}, {0, "0 (5)"}, {7, "7 (5)"}, {3, "3 (7)"}};
    for (const auto& [value, text] : dvwd) {
        EXPECT_EQ(screen.showReport({462, 3, 0, 0, value}), 0);
        EXPECT_EQ(screen.item(0).text, text);
    }
    EXPECT_TRUE(screen.item(0).enabled);
    EXPECT_FALSE(screen.item(1).enabled);

    EXPECT_EQ(screen.showReport({259, 3, 0, 0, 1}), 1);
    EXPECT_TRUE(screen.item(1).checked);
    EXPECT_EQ(screen.showReport({259, 3, 0, 0, 2}), 1);
    EXPECT_FALSE(screen.item(1).checked);  // only exactly 1 is on

    EXPECT_EQ(screen.showReport({259, 4, 0, 0, 1}), -1);  // no such item: dropped
    // A report overwrites what the engineer was typing.
    screen.typeText(0, "12");
    EXPECT_TRUE(screen.item(0).edited);
    screen.showReport({462, 3, 0, 0, 9});
    EXPECT_FALSE(screen.item(0).edited);
    EXPECT_EQ(screen.item(0).text, "9 (3)");
}

TEST(ItemRequests, PollCycleDisplayCommandsAndHiding) {
    Fixture f;
    DebugScreen screen = makeScreen({{288, 1, 1}, {320, 2, 0}, {480, -1, 0}});
    screen.mutableItem(2).hasControl = false;  // an undefined field is never requested
    screen.setRequested(1, false, f.requests);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{Stop});
    f.requests.sent.clear();
    screen.setRequested(1, false, f.requests);  // already off: nothing to stop
    EXPECT_TRUE(f.requests.sent.empty());

    screen.sendPollRequests(f.requests);
    ASSERT_EQ(f.requests.sent.size(), 2U);
    EXPECT_EQ(f.requests.sent[0], (testing::Request{{288, 1, -1, 1, 0}, Read}));
    EXPECT_EQ(f.requests.sent[1].mode, Continuous);
    f.requests.sent.clear();

    screen.showValue(0, 1);
    EXPECT_EQ(screen.repollSilentItems(f.requests), 1);
    EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{Read, Continuous}));
    EXPECT_EQ(f.requests.sent[0].record.functionCode, 320);
    f.requests.sent.clear();

    screen.deactivate(f.requests);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{Stop});
    EXPECT_FALSE(screen.item(0).enabled);
    f.requests.sent.clear();

    screen.setAllRequested(true, f.requests);
    EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{Read, Continuous, Read, Continuous}));
    EXPECT_EQ(screen.requestedItems(), (std::vector<int>{0, 1}));
}

TEST(ItemSelection, SaveQuestionWhenLeavingAnEditedField) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        Fixture f;
        DebugScreen screen = makeScreen({{320, 1, 0}, {320, 2, 0}});
        screen.showValue(0, 10);
        screen.select(0, f.ports);
        screen.typeText(0, "42abc");
        f.prompts.answers.push_back(yes);
        screen.select(1, f.ports);
        ASSERT_EQ(f.prompts.boxes.size(), 1U);
        EXPECT_EQ(f.prompts.boxes[0].caption, "VELTRO");
        EXPECT_EQ(f.prompts.boxes[0].text,
                  "De huidige wijziging is niet opgeslagen.\nWilt u "
                  "deze wijziging alsnog opslaan?");
        EXPECT_EQ(f.prompts.boxes[0].icon, PromptIcon::Question);
        if (yes) {
            EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{Write, Read}));
            EXPECT_EQ(f.requests.sent[0].record.value, 42);
        } else {
            EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{Read});
        }
        EXPECT_FALSE(screen.item(0).edited);
        EXPECT_FALSE(screen.item(0).selected());
        EXPECT_TRUE(screen.item(1).selected());
        screen.select(0, f.ports);  // asked once only
        EXPECT_EQ(f.prompts.boxes.size(), 1U);
    }
}

TEST(ItemEditing, KeysAndClicks) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0}, {288, 1, 1}});
    screen.handleKey(ScreenKey::Escape, f.ports);  // nothing selected: nothing happens
    screen.handleKey(ScreenKey::Enter, f.ports);
    EXPECT_TRUE(f.requests.sent.empty());

    screen.select(0, f.ports);
    screen.typeText(0, " -17");
    screen.handleKey(ScreenKey::Enter, f.ports);
    EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{Write, Read}));
    EXPECT_EQ(f.requests.sent[0].record.value, -17);
    EXPECT_FALSE(screen.item(0).edited);
    f.requests.sent.clear();

    screen.handleKey(ScreenKey::Blank, f.ports);  // a number field ignores the blank
    screen.handleKey(ScreenKey::V, f.ports);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{Write});
    f.requests.sent.clear();

    screen.select(1, f.ports);
    screen.showValue(1, 1);
    screen.handleKey(ScreenKey::Enter, f.ports);
    screen.handleKey(ScreenKey::Blank, f.ports);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{Write, Write}));
    EXPECT_EQ(f.requests.sent[0].record.value, 0);
    EXPECT_EQ(f.requests.sent[1].record.value, 1);
    EXPECT_TRUE(screen.item(1).checked);  // the mark follows the controller only
    f.requests.sent.clear();

    // A click writes the inverted value; the box's own report then puts the
    // value back to the mark shown.
    screen.click(1, f.ports);
    ASSERT_EQ(f.requests.sent.size(), 1U);
    EXPECT_EQ(f.requests.sent[0].record.value, 0);
    EXPECT_EQ(screen.item(1).value, 1);
    f.requests.sent.clear();

    screen.handleKey(ScreenKey::Escape, f.ports);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{Read});
    EXPECT_EQ(screen.selected(), -1);
    EXPECT_TRUE(f.prompts.boxes.empty());
}

// A field too narrow for its value shows fifteen '#': Enter without an edit
// must write back the value reported, not the 0 that the marks would read as.
TEST(ItemEditing, EnterOnAnOverflowedFieldKeepsTheReportedValue) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0, 0, 0, 3}});
    screen.showValue(0, 1234);
    ASSERT_EQ(screen.item(0).text, std::string(15, '#'));
    screen.select(0, f.ports);
    screen.handleKey(ScreenKey::Enter, f.ports);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{Write, Read}));
    EXPECT_EQ(f.requests.sent[0].record.value, 1234);
    f.requests.sent.clear();

    screen.typeText(0, "56");  // what the engineer typed is what is written
    screen.handleKey(ScreenKey::Enter, f.ports);
    ASSERT_FALSE(f.requests.sent.empty());
    EXPECT_EQ(f.requests.sent[0].record.value, 56);
}

TEST(ItemNavigation, ArrowKeys) {
    // Row 0: columns 0, 10, 20; row 1: columns 4, 14; row 3: column 12.
    const std::vector<ItemPlace> grid = {{0, 0}, {0, 10}, {0, 20}, {1, 4}, {1, 14}, {3, 12}};
    const std::vector<ItemPlace> oneRow = {{2, 0}, {2, 5}, {2, 9}};
    const std::vector<ItemPlace> single = {{0, 0}};
    struct Case {
        const std::vector<ItemPlace>* places;
        int from;
        Arrow arrow;
        int to;
    };
    const std::vector<Case> cases = {
        {&grid, -1, Arrow::Right, 0}, {&grid, -1, Arrow::Down, 0},   {&grid, -1, Arrow::Left, 5},
        {&grid, -1, Arrow::Up, 5},    {&grid, 5, Arrow::Right, 0},   {&grid, 0, Arrow::Left, 5},
        {&grid, 1, Arrow::Down, 4},  // column 14 is nearer to 10 than column 4
        {&grid, 2, Arrow::Down, 4},   {&grid, 5, Arrow::Down, 1},  // last row wraps to the first
        {&grid, 3, Arrow::Up, 0},     {&grid, 0, Arrow::Up, 5},      {&oneRow, 1, Arrow::Down, 2},
        {&oneRow, 1, Arrow::Up, 0},   {&single, 0, Arrow::Right, 0}, {&single, 0, Arrow::Down, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "from " << c.from << " arrow " << static_cast<int>(c.arrow));
        EXPECT_EQ(navigate(*c.places, c.from, c.arrow), c.to);
    }
    EXPECT_EQ(navigate({}, -1, Arrow::Down), -1);
}

TEST(ItemNavigation, EqualDistanceTies) {
    // From column 10 on row 0, columns 6 and 14 on row 1 are equally near.
    const std::vector<ItemPlace> places = {{0, 10}, {1, 6}, {1, 14}, {2, 10}};
    EXPECT_EQ(navigate(places, 0, Arrow::Down), 2);  // the later one
    EXPECT_EQ(navigate(places, 3, Arrow::Up), 1);    // the earlier one
}

}  // namespace
}  // namespace veltro
