#include "veltro/session/link_adapters.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/veltro/clock.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/frames.h"
#include "support/veltro/line_output.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/timers.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/frame_encoder.h"

namespace veltro {
namespace {

using namespace test_support;

DebugScreen screenWith(const std::string& title, std::initializer_list<int> functions,
                       int element) {
    DebugScreen screen(title);
    for (int function : functions) {
        DebugItem& item = screen.addItem();
        item.functionCode = function;
        item.firstElement = element;
        item.width = 6;
        item.hasControl = function >= 0;
    }
    screen.buildIndex();
    return screen;
}

TEST(LinkAdapters, PollViewAndRecordSinkFollowTheShownWindow) {
    DebugWindowList windows;
    windows.addWindow(screenWith("/p/debug_001.plo", {288, -1, 320}, 4));
    ShownWindowPoll poll(windows);
    RecordingItemView view;
    ShownWindowSink sink(windows, &view);
    EXPECT_FALSE(poll.windowShown());
    EXPECT_EQ(poll.itemCount(), 0U);
    sink.deliver({288, 4, 0, 0, 1});  // no window shown: dropped
    EXPECT_TRUE(view.changed.empty());

    LinkRecorder link;
    WindowSwitchPorts ports{link};
    windows.show(0, ports);
    ASSERT_EQ(poll.itemCount(), 2U);  // the undefined field is left out
    EXPECT_EQ(poll.itemRecord(1).functionCode, 320);
    poll.setItemRequested(1, false);
    EXPECT_FALSE(windows.window(0).item(2).requested());
    EXPECT_TRUE(poll.itemRequested(0));

    sink.deliver({320, 4, 0, 0, 77});
    EXPECT_TRUE(poll.itemEnabled(1));
    EXPECT_EQ(windows.window(0).item(2).text, "77");
    EXPECT_EQ(view.changed, std::vector<int>{2});  // the item, not the window
    sink.deliver({320, 5, 0, 0, 1});               // no such item: no change
    EXPECT_EQ(view.changed.size(), 1U);
    poll.disableItems();
    EXPECT_FALSE(poll.itemEnabled(1));
}

// A status source whose state the test sets.
class FixedStatus final : public LinkStatusSource {
  public:
    LinkStatus linkStatus() const override {
        LinkStatus status;
        status.state = state;
        return status;
    }
    LinkState state = LinkState::Connected;
};

// When the line goes, every value shown goes stale, in every window; each
// comes back with its first report over a line that is back, not before.
// Writes wait for the line, which the link itself may know of first.
TEST(LinkTrust, ValuesGoStaleWithTheLineAndComeBackReportByReport) {
    DebugWindowList windows;
    windows.addWindow(screenWith("/p/debug_001.plo", {320, 288, 264}, 4));
    windows.addWindow(screenWith("/p/debug_002.plo", {320}, 5));
    LinkRecorder link;
    WindowSwitchPorts ports{link};
    windows.show(0, ports);
    FixedStatus live;
    LinkTrust trust(windows, &live);
    RecordingItemView view;
    trust.setView(&view);
    ShownWindowSink sink(windows, &view);
    sink.setTrust(&trust);
    sink.deliver({320, 4, 0, 0, 60});
    sink.deliver({288, 4, 0, 0, 1});
    windows.window(1).showValue(0, 9);  // shown before, on the other window
    const DebugScreen& shown = windows.window(0);
    auto stale = [&] {
        return std::vector<bool>{shown.item(0).stale, shown.item(1).stale, shown.item(2).stale,
                                 windows.window(1).item(0).stale};
    };
    EXPECT_EQ(stale(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(trust.writesPossible());
    live.state = LinkState::Reconnecting;  // the link knows before this thread hears it
    EXPECT_FALSE(trust.writesPossible());

    for (const LinkState loss : {LinkState::Reconnecting, LinkState::Lost}) {
        view.changed.clear();
        trust.linkStateChanged(loss);
        EXPECT_EQ(stale(), (std::vector<bool>{true, true, false, true}));
        EXPECT_EQ(view.changed, (std::vector<int>{0, 1, 2}));  // the shown fields repainted
        EXPECT_FALSE(trust.writesPossible());
        sink.deliver({320, 4, 0, 0, 61});  // decoded before the loss: not fresh
        EXPECT_EQ(shown.item(0).text, "61");
        EXPECT_TRUE(shown.item(0).stale);

        live.state = LinkState::Connected;
        trust.linkStateChanged(LinkState::Connected);
        EXPECT_TRUE(trust.writesPossible());
        EXPECT_EQ(stale(), (std::vector<bool>{true, true, false, true}));
        sink.deliver({320, 4, 0, 0, 62});
        EXPECT_EQ(stale(), (std::vector<bool>{false, true, false, true}));
        sink.deliver({288, 4, 0, 0, 1});
        windows.window(1).showValue(0, 9);
    }
    // A change between two states without a line marks nothing again.
    trust.linkStateChanged(LinkState::Reconnecting);
    sink.deliver({320, 4, 0, 0, 1});
    view.changed.clear();
    trust.linkStateChanged(LinkState::Lost);
    EXPECT_TRUE(view.changed.empty());
}

// The debugger's whole road of a window switch: the list, the link with its
// poll cycle and mailbox, the shown window's poll view and sink.
struct Debugger {
    Debugger() {
        windows.addWindow(screenWith("/p/debug_001.plo", {320, 288}, 1));
        windows.addWindow(screenWith("/p/debug_002.plo", {320}, 2));
        auto owned = std::make_unique<FakeLine>(clock);
        line = owned.get();
        link.attach(std::move(owned));
        link.setPollCycle(&poll);
        link.setWindowSink(&sink);
    }
    std::vector<std::string> sent() {
        link.writeQueue()->waitUntilIdle(std::chrono::seconds(5));
        const auto all = frameSummary(decodeFrames({line->written()}));
        std::vector<std::string> out(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return out;
    }
    void report(int function, int index, int value) {
        const auto frame = link::encodeFrame({function, index, -1, 0, value}, CommandMode::Write);
        link.consumer().bytesReceived(frame.bytes());
    }

    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    FakeTimers timers;
    RecordingMessages messages;
    DebugWindowList windows;
    RecordingItemView view;
    ShownWindowPoll pollView{windows};
    ShownWindowSink sink{windows, &view};
    link::ControllerLink link{{dispatcher, display, replyTimer, clock}};
    link::PollCycle poll{pollView, link.requests(), timers, messages};
    WindowSwitchPorts ports{link};
    FakeLine* line = nullptr;
    std::size_t seen = 0;
};

TEST(LinkAdapters, RecordsDecodedBeforeAWindowSwitchNeverReachTheNextWindow) {
    Debugger d;
    d.windows.show(0, d.ports);
    d.timers.fireAll();  // timer A: both items asked for
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"R1", "C1", "R1", "C1"}));

    d.report(320, 1, 55);  // decoded on the reader thread, not yet shown
    d.windows.next(d.ports);
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"S1", "S1"}));  // the first window stops
    d.report(320, 2, 66);
    d.dispatcher.drain();
    EXPECT_EQ(d.windows.window(0).item(0).text, "");  // dropped: decoded before the switch
    EXPECT_EQ(d.windows.window(1).item(0).text, "66");
    EXPECT_EQ(d.view.changed, std::vector<int>{0});

    // The first window's check was cancelled with it: the second one's own
    // check finds its item answered, so there is no message.
    while (d.timers.fireOldest()) {
    }
    EXPECT_TRUE(d.messages.lines().empty());
    EXPECT_TRUE(d.timers.pending.empty());
}

