#include "veltro/screens/debug_screen.h"

#include <gtest/gtest.h>

#include "support/veltro/messages.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"
#include "veltro/screens/item_navigation.h"
#include "veltro/screens/value_text.h"

namespace veltro {
namespace {

using test_support::RequestRecorder;
using test_support::ScriptedPrompts;

constexpr CommandMode kRead = CommandMode::Read;
constexpr CommandMode kWrite = CommandMode::Write;

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
    test_support::RecordingMessages messages;
    test_support::SwitchedWriteGate writes;
    ScreenPorts ports{requests, prompts, messages, writes};
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
}

// The poll cycle sets and reads this state; the rules of when requests go out
// are its own, so these setters send nothing.
TEST(ItemState, RequestedFlagEnabledStateAndTheControlledItems) {
    DebugScreen screen("/p/debug_001.plo");
    for (int function : {288, -1, 320}) {
        DebugItem& item = screen.addItem();
        item.functionCode = function;
        item.hasControl = function >= 0;
    }
    EXPECT_TRUE(screen.controlledItems().empty());  // fixed when the index is built
    screen.buildIndex();
    EXPECT_EQ(screen.controlledItems(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(screen.item(0).requested());  // every item starts requested
    // Built again, the index starts from nothing: no item finds its own key taken.
    EXPECT_TRUE(screen.buildIndex().empty());
    EXPECT_EQ(screen.controlledItems(), (std::vector<int>{0, 2}));
    EXPECT_EQ(screen.findItem({320, 0, 0, 0, 0}), 2);

    screen.setRequested(2, false);
    EXPECT_FALSE(screen.item(2).requested());
    screen.setRequested(2, true);
    EXPECT_TRUE(screen.item(2).requested());
    screen.setRequested(1, false);  // no control: never requested, never changed
    screen.setRequested(7, false);
    EXPECT_TRUE(screen.item(1).requested());

    screen.showValue(0, 5);
    screen.showValue(2, 6);
    // A lost link makes the values shown stale, each until its next report.
    screen.mutableItem(1).enabled = false;
    screen.markStale();
    EXPECT_TRUE(screen.item(0).stale);
    EXPECT_FALSE(screen.item(1).stale);  // it shows no value
    EXPECT_TRUE(screen.item(2).stale);
    screen.showValue(2, 6);
    EXPECT_TRUE(screen.item(0).stale);
    EXPECT_FALSE(screen.item(2).stale);
    screen.mutableItem(0).flags |= DebugItem::kSelectedFlag;
    screen.disableItems();
    EXPECT_FALSE(screen.item(0).enabled);
    EXPECT_FALSE(screen.item(2).enabled);
    EXPECT_TRUE(screen.item(0).selected());  // hiding leaves the selection alone
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
            EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
            EXPECT_EQ(f.requests.sent[0].record.value, 42);
        } else {
            EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kRead});
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

    screen.showValue(0, 3);
    screen.select(0, f.ports);
    screen.typeText(0, " -17");
    screen.handleKey(ScreenKey::Enter, f.ports);
    EXPECT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
    EXPECT_EQ(f.requests.sent[0].record.value, -17);
    EXPECT_FALSE(screen.item(0).edited);
    f.requests.sent.clear();

    screen.handleKey(ScreenKey::Blank, f.ports);  // a number field ignores the blank
    screen.handleKey(ScreenKey::V, f.ports);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kWrite});
    f.requests.sent.clear();

    screen.select(1, f.ports);
    screen.showValue(1, 1);
    screen.handleKey(ScreenKey::Enter, f.ports);
    screen.handleKey(ScreenKey::Blank, f.ports);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kWrite}));
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
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kRead});
    EXPECT_EQ(screen.selected(), -1);
    EXPECT_TRUE(f.prompts.boxes.empty());
}

