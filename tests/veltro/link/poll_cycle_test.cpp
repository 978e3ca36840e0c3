#include "veltro/link/poll_cycle.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/veltro/frames.h"
#include "support/veltro/messages.h"
#include "support/veltro/timers.h"
#include "veltro/link/frame_sender.h"

namespace veltro::link {
namespace {

using test_support::FakeTimers;
using test_support::MessageLine;
using test_support::RecordingMessages;
using test_support::RecordingWriter;

struct FakeItem {
    ControllerRecord record;
    bool requested = true;
    bool enabled = false;
};

// A debug window list: `shown` picks the window on screen (-1: none).
class FakeWindows : public PollWindow {
  public:
    bool windowShown() const override { return shown >= 0; }
    std::size_t itemCount() const override { return current().size(); }
    ControllerRecord itemRecord(std::size_t i) const override { return current()[i].record; }
    bool itemRequested(std::size_t i) const override { return current()[i].requested; }
    void setItemRequested(std::size_t i, bool r) override { current()[i].requested = r; }
    bool itemEnabled(std::size_t i) const override { return current()[i].enabled; }
    void disableItems() override {
        for (auto& item : current())
            item.enabled = false;
    }

    std::vector<std::vector<FakeItem>> windows;
    int shown = -1;

  private:
    std::vector<FakeItem>& current() const {
        return const_cast<std::vector<FakeItem>&>(windows[static_cast<std::size_t>(shown)]);
    }
};

ControllerRecord item(int index) {
    return {320, index, -1, 0, 0};
}

class PollCycleTest : public ::testing::Test {
  protected:
    PollCycleTest() {
        windows.windows = {{{item(1)}, {item(2), false}}, {{item(3)}}, {{item(4)}, {item(5)}}};
    }
    // What the frames sent since the last call asked for, as mode and index.
    std::vector<std::string> sent() {
        const auto all = test_support::frameSummary(test_support::decodeFrames(writer.writes));
        std::vector<std::string> out(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return out;
    }
    void show(int window) {
        if (windows.shown >= 0)
            poll.hide();
        windows.shown = window;
        poll.start();
    }

    FakeWindows windows;
    RecordingWriter writer;
    FrameSender sender{writer};
    FakeTimers timers;
    RecordingMessages messages;
    PollCycle poll{windows, sender, timers, messages};
    std::size_t seen = 0;
};

using Strings = std::vector<std::string>;

// The one system message of a window that never answered.
const std::vector<MessageLine> kNoConnection = {
    {message_kind::kSystem, "", 0, "Er is geen verbinding aanwezig."}};

TEST_F(PollCycleTest, RequestsAfterTimerAAndReportsNoConnectionOnceAfterTimerB) {
    show(0);
    EXPECT_EQ(sent(), Strings{});  // nothing before the first 500 ms
    EXPECT_EQ(timers.lastDelay, std::chrono::milliseconds(500));
    timers.fireAll();  // timer A
    EXPECT_EQ(sent(), (Strings{"R1", "C1"}));
    EXPECT_EQ(poll.generation(), -1);
    EXPECT_TRUE(messages.lines().empty());
    timers.fireAll();  // timer B: nobody answered, every item asked again
    EXPECT_EQ(sent(), (Strings{"R1", "C1", "R2", "C2"}));
    EXPECT_EQ(messages.lines(), kNoConnection);
    EXPECT_TRUE(timers.pending.empty());
}

TEST_F(PollCycleTest, AnsweredItemsAreNotAskedAgainAndSilenceTheMessage) {
    show(2);
    timers.fireAll();
    sent();
    windows.windows[2][0].enabled = true;  // its first value arrived
    timers.fireAll();
    EXPECT_EQ(sent(), (Strings{"R5", "C5"}));
    EXPECT_TRUE(messages.lines().empty());
}

TEST_F(PollCycleTest, ThreeWindowsInQuickSuccessionPollOnlyTheLast) {
    show(0);
    show(1);
    show(2);
    EXPECT_EQ(sent(), (Strings{"S1", "S3"}));  // hiding stops the requested items
    timers.fireAll();                          // three timers A, two of them stale
    EXPECT_EQ(sent(), (Strings{"R4", "C4", "R5", "C5"}));
}

TEST_F(PollCycleTest, WindowWithoutItemsReportsNoConnection) {
    windows.windows.push_back({});
    show(3);
    timers.fireAll();
    timers.fireAll();
    EXPECT_EQ(messages.lines(), kNoConnection);
}

// The link's own account of the line, as the status line reads it.
class FakeLinkStatus : public LinkStatusSource {
  public:
    LinkStatus linkStatus() const override { return status; }
    LinkStatus status = [] {
        LinkStatus connected;
        connected.label = "127.0.0.1:7000";
        connected.state = LinkState::Connected;
        return connected;
    }();
};

// Without the link's status the check judges by the items alone (above);
// with it, "no connection" is said only when the link cannot be heard either.
TEST_F(PollCycleTest, NoConnectionIsSaidOnlyWhenTheLinkIsSilentToo) {
    struct Case {
        const char* what;
        bool windowWithoutItems;
        LinkState state;
        int framesAfterRequests;
        bool told;
    };
    const Case cases[] = {
        {"nothing arrived on a connected line", false, LinkState::Connected, 0, true},
        {"frames arrived, the items' answers are late", false, LinkState::Connected, 3, false},
        {"a window without items on a connected line", true, LinkState::Connected, 0, false},
        {"a window without items while reconnecting", true, LinkState::Reconnecting, 0, true},
        {"a lost line", false, LinkState::Lost, 0, true},
    };
    for (const Case& c : cases) {
        FakeLinkStatus link;
        link.status.state = c.state;
        link.status.framesIn = 100;
        RecordingMessages told;
        PollCycle cycle{windows, sender, timers, told, &link};
        windows.windows.push_back({});
        windows.shown = c.windowWithoutItems ? static_cast<int>(windows.windows.size()) - 1 : 0;
        cycle.start();
        timers.fireAll();  // requests
        link.status.framesIn += static_cast<std::uint64_t>(c.framesAfterRequests);
        timers.fireAll();  // the check
        EXPECT_EQ(told.lines().empty(), !c.told) << c.what;
    }
}

TEST_F(PollCycleTest, TimerThatCannotStartRunsTheFirstPollAtOnce) {
    timers.failStarts = true;
    windows.shown = 0;
    poll.start();  // generation 0: run at once
    EXPECT_EQ(sent(), (Strings{"R1", "C1"}));
}

TEST_F(PollCycleTest, ContinuousAndStopDisplayCommands) {
    windows.shown = 0;
    poll.continuousDisplay();
    EXPECT_EQ(sent(), (Strings{"R1", "C1", "R2", "C2"}));
    EXPECT_TRUE(windows.itemRequested(1));
    windows.setItemRequested(0, false);
    poll.stopDisplay();
    EXPECT_EQ(sent(), (Strings{"S2"}));
    EXPECT_FALSE(windows.itemRequested(1));
}

TEST_F(PollCycleTest, DestructionCancelsPendingTimers) {
    {
        PollCycle local{windows, sender, timers, messages};
        windows.shown = 0;
        local.start();
        EXPECT_EQ(timers.pending.size(), 1u);
    }
    EXPECT_TRUE(timers.pending.empty());

    // Windows shown in quick succession leave stale timers A behind; a timer
    // left pending would call into the destroyed cycle when it fires.
    {
        PollCycle local{windows, sender, timers, messages};
        local.start();
        local.start();
        local.start();
    }
    EXPECT_TRUE(timers.pending.empty());

    // A stale timer A that fires must not make the newer one uncancellable.
    {
        PollCycle local{windows, sender, timers, messages};
        local.start();
        auto stale = timers.pending.rbegin()->second;
        local.start();
        stale();
    }
    EXPECT_TRUE(timers.pending.empty());
}

TEST_F(PollCycleTest, TimerThatCannotStartLeavesThePendingOneToPollTheNewWindow) {
    show(0);
    show(1);
    timers.failStarts = true;
    show(2);  // generation above 1: the pending timer A polls window 2
    EXPECT_EQ(poll.generation(), 1);
    timers.failStarts = false;
    sent();
    timers.fireAll();
    EXPECT_EQ(sent(), (Strings{"R4", "C4", "R5", "C5"}));
}

// The previous window's check (timer B) must not judge the window shown
// after it: that one was not polled yet. One message, from the new window's
// own check, and nothing left pending.
TEST_F(PollCycleTest, SwitchBetweenTheTwoTimersGivesOneMessageAndLeavesNoTimer) {
    show(0);
    timers.fireAll();  // timer A of window 0; its timer B is pending
    sent();
    show(1);  // before timer B fires
    EXPECT_EQ(sent(), Strings{"S1"});
    EXPECT_EQ(timers.pending.size(), 1u);  // only the new window's timer A
    while (timers.fireOldest()) {
    }
    EXPECT_EQ(sent(), (Strings{"R3", "C3", "R3", "C3"}));
    EXPECT_EQ(messages.lines(), kNoConnection);
    EXPECT_TRUE(timers.pending.empty());

    // Hiding alone (a dialog opens) also ends the pending check.
    messages.clear();
    show(2);
    timers.fireAll();
    poll.hide();
    EXPECT_TRUE(timers.pending.empty());
    EXPECT_TRUE(messages.lines().empty());
}

}  // namespace
}  // namespace veltro::link
