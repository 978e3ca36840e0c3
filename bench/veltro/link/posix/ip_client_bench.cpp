// The time from ctrlsim's session logic sending a frame over loopback TCP to
// the record reaching a sink through the IP client's reader thread and the
// receive path, frame by frame.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_session.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/timers.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/link/posix/ip_client.h"
#include "veltro/link/receive_path.h"
#include "veltro/link/record_router.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace link = veltro::link;

class TimedSink : public veltro::RecordSink {
  public:
    void deliver(const veltro::ControllerRecord&) override {
        arrived.store(Clock::now().time_since_epoch().count(), std::memory_order_release);
        count.fetch_add(1, std::memory_order_acq_rel);
    }
    std::atomic<Clock::rep> arrived{0};
    std::atomic<int> count{0};
};

void BM_FrameToSinkLatency(benchmark::State& state) {
    constexpr int kFrames = 10000;
    veltro::ElementTables elements;
    elements.signalGroups[0].arrayNumber = 0;
    elements.signalGroups[0].source[veltro::sg_value::kVg] = 6.0;
    elements.signalGroups.count = 1;
    ctrlsim::SimModel model(elements);

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listener, 1);
    socklen_t len = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);

    link::LinkFlags flags;
    TimedSink sink;
    link::RecordRouter router;
    router.setWindowSink(&sink);
    test_support::RecordingDumpDisplay display;
    test_support::FakeReplyTimer timer;
    test_support::FakeDispatcher dispatcher;
    link::DumpReceiver dump(display, timer, dispatcher);
    link::ReceivePath path(flags, router, dump);
    test_support::RecordingIpErrors errors;
    link::IpClient client(path, flags, errors, dispatcher);
    client.create();
    client.connect("127.0.0.1", ntohs(a.sin_port));
    const int peer = ::accept(listener, nullptr, nullptr);
    const int on = 1;
    ::setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    client.startReader();

    ctrlsim::SimSession session(model, {}, [peer](std::span<const std::uint8_t> b) {
        [[maybe_unused]] auto n = ::send(peer, b.data(), b.size(), MSG_NOSIGNAL);
    });
    const auto read = link::encodeFrame({320, 0, -1, 0, 0}, veltro::CommandMode::Read);

    std::vector<double> micros;
    for (auto _ : state) {
        micros.clear();
        for (int i = 0; i < kFrames; ++i) {
            const int before = sink.count.load(std::memory_order_acquire);
            const auto sent = Clock::now();
            session.received(read.bytes(), sent);  // answers with one WRITE frame at once
            while (sink.count.load(std::memory_order_acquire) == before) {
                std::this_thread::yield();
            }
            const auto arrived =
                Clock::time_point(Clock::duration(sink.arrived.load(std::memory_order_acquire)));
            micros.push_back(std::chrono::duration<double, std::micro>(arrived - sent).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
    ::close(peer);
    ::close(listener);
}
BENCHMARK(BM_FrameToSinkLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
