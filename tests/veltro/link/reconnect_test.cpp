#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
#include "veltro/link/link_lifecycle.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/reconnect_worker.h"
#include "veltro/link/status_text.h"

namespace veltro::link {
namespace {

using namespace test_support;
using std::chrono::milliseconds;

// A line that comes back when the test says so; it notes the clock's time
// of every attempt. `onAttempt` runs inside an attempt, on the worker.
class FakeReopen final : public LineReopen {
  public:
    explicit FakeReopen(SteadyClock& clock) : m_clock(clock) {}
    bool reopen(std::stop_token) override {
        {
            std::lock_guard lock(m_mutex);
            m_times.push_back(m_clock.now().count());
        }
        if (onAttempt)
            onAttempt();
        return comesBack.load();
    }
    std::vector<long long> times() const {
        std::lock_guard lock(m_mutex);
        return m_times;
    }
    std::atomic<bool> comesBack{false};
    std::function<void()> onAttempt;  // set before the attempt it serves

  private:
    SteadyClock& m_clock;
    mutable std::mutex m_mutex;
    std::vector<long long> m_times;
};

// Lets the worker through its pause; the pause's length.
long long releasePause(SteppedClock& clock, int sleep) {
    const auto deadline = clock.nextSleep(sleep);
    if (!deadline) {
        ADD_FAILURE() << "the worker never paused a " << sleep << "th time";
        return -1;
    }
    const long long length = deadline->count() - clock.now().count();
    clock.advanceTo(*deadline);
    return length;
}

TEST(LinkLifecycle, EachPhaseAnswersEachEventAsTheTableSays) {
    using enum LinkPhase;
    using E = LinkEvent;
    const LinkEffects none;
    const LinkEffects loss{.reportLoss = true, .askReopen = true};
    const LinkEffects back{.takeLine = true, .reportRecovery = true, .restartPoll = true};
    struct Row {
        LinkPhase from;
        LinkEvent event;
        bool reconnects;
        LinkPhase to;
        LinkEffects effects;
    };
    const std::vector<Row> table = {
        {NotAttached, E::Attach, true, Connected, none},
        {NotAttached, E::Lost, true, LostBeforeAttach, none},
        {NotAttached, E::Lost, false, LostBeforeAttach, none},
        {LostBeforeAttach, E::Lost, true, LostBeforeAttach, none},
        {LostBeforeAttach, E::Attach, true, Reconnecting, loss},
        {LostBeforeAttach, E::Attach, false, Lost, none},
        {Connected, E::Lost, true, Reconnecting, loss},
        {Connected, E::Lost, false, Lost, none},
        {Connected, E::Reopened, true, Connected, none},
        {Reconnecting, E::Lost, true, LostAgain, none},
        {Reconnecting, E::Reopened, true, Connected, back},
        {LostAgain, E::Lost, true, LostAgain, none},
        {LostAgain, E::Reopened, true, Reconnecting, none},
        {Lost, E::Lost, false, Lost, none},
        {Lost, E::Reopened, false, Lost, none},
        {Lost, E::Attach, false, Connected, none},
        {Reconnecting, E::Attach, true, Connected, none},
        {Connected, E::Stop, true, Stopped, none},
        {Reconnecting, E::Stop, true, Stopped, none},
        {Stopped, E::Lost, true, Stopped, none},
        {Stopped, E::Reopened, true, Stopped, none},
        {Stopped, E::Attach, true, Stopped, none},
    };
    for (const Row& row : table) {
        const LinkStep step = linkStep(row.from, row.event, row.reconnects);
        SCOPED_TRACE(std::string(phaseName(row.from)) + " + " + std::string(eventName(row.event)));
        EXPECT_EQ(phaseName(step.next), phaseName(row.to));
        EXPECT_EQ(step.effects, row.effects);
    }
    // The write gate refuses while the line is being opened again.
    EXPECT_EQ(linkState(Reconnecting), LinkState::Reconnecting);
    EXPECT_EQ(linkState(LostAgain), LinkState::Reconnecting);
    EXPECT_EQ(linkState(LostBeforeAttach), LinkState::Lost);
    EXPECT_EQ(linkState(Connected), LinkState::Connected);
}

TEST(ReconnectWorker, PausesGrowFromHalfASecondToFiveSecondsAndStartOverAfterASuccess) {
    SteppedClock clock;
    FakeReopen line(clock);
    std::atomic<int> taken{0};
    ReconnectWorker worker(line, clock, [&] {
        ++taken;
        return true;
    });
    worker.request();
    std::vector<long long> pauses;
    for (int sleep = 1; sleep <= 7; ++sleep) {
        if (sleep == 7) {
            ASSERT_TRUE(clock.nextSleep(sleep).has_value());  // attempt 6 has failed
            line.comesBack = true;
        }
        pauses.push_back(releasePause(clock, sleep));
    }
    EXPECT_EQ(pauses, (std::vector<long long>{500, 1000, 2000, 4000, 5000, 5000, 5000}));
    ASSERT_TRUE(waitUntil([&] { return taken.load() == 1; }));
    EXPECT_EQ(worker.attempts(), 7);
    EXPECT_EQ(clock.sleeps(), 7);  // back: no further pause

    // The next loss begins with the short pause again.
    worker.request();
    EXPECT_EQ(releasePause(clock, 8), 500);
    ASSERT_TRUE(waitUntil([&] { return taken.load() == 2; }));
    EXPECT_EQ(worker.attempts(), 8);
}

// The link may refuse a reopened line (it went again at once), and a loss may
// come the moment a line was taken: neither may leave the line lost for good.
TEST(ReconnectWorker, ARefusedLineIsTriedAgainAndALossAtTheEndStartsAnotherSeries) {
    SteppedClock clock;
    FakeReopen line(clock);
    line.comesBack = true;
    std::atomic<int> calls{0};
    ReconnectWorker* self = nullptr;
    ReconnectWorker worker(line, clock, [&] {
        const int call = ++calls;
        if (call == 2)
            self->request();  // lost again the moment it was taken
        return call != 1;     // the first reopened line had gone again
    });
    self = &worker;
    worker.request();
    EXPECT_EQ(releasePause(clock, 1), 500);
    EXPECT_EQ(releasePause(clock, 2), 1000);  // refused: the series goes on
    EXPECT_EQ(releasePause(clock, 3), 500);   // a new series
    ASSERT_TRUE(waitUntil([&] { return calls.load() == 3; }));

    // Once stopped, a request does nothing.
    worker.stop();
    worker.request();
    EXPECT_EQ(line.times().size(), 3U);
    EXPECT_EQ(clock.sleeps(), 3);
}

// A stop must not wait for the pause: the clock never moves here, so a pause
// that ignored the stop would hang the test.
TEST(ReconnectWorker, AStopEndsAPauseWithoutAnAttempt) {
    SteppedClock clock;
    FakeReopen line(clock);
    ReconnectWorker worker(line, clock, [] { return true; });
    worker.request();
    ASSERT_TRUE(clock.nextSleep(1).has_value());
    worker.stop();
    EXPECT_EQ(worker.attempts(), 0);

    // The machine's clock wakes a waiter at a stop too.
    MachineClock machine;
    bool reached = true;
    {
        std::jthread waiter([&](std::stop_token stop) {
            reached = machine.waitUntilOrStop(machine.now() + std::chrono::hours(1), stop);
        });
        waiter.request_stop();
    }
    EXPECT_FALSE(reached);
    EXPECT_TRUE(machine.waitUntilOrStop(machine.now(), std::stop_token()));
}

struct ReconnectingLink {
    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    SteppedClock pauses;
    RecordingMessages messages;
    FakeReopen reopen{pauses};  // outlives the link's worker
    ControllerLink link{{dispatcher, display, replyTimer, clock}};
    FakeLine* line = nullptr;

