#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "support/veltro/clock.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/line_output.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/requests.h"
#include "support/veltro/timers.h"
#include "support/veltro/wait.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/link/reconnector.h"
#include "veltro/link/status_text.h"

namespace veltro::link {
namespace {

using namespace test_support;
using std::chrono::milliseconds;

// A line that comes back at the attempt the test chooses; it notes the
// clock's time of every attempt.
class FakeReopen final : public LineReopen {
  public:
    explicit FakeReopen(FakeClock& clock) : m_clock(clock) {}
    bool reopen(std::stop_token) override {
        std::lock_guard lock(m_mutex);
        m_times.push_back(m_clock.now().count());
        return static_cast<int>(m_times.size()) >= succeedAt.load();
    }
    std::vector<long long> times() const {
        std::lock_guard lock(m_mutex);
        return m_times;
    }
    std::atomic<int> succeedAt{1};

  private:
    FakeClock& m_clock;
    mutable std::mutex m_mutex;
    std::vector<long long> m_times;
};

std::vector<long long> since(std::vector<long long> times, long long start) {
    for (auto& t : times)
        t -= start;
    return times;
}

TEST(Reconnector, PausesGrowFromHalfASecondToFiveSecondsAndStartOverAfterASuccess) {
    FakeClock clock;
    FakeReopen line(clock);
    line.succeedAt = 7;
    std::atomic<int> restored{0};
    Reconnector reconnector(line, clock, [&] {
        ++restored;
        return true;
    });
    const long long start = clock.now().count();
    reconnector.request();
    ASSERT_TRUE(waitUntil([&] { return restored.load() == 1 && !reconnector.running(); }));
    EXPECT_EQ(since(line.times(), start),
              (std::vector<long long>{500, 1500, 3500, 7500, 12500, 17500, 22500}));

    // The next loss begins with the short pause again.
    line.succeedAt = 8;
    const long long second = clock.now().count();
    reconnector.request();
    ASSERT_TRUE(waitUntil([&] { return restored.load() == 2 && !reconnector.running(); }));
    EXPECT_EQ(line.times().back() - second, 500);
    EXPECT_EQ(reconnector.attempts(), 8);
}

// The link may refuse a reopened line (it went again at once), and a loss may
// come while a run is ending: neither may leave the line lost for good.
TEST(Reconnector, ARefusedLineIsTriedAgainAndALossDuringTheEndStartsAnotherRun) {
    FakeClock clock;
    FakeReopen line(clock);
    std::atomic<int> calls{0};
    Reconnector* self = nullptr;
    Reconnector reconnector(line, clock, [&] {
        const int call = ++calls;
        if (call == 2)
            self->request();  // lost again the moment it was taken
        return call != 1;     // the first reopened line had gone again
    });
    self = &reconnector;
    reconnector.request();
    ASSERT_TRUE(waitUntil([&] { return calls.load() == 3 && !reconnector.running(); }));
    EXPECT_EQ(line.times().size(), 3U);

    // Once stopped, a request does nothing.
    reconnector.stop();
    reconnector.request();
    EXPECT_FALSE(reconnector.running());
    EXPECT_EQ(line.times().size(), 3U);
}

TEST(Reconnector, AStopEndsAPauseOnTheMachineClockPromptly) {
    MachineClock clock;
    FakeClock unused;
    FakeReopen line(unused);
    line.succeedAt = 1000;
    Reconnector reconnector(line, clock, [] { return true; });
    reconnector.request();
    ASSERT_TRUE(waitUntil([&] { return reconnector.attempts() >= 1; }));  // in the 1 s pause
    const auto before = std::chrono::steady_clock::now();
    reconnector.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, milliseconds(500));
    EXPECT_FALSE(reconnector.running());
}

struct ReconnectingLink {
    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    RecordingMessages messages;
    FakeReopen reopen{clock};  // outlives the link's reconnecting thread
    ControllerLink link{{dispatcher, display, replyTimer, clock}};
    FakeLine* line = nullptr;

