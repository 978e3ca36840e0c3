// The shown debug window fed by ctrlsim --rate N over loopback TCP: 500 items
// on one window, every report carried from the reader thread to the GUI
// thread and painted. Measured over the run (VELTRO_BENCH_SECONDS, default
// 30, after 2 s of warm-up):
//   latency   from the read that brought a changed value to the paint of its
//             field (which shows that value or a later one); the bench writes
//             new values into ctrlsim's objects (the second argument: a
//             thousand, or ten thousand, a second), so that there are changes
//             to paint among the reports,
//   rss       the process's resident memory at the start and end of the run,
//             and its largest growth (a backlog would grow it),
//   gui_cpu   the GUI thread's CPU time over the wall time,
//   reports   value reports decoded per second, paints per second, and
//             reports the mailbox had to drop (it never should).
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/temp_dir.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/open_link.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "veltro/gui/debug_window.h"
#include "veltro/gui/link_assembly.h"
#include "veltro/gui/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kItems = 500;

std::int64_t microsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// One window of 500 number fields, each its own controller object: twenty
// rows of 25 fields of two digits.
veltro::DebugScreen loadScreen() {
    veltro::DebugScreen screen("/bench/debug_500.plo");
    for (int i = 0; i < kItems; ++i) {
        veltro::DebugItem& item = screen.addItem();
        item.functionCode = 320 + i / 50;
        item.firstElement = i % 50;
        item.block = -1;
        item.width = 3;
        item.column = (i % 25) * 3;
        item.row = i / 25;
        item.hasControl = true;
        screen.growExtent(item.column + 2, item.row + 1);
    }
    screen.buildIndex();
    return screen;
}

// Reader thread: stamps each decoded record with the time of its read (in
// the record's unused fourth word) before the mailbox takes it.
class Stamper final : public veltro::RecordSink {
  public:
    Stamper(veltro::RecordSink& next, Clock::time_point start) : m_next(next), m_start(start) {}
    void deliver(const veltro::ControllerRecord& record) override {
        veltro::ControllerRecord stamped = record;
        stamped.reserved = static_cast<std::int32_t>(microsSince(m_start));
        m_next.deliver(stamped);
        m_reports.fetch_add(1, std::memory_order_relaxed);
    }
    std::uint64_t reports() const { return m_reports.load(std::memory_order_relaxed); }

  private:
    veltro::RecordSink& m_next;
    Clock::time_point m_start;
    std::atomic<std::uint64_t> m_reports{0};
};

// GUI thread: notes the stamp of the first record that changes an item's
// value before the window takes it; the item's next paint gives the latency
// of that stamp (the field then shows that value or a newer one). Reports of
// an unchanged value need no paint and are not timed.
class PaintClock final : public veltro::RecordSink {
  public:
    PaintClock(veltro::RecordSink& next, veltro::DebugScreen& screen, Clock::time_point start)
        : m_next(next), m_screen(screen), m_start(start), m_pending(kItems, -1) {}
    void deliver(const veltro::ControllerRecord& record) override {
        const int item = m_screen.findItem(record);
        if (item >= 0 && m_pending[static_cast<std::size_t>(item)] < 0 &&
            (record.value != m_screen.item(item).value || !m_screen.item(item).enabled))
            m_pending[static_cast<std::size_t>(item)] = record.reserved;
        veltro::ControllerRecord plain = record;
        plain.reserved = 0;
        m_next.deliver(plain);
    }
    void painted(int item) {
        std::int32_t& stamp = m_pending[static_cast<std::size_t>(item)];
        if (stamp < 0)
            return;
        if (m_measuring)
            m_latencies.push_back(microsSince(m_start) - stamp);
        stamp = -1;
        ++m_paints;
    }
    void measure(bool on) { m_measuring = on; }
    std::vector<std::int64_t>& latencies() { return m_latencies; }
    std::uint64_t paints() const { return m_paints; }

  private:
    veltro::RecordSink& m_next;
    veltro::DebugScreen& m_screen;
    Clock::time_point m_start;
    std::vector<std::int32_t> m_pending;  // oldest unpainted stamp per item
    std::vector<std::int64_t> m_latencies;
    std::uint64_t m_paints = 0;
    bool m_measuring = false;
};

void runFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<std::int64_t> values, double p) {
    if (values.empty())
        return 0.0;
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return static_cast<double>(values[at]) / 1000.0;
}