// Before its first value an item has nothing to write back: the keys that
// write, typing and clicks leave it alone, on both kinds; arrows and Escape
// still move and drop the selection.
TEST(ItemEditing, AnItemWithoutAValueTakesNoEdits) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0}, {288, 1, 1, 0, 8}});
    screen.handleKey(ScreenKey::Right, f.ports);
    ASSERT_EQ(screen.selected(), 0);
    screen.typeText(0, "12");
    EXPECT_FALSE(screen.item(0).edited);
    EXPECT_EQ(screen.item(0).text, "");
    for (ScreenKey key : {ScreenKey::Enter, ScreenKey::Blank, ScreenKey::V})
        screen.handleKey(key, f.ports);
    screen.handleKey(ScreenKey::Right, f.ports);
    ASSERT_EQ(screen.selected(), 1);
    for (ScreenKey key : {ScreenKey::Enter, ScreenKey::Blank, ScreenKey::V})
        screen.handleKey(key, f.ports);
    screen.click(1, f.ports);
    screen.click(0, f.ports);
    EXPECT_TRUE(f.requests.sent.empty());
    EXPECT_EQ(screen.selected(), 1);  // the click on a control without a value missed

    // Once a window is hidden its items are disabled again until reported.
    screen.showValue(1, 1);
    screen.handleKey(ScreenKey::Blank, f.ports);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kWrite});
    screen.disableItems();
    screen.handleKey(ScreenKey::Blank, f.ports);
    EXPECT_EQ(f.requests.sent.size(), 1U);
    screen.handleKey(ScreenKey::Escape, f.ports);
    EXPECT_EQ(screen.selected(), -1);
}

// Reports leave an edit in progress alone, the same value repeated or a new
// one (text, edited flag, the save question to come): what is written is
// what was typed. The edit's end asks for the value, which is then shown.
TEST(ItemEditing, ReportsLeaveTheTypingAlone) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0}, {320, 2, 0}});
    screen.showValue(0, 60);
    screen.select(0, f.ports);
    screen.typeText(0, "77");
    screen.showValue(0, 60);
    EXPECT_EQ(screen.item(0).text, "77");
    EXPECT_TRUE(screen.item(0).edited);
    screen.handleKey(ScreenKey::Enter, f.ports);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
    EXPECT_EQ(f.requests.sent[0].record.value, 77);
    f.requests.sent.clear();

    screen.typeText(0, "12");
    screen.showValue(0, 61);  // the controller changed it meanwhile
    EXPECT_EQ(screen.item(0).text, "12");
    EXPECT_TRUE(screen.item(0).edited);
    f.prompts.answers.push_back(true);
    screen.select(1, f.ports);
    ASSERT_EQ(f.prompts.boxes.size(), 1U);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
    EXPECT_EQ(f.requests.sent[0].record.value, 12);
    screen.showValue(0, 12);  // the answer to the READ
    EXPECT_EQ(screen.item(0).text, "12");

    // Escape drops the typing; the answer to its READ is shown.
    screen.select(0, f.ports);
    screen.typeText(0, "5");
    screen.handleKey(ScreenKey::Escape, f.ports);
    screen.showValue(0, 61);
    EXPECT_EQ(screen.item(0).text, "61");
}

// While the line cannot carry a write, every way of writing is refused and
// told, and nothing is shown as written: the field shows the value last
// reported again. Once the line is back the same keys write.
TEST(ItemEditing, AWriteTheLineCannotCarryIsRefusedAndTold) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0}, {288, 1, 1, 0, 8}, {320, 2, 0, 0, 16}});
    screen.showValue(0, 60);
    screen.showValue(1, 1);
    screen.showValue(2, 7);
    f.writes.open = false;
    screen.select(0, f.ports);
    screen.typeText(0, "75");
    screen.handleKey(ScreenKey::Enter, f.ports);
    EXPECT_EQ(screen.item(0).text, "60");
    EXPECT_FALSE(screen.item(0).edited);
    screen.handleKey(ScreenKey::V, f.ports);
    screen.typeText(0, "12");
    f.prompts.answers.push_back(true);  // leaving: save it? Yes
    screen.select(1, f.ports);
    EXPECT_EQ(screen.item(0).text, "60");
    EXPECT_EQ(screen.item(0).value, 60);
    screen.handleKey(ScreenKey::Blank, f.ports);
    screen.handleKey(ScreenKey::Enter, f.ports);
    screen.click(1, f.ports);
    EXPECT_EQ(screen.item(1).value, 1);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kRead});  // the one read on leaving
    const std::string refused = " niet geschreven: er is geen verbinding met de regelautomaat.";
    std::vector<std::string> told;
    for (const char* value : {"75", "60", "12", "0", "0", "0"})
        told.push_back(std::string("Waarde ") + value + refused);
    EXPECT_EQ(f.messages.texts(), told);
    for (const auto& line : f.messages.lines())
        EXPECT_EQ(line.kind, message_kind::kError);

    f.writes.open = true;
    f.requests.sent.clear();
    screen.select(0, f.ports);
    screen.typeText(0, "75");
    screen.handleKey(ScreenKey::Enter, f.ports);
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
    EXPECT_EQ(f.requests.sent[0].record.value, 75);
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
    ASSERT_EQ(f.requests.modes(), (std::vector<CommandMode>{kWrite, kRead}));
    EXPECT_EQ(f.requests.sent[0].record.value, 1234);
    f.requests.sent.clear();

    screen.typeText(0, "56");  // what the engineer typed is what is written
    screen.handleKey(ScreenKey::Enter, f.ports);
    ASSERT_FALSE(f.requests.sent.empty());
    EXPECT_EQ(f.requests.sent[0].record.value, 56);
}

