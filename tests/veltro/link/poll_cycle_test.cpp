#include "veltro/link/poll_cycle.h"

#include <gtest/gtest.h>

#include <vector>

#include "link_fakes.h"
#include "veltro/link/frame_sender.h"

namespace veltro::link {
namespace {

using testing::FakeTimers;
using testing::RecordingMessages;
using testing::RecordingWriter;

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
    // What the frames sent since the last call asked for, as "mode:index".
    std::vector<std::string> sent() {
        std::vector<std::string> out;
        const auto frames = writer.frames();
        for (std::size_t i = seen; i < frames.size(); ++i) {
            const char* mode = frames[i].first == CommandMode::Read         ? "R"
                               : frames[i].first == CommandMode::Continuous ? "C"
                               : frames[i].first == CommandMode::Stop       ? "S"
                                                                            : "W";
            out.push_back(std::string(mode) + std::to_string(frames[i].second.index));
        }
        seen = frames.size();
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

TEST_F(PollCycleTest, RequestsAfterTimerAAndReportsNoConnectionOnceAfterTimerB) {
    show(0);
    EXPECT_EQ(sent(), Strings{});  // nothing before the first 500 ms
    timers.fireAll();              // timer A
    EXPECT_EQ(sent(), (Strings{"R1", "C1"}));
    EXPECT_EQ(poll.generation(), -1);
    EXPECT_TRUE(messages.lines.empty());
    timers.fireAll();  // timer B: nobody answered, every item asked again
    EXPECT_EQ(sent(), (Strings{"R1", "C1", "R2", "C2"}));
    EXPECT_EQ(messages.lines, Strings{"4:Er is geen verbinding aanwezig."});
    EXPECT_TRUE(timers.pending.empty());
}

TEST_F(PollCycleTest, AnsweredItemsAreNotAskedAgainAndSilenceTheMessage) {
    show(2);
    timers.fireAll();
    sent();
    windows.windows[2][0].enabled = true;  // its first value arrived
    timers.fireAll();
    EXPECT_EQ(sent(), (Strings{"R5", "C5"}));
    EXPECT_TRUE(messages.lines.empty());
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
    EXPECT_EQ(messages.lines, Strings{"4:Er is geen verbinding aanwezig."});
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

}  // namespace
}  // namespace veltro::link