void BM_LiveWindowUnderLoad(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const int changesPerTick = static_cast<int>(state.range(1)) / 100;  // a tick is 10 ms
    const char* seconds = std::getenv("VELTRO_BENCH_SECONDS");
    const auto duration = std::chrono::seconds(seconds ? std::max(1, std::atoi(seconds)) : 30);
    for (auto _ : state) {
        test_support::CtrlsimProcess sim(
            {"--dir", EXAMPLES_DIR "/kruispunt", "--port", "0", "--rate", std::to_string(rate)});
        const std::string portLine = sim.readLine();
        const int port = std::atoi(portLine.c_str() + 5);

        const auto start = Clock::now();
        test_support::ScriptedPrompts prompts;
        test_support::MemorySettings settings;
        test_support::RecordingMessages messages;
        test_support::RecordingDumpDisplay dumpDisplay;
        test_support::RecordingIpErrors ipErrors;
        veltro::DebugWindowList windows;
        veltro::DefinitionTable definitions;
        struct NoReplyTimer : veltro::ReplyTimer {
            void restart() override {}
            void cancel() override {}
        } replyTimer;
        windows.addWindow(loadScreen());
        veltro::gui::LinkAssembly assembly(windows, messages, dumpDisplay, replyTimer);
        veltro::DebugScreen& screen = windows.window(0);
        Stamper stamper(assembly.link.mailbox(), start);
        assembly.link.router().setWindowSink(&stamper);
        PaintClock paintClock(assembly.sink, screen, start);
        assembly.link.setWindowSink(&paintClock);
        veltro::gui::MainWindow main(veltro::gui::MainWindowParts{
            windows, assembly.link, assembly.poll, assembly.link.requests(), assembly.trust,
            prompts, messages, settings, definitions, "/bench/"});
        assembly.sink.setView(&main);
        main.resize(1000, 700);
        main.show();
        if (test_support::openLoopback(assembly.link, port, ipErrors)) {
            state.SkipWithError("ctrlsim did not answer");
            break;
        }
        main.syncWindows();
        main.showWindow(0);
        // The receive trace would flood the benchmark's output.
        assembly.link.flags().trace.store(false);
        main.shownWidget()->setPaintProbe([&](int item) { paintClock.painted(item); });
        // The values change: writes into ctrlsim, each to the next item,
        // which ctrlsim stores and reports from then on.
        QTimer writer;
        int written = 0;
        QObject::connect(&writer, &QTimer::timeout, [&] {
            for (int n = 0; n < changesPerTick; ++n, ++written) {
                veltro::ControllerRecord record = screen.item(written % kItems).record();
                record.value = 1 + written % 97;
                assembly.link.requests().send(record, veltro::CommandMode::Write);
            }
        });
        writer.start(10);

        runFor(std::chrono::seconds(2));  // the poll cycle's second, then the flow
        // The samples' own memory is taken before the start: it is the
        // bench's, not the debugger's.
        auto& samples = paintClock.latencies();
        samples.resize(static_cast<std::size_t>(duration.count() * state.range(1) * 3 / 2));
        samples.clear();
        paintClock.measure(true);
        const long rssStart = residentKilobytes();
        long rssMax = rssStart;
        const double cpuStart = threadCpuSeconds();
        const std::uint64_t reportsStart = stamper.reports();
        const std::uint64_t paintsStart = paintClock.paints();
        const auto wallStart = Clock::now();
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout,
                         [&] { rssMax = std::max(rssMax, residentKilobytes()); });
        sampler.start(1000);
        runFor(duration);
        sampler.stop();
        writer.stop();
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = threadCpuSeconds() - cpuStart;
        const long rssEnd = residentKilobytes();
        paintClock.measure(false);

        auto& latencies = paintClock.latencies();
        state.counters["over_20ms"] = static_cast<double>(std::count_if(
            latencies.begin(), latencies.end(), [](std::int64_t us) { return us > 20000; }));
        state.counters["samples"] = static_cast<double>(latencies.size());
        state.counters["p50_ms"] = percentile(latencies, 0.50);
        state.counters["p99_ms"] = percentile(latencies, 0.99);
        state.counters["max_ms"] = percentile(latencies, 1.0);
        state.counters["gui_cpu_%"] = 100.0 * cpu / wall;
        state.counters["rss_start_MB"] = static_cast<double>(rssStart) / 1024.0;
        state.counters["rss_end_MB"] = static_cast<double>(rssEnd) / 1024.0;
        state.counters["rss_growth_MB"] = static_cast<double>(rssMax - rssStart) / 1024.0;
        state.counters["reports/s"] = static_cast<double>(stamper.reports() - reportsStart) / wall;
        state.counters["changes/s"] =
            static_cast<double>(paintClock.paints() - paintsStart) / wall;
        state.counters["dropped"] = static_cast<double>(assembly.link.mailbox().overflowed());
        state.counters["pending"] = static_cast<double>(assembly.link.mailbox().pending());
        state.SetIterationTime(wall);
        // The reader thread stops before the probes it feeds go.
        assembly.link.attach(nullptr);
        main.shownWidget()->setPaintProbe({});
    }
}
// Reports a second, value changes a second (written into ctrlsim).
BENCHMARK(BM_LiveWindowUnderLoad)
    ->Args({5000, 1000})
    ->Args({20000, 1000})
    ->Args({20000, 10000})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