// Moving within the field being edited is no change of selection: no save
// question, the typed text stays. Only leaving it asks.
TEST(ItemSelection, StayingOnTheEditedFieldAsksNothing) {
    Fixture f;
    DebugScreen screen = makeScreen({{320, 1, 0}, {288, 1, 1, 2, 0}});
    screen.showValue(0, 10);
    screen.select(0, f.ports);
    screen.typeText(0, "42");
    screen.click(0, f.ports);  // a click into the field being edited
    screen.select(0, f.ports);
    EXPECT_TRUE(f.prompts.boxes.empty());
    EXPECT_TRUE(f.requests.sent.empty());
    EXPECT_TRUE(screen.item(0).edited);
    EXPECT_EQ(screen.item(0).text, "42");
    EXPECT_TRUE(screen.item(0).selected());

    // Escape drops the edit without a question; then leaving asks nothing.
    screen.handleKey(ScreenKey::Escape, f.ports);
    EXPECT_EQ(f.requests.modes(), std::vector<CommandMode>{kRead});
    screen.select(1, f.ports);
    EXPECT_TRUE(f.prompts.boxes.empty());

    // On a window with one item the arrows keep the edited field selected.
    Fixture g;
    DebugScreen single = makeScreen({{320, 1, 0}});
    single.showValue(0, 1);
    single.select(0, g.ports);
    single.typeText(0, "7");
    for (ScreenKey key : {ScreenKey::Left, ScreenKey::Right, ScreenKey::Up, ScreenKey::Down})
        single.handleKey(key, g.ports);
    EXPECT_TRUE(g.prompts.boxes.empty());
    EXPECT_TRUE(single.item(0).edited);

    // A click on an on/off item while a number field is edited asks first.
    g.prompts.answers.push_back(true);
    DebugScreen two = makeScreen({{320, 1, 0}, {288, 1, 1, 2, 0}});
    two.showValue(0, 1);
    two.showValue(1, 0);
    two.select(0, g.ports);
    two.typeText(0, "9");
    two.click(1, g.ports);
    ASSERT_EQ(g.prompts.boxes.size(), 1u);
    EXPECT_EQ(g.requests.modes(), (std::vector<CommandMode>{kWrite, kRead, kWrite}));
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

// The one item on another row is the last one met in the arrow's direction,
// just before the search would come back to the selected item.
TEST(ItemNavigation, AnotherRowMetLastIsStillFound) {
    const std::vector<ItemPlace> belowLast = {{0, 0}, {0, 5}, {1, 3}};
    EXPECT_EQ(navigate(belowLast, 0, Arrow::Down), 2);
    const std::vector<ItemPlace> aboveLast = {{0, 0}, {1, 5}, {0, 9}};
    EXPECT_EQ(navigate(aboveLast, 0, Arrow::Up), 1);
}

TEST(ItemNavigation, EqualDistanceTies) {
    // From column 10 on row 0, columns 6 and 14 on row 1 are equally near.
    const std::vector<ItemPlace> places = {{0, 10}, {1, 6}, {1, 14}, {2, 10}};
    EXPECT_EQ(navigate(places, 0, Arrow::Down), 2);  // the later one
    EXPECT_EQ(navigate(places, 3, Arrow::Up), 1);    // the earlier one
}

}  // namespace
}  // namespace veltro
