// Recording and replay at their limits, as a small program (it writes a
// capture of N minutes at R frames a second, so it is not a Google Benchmark
// that repeats itself):
//   veltro_capture_bench [--minutes N] [--rate R] [--file PATH]
// 1. the reader thread's time per read with no tap, with the frame
//    monitor's tap and with the monitor and a recording, while another
//    thread drains the intake (and writes the capture file);
// 2. writing the capture of N minutes (the recording's own thread);
// 3. a replay of it: the time from opening the file to the first frame fed,
//    and the lines a second fed through the link's real receive path, against
//    the 16 times R that a replay at x16 needs.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "veltro/capture/capture_reader.h"
#include "veltro/capture/capture_writer.h"
#include "veltro/capture/replay_player.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/monitor/monitor_hub.h"
#include "veltro/ports/record_sink.h"

namespace {

using namespace veltro;
using Timer = std::chrono::steady_clock;

double secondsSince(Timer::time_point start) {
    return std::chrono::duration<double>(Timer::now() - start).count();
}

// A WRITE of group 2 (the decoder's common case), value varying.
monitor::FrameEntry frameAt(std::int64_t timeMs, std::uint64_t i) {
    monitor::FrameEntry e;
    e.timeMs = timeMs;
    const std::uint8_t bytes[] = {0xB2,
                                  0x44,
                                  0x45,
                                  static_cast<std::uint8_t>(0x40 | (i % 12)),
                                  static_cast<std::uint8_t>(0x40 | ((i >> 6) & 63)),
                                  static_cast<std::uint8_t>(0x40 | (i & 63))};
    e.length = sizeof bytes;
    std::memcpy(e.bytes.data(), bytes, sizeof bytes);
    return e;
}

struct Counted final : RecordSink {
    std::uint64_t records = 0;
    void deliver(const ControllerRecord&) override { ++records; }
};

struct NoDispatch final : UiDispatcher {
    void post(std::function<void()>) override {}
};
struct Ports {
    NoDispatch dispatcher;
    link::NoDumpDisplay dump;
    link::NoReplyTimer reply;
    link::MachineClock clock;
};

// Nanoseconds a read of 10 frames costs the reader thread.
double readerCost(int mode, std::uint64_t& dropped) {
    Ports ports;
    link::ControllerLink link({ports.dispatcher, ports.dump, ports.reply, ports.clock});
    Counted sink;
    link.router().setToolSink(&sink);
    link.router().setRouteToParameterStore(true);
    monitor::MonitorHub hub(link.flags().tap, monitor::systemTimeMs);
    std::ofstream devnull("/dev/null");
    capture::CaptureWriter writer({"bench", "-", 0}, [&] {
        return capture::CaptureWriter::Opened{&devnull, {}};
    });
    if (mode >= 1)
        hub.setUse(monitor::MonitorHub::kMonitor, true);
    if (mode >= 2)
        hub.setRecorder(&writer);
    std::atomic<bool> done{false};
    std::thread drainer([&] {
        while (!done.load()) {
            hub.drain(monitor::systemTimeMs());
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    std::vector<std::uint8_t> read;
    for (int i = 0; i < 10; ++i) {
        const auto e = frameAt(0, i);
        read.insert(read.end(), e.bytes.begin(), e.bytes.begin() + e.length);
    }
    constexpr int kReads = 200'000;
    const auto start = Timer::now();
    for (int i = 0; i < kReads; ++i)
        link.consumer().bytesReceived(read);
    const double seconds = secondsSince(start);
    done = true;
    drainer.join();
    hub.drain(monitor::systemTimeMs());
    dropped = hub.dropped();
    hub.setRecorder(nullptr);
    return seconds * 1e9 / kReads;
}

struct Fed final : capture::ReplayTarget {
    explicit Fed(link::ControllerLink& l) : link(l) {}
    void received(std::span<const std::uint8_t> bytes, std::int64_t) override {
        link.consumer().bytesReceived(bytes);
        first = first ? first : 1;
    }
    void sent(std::span<const std::uint8_t>, std::int64_t) override {}
    void lost(std::uint64_t, std::int64_t) override {}
    link::ControllerLink& link;
    int first = 0;
};

}  // namespace

int main(int argc, char** argv) {
    double minutes = 60;
    std::uint64_t rate = 20'000;
    std::string path =
        (std::filesystem::temp_directory_path() / "veltro_capture_bench.txt").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--minutes")
            minutes = std::stod(argv[i + 1]);
        else if (word == "--rate")
            rate = std::stoull(argv[i + 1]);
        else if (word == "--file")
            path = argv[i + 1];
    }
    const char* modes[] = {"no tap", "monitor tap", "monitor tap + recording"};
    for (int mode = 0; mode < 3; ++mode) {
        std::uint64_t dropped = 0;
        const double ns = readerCost(mode, dropped);
        std::printf("reader thread, read of 10 frames, %-24s %8.0f ns (intake refused %llu)\n",
                    modes[mode], ns, static_cast<unsigned long long>(dropped));
    }

    const std::uint64_t frames = static_cast<std::uint64_t>(minutes * 60 * rate);
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        capture::CaptureWriter writer(
            {"bench", "-", 0},
            [&] {
                return capture::CaptureWriter::Opened{&file, {}};
            },
            std::uint64_t{1} << 40);
        const auto start = Timer::now();
        for (std::uint64_t i = 0; i < frames; ++i)
            writer.take(frameAt(static_cast<std::int64_t>(i * 1000 / rate), i));
        writer.close();
        const double seconds = secondsSince(start);
        std::printf("writing %llu frames (%.0f min at %llu/s): %.1f s, %.0f frames/s, %.0f MB\n",
                    static_cast<unsigned long long>(frames), minutes,
                    static_cast<unsigned long long>(rate), seconds, frames / seconds,
                    std::filesystem::file_size(path) / 1e6);
    }

    Ports ports;
    link::ControllerLink link({ports.dispatcher, ports.dump, ports.reply, ports.clock});
    Counted sink;
    link.router().setToolSink(&sink);
    link.router().setRouteToParameterStore(true);
    capture::MachineReplayClock clock;
    const auto opening = Timer::now();
    std::ifstream in(path, std::ios::binary);
    capture::CaptureReader reader(in);
    if (!reader.readHeader())
        return 1;
    Fed fed(link);
    capture::ReplayPlayer player(reader, fed, clock);
    player.setSpeed(capture::ReplaySchedule::kFastest);
    player.start();
    player.advance(1);
    std::printf("replay: first frame fed %.3f ms after opening the file\n",
                secondsSince(opening) * 1e3);
    const auto start = Timer::now();
    while (!player.finished())
        player.advance();
    const double seconds = secondsSince(start);
    const double perSecond = player.linesFed() / seconds;
    std::printf(
        "replay as fast as possible: %llu lines in %.1f s, %.0f lines/s = x%.1f of the "
        "recording (x16 needs %llu/s)%s\n",
        static_cast<unsigned long long>(player.linesFed()), seconds, perSecond, perSecond / rate,
        static_cast<unsigned long long>(16 * rate), player.damaged() ? " DAMAGED" : "");
    std::filesystem::remove(path);
    return sink.records == player.linesFed() ? 0 : 1;
}
