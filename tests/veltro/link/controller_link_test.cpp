#include "veltro/link/controller_link.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/veltro/clock.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/frames.h"
#include "support/veltro/line_output.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/timers.h"
#include "support/veltro/wait.h"
#include "veltro/link/frame_encoder.h"

namespace veltro::link {
namespace {

using namespace test_support;

struct Link {
    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    ControllerLink link{{dispatcher, display, replyTimer, clock}};
};

Bytes encoded(const ControllerRecord& record, CommandMode mode) {
    const auto frame = encodeFrame(record, mode);
    return Bytes(frame.bytes().begin(), frame.bytes().end());
}

TEST(ControllerLink, FramesGoThroughTheQueueOnlyOnceALineIsAttached) {
    Link l;
    const ControllerRecord vg{320, 2, -1, 0, 0};
    EXPECT_FALSE(l.link.writer().writeBytes(Bytes{0x41}));  // nothing to write to yet
    l.link.requests().send(vg, CommandMode::Read);
    EXPECT_EQ(l.link.writeQueue(), nullptr);

    auto owned = std::make_unique<FakeLine>(l.clock);
    FakeLine& line = *owned;
    l.link.attach(std::move(owned));
    ASSERT_TRUE(l.link.attached());
    l.link.requests().send(vg, CommandMode::Read);
    l.link.requests().send(vg, CommandMode::Continuous);
    ASSERT_TRUE(l.link.writeQueue()->waitUntilIdle(std::chrono::seconds(5)));
    Bytes expected = encoded(vg, CommandMode::Read);
    const Bytes continuous = encoded(vg, CommandMode::Continuous);
    expected.insert(expected.end(), continuous.begin(), continuous.end());
    EXPECT_EQ(line.written(), expected);
}

// Records reach the shown window's sink on the user-interface thread; those
// decoded before the window was hidden or another was shown do not.
TEST(ControllerLink, ShownWindowRecordsArriveOnTheUserInterfaceThreadAndStaleOnesAreDropped) {
    Link l;
    RecordingSink window;
    RecordingSink tool;
    l.link.setWindowSink(&window);
    l.link.router().setToolSink(&tool);
    const Bytes value = {0xA2, 0x65, 0x5F};  // function code 69, index 31, value 1

    l.link.windowShown();
    l.link.consumer().bytesReceived(value);
    EXPECT_TRUE(window.records().empty());
    l.dispatcher.drain();
    EXPECT_EQ(window.records(), (std::vector<ControllerRecord>{{69, 31, 0, 0, 1}}));

    l.link.consumer().bytesReceived(value);
    l.link.setPaused(true);
    l.link.windowHidden();
    l.link.setPaused(false);
    l.link.windowShown();
    l.dispatcher.drain();
    EXPECT_EQ(window.records().size(), 1u);

    // While a tool dialog is open the store's intake takes records at once,
    // on the reader thread.
    l.link.router().setRouteToParameterStore(true);
    l.link.consumer().bytesReceived(value);
    EXPECT_EQ(tool.records().size(), 1u);
    EXPECT_EQ(l.dispatcher.queued(), 0u);

    // While paused nothing is decoded at all.
    l.link.router().setRouteToParameterStore(false);
    l.link.setPaused(true);
    l.link.consumer().bytesReceived(value);
    l.link.setPaused(false);
    l.dispatcher.drain();
    EXPECT_EQ(window.records().size(), 1u);
}

struct OneWindow : PollWindow {
    bool windowShown() const override { return shown; }
    std::size_t itemCount() const override { return 1; }
    ControllerRecord itemRecord(std::size_t) const override { return {320, 4, -1, 0, 0}; }
    bool itemRequested(std::size_t) const override { return true; }
    void setItemRequested(std::size_t, bool) override {}
    bool itemEnabled(std::size_t) const override { return false; }
    void disableItems() override { ++disabled; }
    bool shown = true;
    int disabled = 0;
};

TEST(ControllerLink, ShowingAndHidingDriveThePollCycle) {
    Link l;
    auto owned = std::make_unique<FakeLine>(l.clock);
    FakeLine& line = *owned;
    l.link.attach(std::move(owned));
    OneWindow window;
    FakeTimers timers;
    RecordingMessages messages;
    PollCycle poll(window, l.link.requests(), timers, messages);
    l.link.setPollCycle(&poll);

    l.link.windowShown();
    EXPECT_TRUE(l.link.flags().trace.load());
    timers.fireAll();  // timer A: READ and CONTINUOUS
    l.link.windowHidden();
    EXPECT_EQ(window.disabled, 1);
    EXPECT_TRUE(timers.pending.empty());  // timer B ends with the window
    ASSERT_TRUE(l.link.writeQueue()->waitUntilIdle(std::chrono::seconds(5)));
    EXPECT_EQ(frameSummary(decodeFrames({line.written()})),
              (std::vector<std::string>{"R4", "C4", "S4"}));
}

// The front-end hears every change of the line's state, in the order of the
// changes, on its own thread: a loss that stays, and one that is mended.
TEST(ControllerLink, TheStateListenerHearsEveryChangeInOrder) {
    struct Listener final : LinkStateListener {
        void linkStateChanged(LinkState state) override { states.push_back(state); }
        std::vector<LinkState> states;
    };
    struct Reopen final : LineReopen {
        bool reopen(std::stop_token) override { return true; }
    };
    using S = LinkState;
    for (const bool reconnect : {false, true}) {
        SCOPED_TRACE(reconnect);
        Reopen reopen;  // outlives the link's reconnecting thread
        Link l;
        Listener listener;
        l.link.setStateListener(&listener);
        if (reconnect)
            l.link.enableReconnect(nullptr, &l.clock);
        l.link.attach(std::make_unique<FakeLine>(l.clock), &reopen);
        l.link.lineLost();
        EXPECT_TRUE(listener.states.empty());  // only the user-interface thread hears
        const std::size_t changes = reconnect ? 3 : 2;
        ASSERT_TRUE(waitUntil([&] {
            l.dispatcher.drain();
            return listener.states.size() >= changes;
        }));
        EXPECT_EQ(listener.states,
                  reconnect ? (std::vector<S>{S::Connected, S::Reconnecting, S::Connected})
                            : (std::vector<S>{S::Connected, S::Lost}));
    }
}

}  // namespace
}  // namespace veltro::link