    explicit ReconnectingLink(bool reconnect, bool attach = true) {
        if (reconnect)
            link.enableReconnect(&messages, &pauses);
        link.setLabel("127.0.0.1:7000");
        if (attach)
            attachLine();
    }
    void attachLine() {
        auto owned = std::make_unique<FakeLine>(clock);
        line = owned.get();
        link.attach(std::move(owned), &reopen);
    }
    std::vector<std::string> reported() {
        dispatcher.drain();
        return messages.texts();
    }
};

const std::string kLost =
    "Verbinding met de regelautomaat verbroken (127.0.0.1:7000); opnieuw verbinden…";
const std::string kBack = "Verbinding met de regelautomaat hersteld (127.0.0.1:7000)";

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
    OneItemWindow window;
    RequestRecorder requests;
    FakeTimers timers;
    RecordingMessages pollMessages;
    PollCycle poll(window, requests, timers, pollMessages);
    l.link.setPollCycle(&poll);
    EXPECT_TRUE(l.link.reconnects());
    EXPECT_EQ(l.link.state(), LinkState::Connected);

    // (The reader and the writer may both find the line gone: LineEnding tells
    // the link once per connection.)
    l.link.lineLost();
    EXPECT_EQ(l.link.state(), LinkState::Reconnecting);
    EXPECT_FALSE(l.link.writer().writeBytes(Bytes{0x41}));
    EXPECT_EQ(releasePause(l.pauses, 1), 500);
    ASSERT_TRUE(l.pauses.nextSleep(2).has_value());  // the first attempt failed
    EXPECT_EQ(l.reopen.times().size(), 1U);
    EXPECT_EQ(l.link.state(), LinkState::Reconnecting);
    EXPECT_EQ(l.reported(), std::vector<std::string>{kLost});
    EXPECT_TRUE(timers.pending.empty());

