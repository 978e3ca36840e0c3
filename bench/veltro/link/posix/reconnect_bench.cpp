// The time from the loss of the link to values flowing again: ctrlsim closes
// each connection after a number of frames (sent fast with --rate), the link
// opens it again after its first pause (0.5 s), the poll cycle asks again
// after its period (0.5 s), and the first value report after the recovery
// ends the sample. Reported per loss:
//   real_time     loss (seen within a millisecond) to the first value again,
//   to_connected  loss to the link taken as back,
//   to_values     the link back to the first value.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "ctrlsim/ctrlsim_process.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/open_link.h"
#include "support/veltro/timers.h"
#include "veltro/headless/headless_loop.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/poll_cycle.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace link = veltro::link;

class TimedSink final : public veltro::RecordSink {
  public:
    void deliver(const veltro::ControllerRecord&) override {
        last.store(Clock::now().time_since_epoch().count(), std::memory_order_release);
        count.fetch_add(1, std::memory_order_acq_rel);
    }
    std::atomic<Clock::rep> last{0};
    std::atomic<int> count{0};
};

// "datum", asked continuously, as a shown window with one item.
class OneItem final : public link::PollWindow {
  public:
    bool windowShown() const override { return true; }
    std::size_t itemCount() const override { return 1; }
    veltro::ControllerRecord itemRecord(std::size_t) const override { return {481, -1, -1, 0, 0}; }
    bool itemRequested(std::size_t) const override { return true; }
    void setItemRequested(std::size_t, bool) override {}
    bool itemEnabled(std::size_t) const override { return true; }
    void disableItems() override {}
};

class NoMessages final : public veltro::Messages {
  public:
    void message(int, std::string_view, std::string_view, std::string_view) override {}
    void setContextPrefix(std::string_view) override {}
    void setLinePrefix(int) override {}
};

template <class Condition>
bool waitFor(Condition condition, std::chrono::seconds limit = std::chrono::seconds(10)) {
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

double secondsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_LossToValuesAgain(benchmark::State& state) {
    test_support::CtrlsimProcess sim({"--dir", std::string(EXAMPLES_DIR) + "/kruispunt", "--port",
                                      "0", "--rate", "200", "--close-after", "40"});
    const std::string first = sim.readLine();
    const int port = std::atoi(first.c_str() + 5);

    veltro::headless::HeadlessLoop loop;
    test_support::RecordingDumpDisplay display;
    test_support::FakeReplyTimer replyTimer;
    test_support::RecordingIpErrors errors;
    link::MachineClock clock;
    NoMessages messages;
    TimedSink sink;
    OneItem window;
    link::ControllerLink controllerLink({loop, display, replyTimer, clock});
    link::PollCycle poll(window, controllerLink.requests(), loop, messages);
    controllerLink.setPollCycle(&poll);
    controllerLink.router().setToolSink(&sink);
    controllerLink.router().setRouteToParameterStore(true);
    std::atomic<bool> stop{false};
    std::thread ui([&] { loop.run([&] { return stop.load(); }, Clock::time_point::max()); });
    if (test_support::openLoopback(controllerLink, port, errors, &messages, true)) {
        state.SkipWithError("ctrlsim did not answer");
    } else {
        loop.post([&] { poll.start(); });
    }

    double toConnected = 0;
    double toValues = 0;
    for (auto _ : state) {
        if (!waitFor([&] { return controllerLink.state() != veltro::LinkState::Connected; })) {
            state.SkipWithError("the link was not lost");
            break;
        }
        const Clock::time_point lost = Clock::now();
        if (!waitFor([&] { return controllerLink.state() == veltro::LinkState::Connected; })) {
            state.SkipWithError("the link did not come back");
            break;
        }
        const Clock::time_point back = Clock::now();
        const int before = sink.count.load();
        if (!waitFor([&] { return sink.count.load() > before; })) {
            state.SkipWithError("no value after the recovery");
            break;
        }
        const Clock::time_point value{Clock::duration(sink.last.load())};
        state.SetIterationTime(secondsBetween(lost, value));
        toConnected += secondsBetween(lost, back);
        toValues += secondsBetween(back, value);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["to_connected_ms"] = n > 0 ? 1000 * toConnected / n : 0;
    state.counters["to_values_ms"] = n > 0 ? 1000 * toValues / n : 0;
    stop = true;
    ui.join();
}
BENCHMARK(BM_LossToValuesAgain)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
