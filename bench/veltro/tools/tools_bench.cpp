// The parameter tools' figures: the pacing of a run on the real clock over
// loopback TCP, and the intake under a flood of reports.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/open_link.h"
#include "support/veltro/prompts.h"
#include "support/veltro/timers.h"
#include "support/veltro/tool_fakes.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/link/machine_clock.h"
#include "veltro/tools/adjustment_run.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace link = veltro::link;
namespace tools = veltro::tools;

// A loopback listener and its one accepted peer.
class Loopback {
  public:
    Loopback() {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listener, 1);
        socklen_t len = sizeof a;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~Loopback() {
        if (m_peer >= 0)
            ::close(m_peer);
        ::close(m_listener);
    }
    int port() const { return m_port; }
    int accept() {
        m_peer = ::accept(m_listener, nullptr, nullptr);
        const int on = 1;
        ::setsockopt(m_peer, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        return m_peer;
    }

  private:
    int m_listener = -1;
    int m_peer = -1;
    int m_port = 0;
};

std::unique_ptr<veltro::ElementTables> parameters(int count) {
    auto t = std::make_unique<veltro::ElementTables>();
    for (int i = 0; i < count; ++i) {
        t->parameters[i].name = "EP" + std::to_string(i);
        t->parameters[i].arrayNumber = i;
        t->parameters[i].value = 1.5;
    }
    t->parameters.count = count;
    return t;
}

// The debugger's link with a tool dialog open, connected to `loopback`.
struct ToolLink {
    explicit ToolLink(Loopback& loopback, veltro::RecordSink& store) {
        link.router().setToolSink(&store);
        link.router().setRouteToParameterStore(true);
        std::thread acceptor([&] { peer = loopback.accept(); });
        test_support::openLoopback(link, loopback.port(), errors);
        acceptor.join();
    }
    test_support::FakeDispatcher dispatcher{test_support::FakeDispatcher::Mode::Inline};
    test_support::RecordingDumpDisplay display;
    test_support::FakeReplyTimer replyTimer;
    test_support::RecordingIpErrors errors;
    link::MachineClock clock;
    link::ControllerLink link{{dispatcher, display, replyTimer, clock}};
    int peer = -1;
};

// An adjustment run of N commands (no verification) at the given interval,
// timed on the machine's clock while a peer reads every frame.
void BM_PacedRunDuration(benchmark::State& state) {
    const int commands = static_cast<int>(state.range(0));
    const auto interval = std::chrono::milliseconds(state.range(1));
    auto tables = parameters(commands);
    tools::ParameterStore store(*tables);
    Loopback loopback;
    ToolLink l(loopback, store);
    std::atomic<long> received{0};
    std::thread reader([&] {
        std::uint8_t buffer[4096];
        for (ssize_t n; (n = ::recv(l.peer, buffer, sizeof buffer, 0)) > 0;)
            received.fetch_add(n);
    });
    tools::ToolSettings settings;
    settings.selected[tools::categoryNumber(tools::Category::Eparm)] = true;
    settings.verify = false;
    settings.saveToFile = false;
    double seconds = 0;
    for (auto _ : state) {
        tools::Pacing pacing;
        pacing.setInterval(interval);
        test_support::FakeToolProgress progress;
        test_support::MemoryTextFiles files;
        test_support::ScriptedPrompts prompts;
        tools::RunPorts ports{l.link.requests(), l.clock, pacing, progress, files, prompts};
        const auto start = Clock::now();
        tools::runAdjustment(store, settings, ports);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
    }
    const double expected = std::chrono::duration<double>(interval).count() * commands;
    state.counters["duration_s"] = seconds;
    state.counters["expected_s"] = expected;
    state.counters["deviation_pct"] = 100.0 * (seconds - expected) / expected;
    ::shutdown(l.peer, SHUT_RDWR);
    reader.join();
    state.counters["bytes_sent"] = static_cast<double>(received.load());
}
BENCHMARK(BM_PacedRunDuration)
    ->Args({200, 100})
    ->Args({200, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// 20000 reports a second over loopback into the store through the reader
// thread: 5000 EPARMs, each reported four times, first with its own number.
// Counts the first reports lost or overwritten.
void BM_IntakeFlood(benchmark::State& state) {
    constexpr int kParameters = 5000;
    constexpr int kRounds = 4;
    const int perSecond = static_cast<int>(state.range(0));
    double lost = 0;
    double achieved = 0;
    for (auto _ : state) {
        auto tables = parameters(kParameters);
        tools::ParameterStore store(*tables);
        Loopback loopback;
        ToolLink l(loopback, store);
        std::vector<std::vector<std::uint8_t>> frames;
        for (int round = 0; round < kRounds; ++round) {
            for (int i = 0; i < kParameters; ++i) {
                const auto f = link::encodeFrame({32, i, -1, 0, round * 10000 + i + 1},
                                                 veltro::CommandMode::Write);
                frames.emplace_back(f.bytes().begin(), f.bytes().end());
            }
        }
        const auto start = Clock::now();
        // One millisecond's worth of frames at a time, at the wanted rate.
        const int perMs = std::max(1, perSecond / 1000);
        for (std::size_t next = 0; next < frames.size();) {
            std::vector<std::uint8_t> batch;
            for (int k = 0; k < perMs && next < frames.size(); ++k, ++next)
                batch.insert(batch.end(), frames[next].begin(), frames[next].end());
            [[maybe_unused]] auto n = ::send(l.peer, batch.data(), batch.size(), MSG_NOSIGNAL);
            std::this_thread::sleep_until(start + std::chrono::milliseconds(next / perMs));
        }
        const double sendSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        achieved = static_cast<double>(frames.size()) / sendSeconds;
        // Wait until the last report of the last round has come in.
        const auto deadline = Clock::now() + 5s;
        const auto& last = (*tables).parameters[kParameters - 1].controller;
        while (Clock::now() < deadline && last.latest() != (kRounds - 1) * 10000 + kParameters)
            std::this_thread::sleep_for(1ms);
        lost = 0;
        for (int i = 0; i < kParameters; ++i) {
            const auto& v = (*tables).parameters[i].controller;
            lost += !v.received() || v.value() != i + 1;
        }
        state.SetIterationTime(sendSeconds);
    }
    state.counters["reports_per_s"] = achieved;
    state.counters["first_reports_lost"] = lost;
}
BENCHMARK(BM_IntakeFlood)->Arg(20000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// The intake alone: one report into a store of 5000 EPARMs.
void BM_IntakeDeliver(benchmark::State& state) {
    auto tables = parameters(5000);
    tools::ParameterStore store(*tables);
    int i = 0;
    for (auto _ : state) {
        store.deliver({32, i, 0, 0, i});
        i = (i + 1) % 5000;
    }
}
BENCHMARK(BM_IntakeDeliver);

}  // namespace
