// A burst of frames (F5 on full windows) through the write queue and the
// serial adapter onto a pseudo-terminal whose other end reads as fast as it
// can, against blocking writes of the same bytes to a pseudo-terminal.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/prompts.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/posix/serial_link.h"
#include "veltro/link/queued_writer.h"

namespace {

namespace link = veltro::link;

struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slave = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
    // Reads `count` bytes from the master end.
    void drain(std::size_t count) const {
        std::vector<std::uint8_t> buffer(4096);
        std::size_t got = 0;
        while (got < count) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                return;
            const ssize_t n = ::read(master, buffer.data(), buffer.size());
            if (n <= 0)
                return;
            got += static_cast<std::size_t>(n);
        }
    }
    int master = -1;
    std::string slave;
};

// 1000 frames: READ and CONTINUOUS for the 500 items of a full window.
std::vector<std::vector<std::uint8_t>> burst() {
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < 500; ++i) {
        for (auto mode : {veltro::CommandMode::Read, veltro::CommandMode::Continuous}) {
            const auto f = link::encodeFrame({320 + i % 100, i % 64, -1, 0, 0}, mode);
            frames.emplace_back(f.bytes().begin(), f.bytes().end());
        }
    }
    return frames;
}

std::size_t totalSize(const std::vector<std::vector<std::uint8_t>>& frames) {
    std::size_t n = 0;
    for (const auto& f : frames)
        n += f.size();
    return n;
}

void BM_RawBlockingWrites(benchmark::State& state) {
    const auto frames = burst();
    const std::size_t bytes = totalSize(frames);
    Pty pty;
    const int slave = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    for (auto _ : state) {
        std::thread reader([&] { pty.drain(bytes); });
        for (const auto& f : frames)
            benchmark::DoNotOptimize(::write(slave, f.data(), f.size()));
        reader.join();
    }
    ::close(slave);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_RawBlockingWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QueuedThroughTheSerialAdapter(benchmark::State& state) {
    const auto frames = burst();
    const std::size_t bytes = totalSize(frames);
    Pty pty;
    test_support::FakeDispatcher dispatcher;
    test_support::ScriptedPrompts prompts;
    test_support::CollectingConsumer consumer;
    link::SerialLink serial(consumer, prompts, dispatcher);
    serial.open(pty.slave, 9600);
    link::MachineClock clock;
    link::QueuedWriter writer(serial, clock);
    double queueing = 0;
    for (auto _ : state) {
        std::thread reader([&] { pty.drain(bytes); });
        const auto start = std::chrono::steady_clock::now();
        for (const auto& f : frames)
            writer.writeBytes(f);
        queueing +=
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        reader.join();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    // What the senders (the user-interface thread) spend on the whole burst.
    state.counters["queue_us"] = queueing / static_cast<double>(state.iterations());
}
BENCHMARK(BM_QueuedThroughTheSerialAdapter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