    l.reopen.comesBack = true;
    EXPECT_EQ(releasePause(l.pauses, 2), 1000);
    // The phase, not the state: it is read under the lock held until the
    // recovery is reported and the poll cycle restarted.
    ASSERT_TRUE(waitUntil([&] { return l.link.phase() == LinkPhase::Connected; }));
    EXPECT_EQ(l.reopen.times().size(), 2U);
    EXPECT_EQ(l.reported(), (std::vector<std::string>{kLost, kBack}));
    EXPECT_EQ(l.messages.lines()[1].kind, message_kind::kSystem);
    // The shown window is asked for again by timer A of a new cycle.
    ASSERT_EQ(timers.pending.size(), 1U);
    timers.fireAll();
    EXPECT_EQ(requests.modes(),
              (std::vector<CommandMode>{CommandMode::Read, CommandMode::Continuous}));
    EXPECT_TRUE(l.link.writer().writeBytes(Bytes{0x41}));
}

TEST(ControllerLink, ALineLostAgainBeforeItWasTakenStaysLostWithoutARecoveryLine) {
    ReconnectingLink l(true);
    l.link.lineLost();
    // The reader of the reopened line finds it gone before the link takes it.
    l.reopen.comesBack = true;
    l.reopen.onAttempt = [&] { l.link.lineLost(); };
    EXPECT_EQ(releasePause(l.pauses, 1), 500);
    ASSERT_TRUE(l.pauses.nextSleep(2).has_value());  // refused: the series goes on
    l.reopen.onAttempt = nullptr;
    EXPECT_EQ(l.link.phase(), LinkPhase::Reconnecting);
    EXPECT_EQ(l.reported(), std::vector<std::string>{kLost});

    EXPECT_EQ(releasePause(l.pauses, 2), 1000);
    // The phase, not the state: it is read under the lock held until the
    // recovery is reported and the poll cycle restarted.
    ASSERT_TRUE(waitUntil([&] { return l.link.phase() == LinkPhase::Connected; }));
    EXPECT_EQ(l.reported(), (std::vector<std::string>{kLost, kBack}));
}

// A serial line's reader starts before the line is attached; what it lost
// then is a loss of the attached line, not one that nobody hears of.
TEST(ControllerLink, ALineLostBeforeItWasAttachedIsALossOnceAttached) {
    ReconnectingLink l(true, false);
    l.link.lineLost();
    EXPECT_EQ(l.link.phase(), LinkPhase::LostBeforeAttach);
    l.attachLine();
    EXPECT_EQ(l.link.state(), LinkState::Reconnecting);
    ASSERT_TRUE(l.pauses.nextSleep(1).has_value());
    EXPECT_TRUE(l.reopen.times().empty());
    EXPECT_EQ(l.reported(), std::vector<std::string>{kLost});
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