TEST(LinkAdapters, ContinuousAndStopDisplayGoThroughTheScreensFlags) {
    Debugger d;
    d.windows.show(0, d.ports);
    d.poll.stopDisplay();  // F3
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"S1", "S1"}));
    EXPECT_FALSE(d.windows.window(0).item(1).requested());
    d.timers.fireAll();  // timer A: nothing requested, nothing asked
    EXPECT_TRUE(d.sent().empty());
    d.poll.continuousDisplay();  // F5
    EXPECT_TRUE(d.windows.window(0).item(1).requested());
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"R1", "C1", "R1", "C1"}));
}

// A dialog opened within half a second of showing a window: the poll timer
// still pending must not ask for values, which would arrive in the dialog
// (the dump file). Closing the dialog polls the window again.
TEST(LinkAdapters, AWindowSuspendedForADialogIsNotPolled) {
    Debugger d;
    d.windows.show(0, d.ports);
    d.windows.suspendShown(d.ports);  // before timer A
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"S1", "S1"}));
    while (d.timers.fireOldest()) {
    }
    EXPECT_TRUE(d.sent().empty());
    EXPECT_TRUE(d.messages.lines().empty());

    d.windows.resumeShown(d.ports);
    EXPECT_FALSE(d.windows.suspended());
    d.timers.fireAll();
    EXPECT_EQ(d.sent(), (std::vector<std::string>{"R1", "C1", "R1", "C1"}));
}

}  // namespace
}  // namespace veltro