    explicit ReconnectingLink(bool reconnect) {
        if (reconnect)
            link.enableReconnect(&messages, &clock);
        link.setLabel("127.0.0.1:7000");
        auto owned = std::make_unique<FakeLine>(clock);
        line = owned.get();
        link.attach(std::move(owned), &reopen);
    }
};

// A poll window with one requested item that never answers.
class OneItemWindow final : public PollWindow {
  public:
    bool windowShown() const override { return true; }
    std::size_t itemCount() const override { return 1; }
    ControllerRecord itemRecord(std::size_t) const override { return {320, 2, -1, 0, 0}; }
    bool itemRequested(std::size_t) const override { return true; }
    void setItemRequested(std::size_t, bool) override {}
    bool itemEnabled(std::size_t) const override { return false; }
    void disableItems() override {}
};

TEST(ControllerLink, ALostLineIsReportedOnceRefusesFramesAndIsBackWithItsPollCycle) {
    ReconnectingLink l(true);
    l.reopen.succeedAt = 3;
    OneItemWindow window;
    RequestRecorder requests;
    FakeTimers timers;
    RecordingMessages pollMessages;
    PollCycle poll(window, requests, timers, pollMessages);
    l.link.setPollCycle(&poll);
    EXPECT_TRUE(l.link.reconnects());
    EXPECT_EQ(l.link.state(), LinkState::Connected);

    // The reader and the writer may both find the line gone: one report.
    l.reopen.succeedAt = 1000;
    l.link.lineLost();
    l.link.lineLost();
    EXPECT_EQ(l.link.state(), LinkState::Reconnecting);
    EXPECT_FALSE(l.link.writer().writeBytes(Bytes{0x41}));
    ASSERT_TRUE(waitUntil([&] { return l.reopen.times().size() >= 3; }));
    l.dispatcher.drain();
    EXPECT_EQ(l.messages.texts(),
              (std::vector<std::string>{"Verbinding met de regelautomaat verbroken "
                                        "(127.0.0.1:7000); opnieuw verbinden…"}));
    EXPECT_TRUE(timers.pending.empty());

    l.reopen.succeedAt = 0;
    ASSERT_TRUE(waitUntil([&] { return l.link.state() == LinkState::Connected; }));
    l.dispatcher.drain();
    ASSERT_EQ(l.messages.lines().size(), 2U);
    EXPECT_EQ(l.messages.lines()[1].kind, message_kind::kSystem);
    EXPECT_EQ(l.messages.lines()[1].text,
              "Verbinding met de regelautomaat hersteld (127.0.0.1:7000)");
    // The shown window is asked for again timer A of a new cycle.
    ASSERT_EQ(timers.pending.size(), 1U);
    timers.fireAll();
    EXPECT_EQ(requests.modes(),
              (std::vector<CommandMode>{CommandMode::Read, CommandMode::Continuous}));
    EXPECT_TRUE(l.link.writer().writeBytes(Bytes{0x41}));
}

TEST(ControllerLink, ALineLostAgainBeforeItWasTakenStaysLostWithoutARecoveryLine) {
    ReconnectingLink l(true);
    l.reopen.succeedAt = 1000;
    l.link.lineLost();
    ASSERT_TRUE(waitUntil([&] { return l.reopen.times().size() >= 1; }));
    l.link.lineLost();  // the reader of a reopened line that went at once
    l.reopen.succeedAt = 0;
    // The first reopen after that is refused; the next one is taken.
    ASSERT_TRUE(waitUntil([&] { return l.link.state() == LinkState::Connected; }));
    l.dispatcher.drain();
    EXPECT_EQ(l.messages.lines().size(), 2U);
}

// A serial line's reader starts before the line is attached; what it lost
// then is a loss of the attached line, not one that nobody hears of.
TEST(ControllerLink, ALineLostBeforeItWasAttachedIsALossOnceAttached) {
    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    RecordingMessages messages;
    // Declared before the link, so that it outlives the link's reconnecting thread.
    FakeReopen reopen{clock};
    ControllerLink link{{dispatcher, display, replyTimer, clock}};
    reopen.succeedAt = 1000;
    link.enableReconnect(&messages, &clock);
    link.lineLost();
    EXPECT_TRUE(reopen.times().empty());
    link.attach(std::make_unique<FakeLine>(clock), &reopen);
    EXPECT_EQ(link.state(), LinkState::Reconnecting);
    ASSERT_TRUE(waitUntil([&] { return !reopen.times().empty(); }));
    dispatcher.drain();
    EXPECT_EQ(messages.lines().size(), 1U);
}

TEST(ControllerLink, WithoutReconnectingALostLineStaysLostQuietly) {
    ReconnectingLink l(false);
    EXPECT_FALSE(l.link.reconnects());
    l.link.lineLost();
    EXPECT_EQ(l.link.state(), LinkState::Lost);
    l.dispatcher.drain();
    EXPECT_TRUE(l.messages.lines().empty());
    EXPECT_TRUE(l.reopen.times().empty());
}

TEST(ControllerLink, TrafficIsCountedBothWaysAndTheLastFrameAged) {
    ReconnectingLink l(false);
    LinkStatus status = l.link.linkStatus();
    EXPECT_EQ(status.label, "127.0.0.1:7000");
    EXPECT_FALSE(status.lastFrameAge.has_value());

    const auto frame = encodeFrame({66, 3, -1, 0, 100}, CommandMode::Write);
    Bytes bytes(frame.bytes().begin(), frame.bytes().end());
    bytes.push_back(0x00);  // a stray byte: counted in, no frame
    l.link.consumer().bytesReceived(bytes);
    l.clock.advance(milliseconds(1500));
    ASSERT_TRUE(l.link.writer().writeBytes(Bytes{0xE2, 0x45, 0x43}));
    status = l.link.linkStatus();
    EXPECT_EQ(status.framesIn, 1U);
    EXPECT_EQ(status.bytesIn, bytes.size());
    EXPECT_EQ(status.framesOut, 1U);
    EXPECT_EQ(status.bytesOut, 3U);
    EXPECT_EQ(status.lastFrameAge, milliseconds(1500));
}

TEST(StatusLine, TextNamesTheLineItsStateTrafficAndAge) {
    struct Case {
        LinkStatus status;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{"COM1 9600", LinkState::Connected, 12, 999, 3, 9, milliseconds(420)},
         "COM1 9600 – verbonden – in 12 frames, 999 B – uit 3 frames, 9 B – "
         "laatste frame 0,4 s geleden"},
        {{"127.0.0.1:7000", LinkState::Reconnecting, 5000, 12345, 0, 0, milliseconds(61500)},
         "127.0.0.1:7000 – opnieuw verbinden… – in 5000 frames, 12,3 kB – uit 0 frames, 0 B "
         "– laatste frame 1 min 1 s geleden"},
        {{"", LinkState::Lost, 0, 2500000, 0, 0, std::nullopt},
         "geen verbinding – in 0 frames, 2,5 MB – uit 0 frames, 0 B – nog geen frame "
         "ontvangen"},
        {{"x", LinkState::Connected, 1, 1, 1, 1, milliseconds(3 * 3600 * 1000 + 120000)},
         "x – verbonden – in 1 frames, 1 B – uit 1 frames, 1 B – laatste frame 3 uur 2 min "
         "geleden"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(statusLineText(c.status), c.text);
    EXPECT_EQ(serialLinkLabel(2, 19200), "COM2 19200");
    EXPECT_EQ(ipLinkLabel("10.0.0.5", 7001), "10.0.0.5:7001");
}

}  // namespace
}  // namespace veltro::link
