// The frame monitor open on the debugger fed by ctrlsim --rate N over
// loopback TCP: a shown window of 500 items, every frame in and out tapped,
// queued and shown in the monitor's table (kept at its bottom, as an
// engineer watching it would). Measured over the run (VELTRO_BENCH_SECONDS,
// default 10, after 2 s of warm-up):
//   frames/s     frames the monitor took a second,
//   dropped      frames the intake refused because the GUI thread fell
//                behind (the aim: none),
//   gui_cpu      the GUI thread's CPU time over the wall time, with the
//                monitor open and, for comparison, with it closed,
//   rss          the process's resident memory at the end (the ring is full
//                after 100000 frames; memory stays flat from there).
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ctrlsim/ctrlsim_process.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/open_link.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "veltro/gui/link_assembly.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/monitor/frame_monitor_window.h"
#include "veltro/gui/monitor/link_traffic_menu.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kItems = 500;

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

veltro::DebugScreen loadScreen() {
    veltro::DebugScreen screen("/bench/debug_500.plo");
    for (int i = 0; i < kItems; ++i) {
        veltro::DebugItem& item = screen.addItem();
        item.functionCode = 320 + i / 50;
        item.firstElement = i % 50;
        item.width = 3;
        item.column = (i % 25) * 3;
        item.row = i / 25;
        item.hasControl = true;
        screen.growExtent(item.column + 2, item.row + 1);
    }
    screen.buildIndex();
    return screen;
}

void runFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_MonitorUnderLoad(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const bool monitorOpen = state.range(1) != 0;
    const char* seconds = std::getenv("VELTRO_BENCH_SECONDS");
    const auto duration = std::chrono::seconds(seconds ? std::max(1, std::atoi(seconds)) : 10);
    for (auto _ : state) {
        test_support::CtrlsimProcess sim(
            {"--dir", EXAMPLES_DIR "/kruispunt", "--port", "0", "--rate", std::to_string(rate)});
        const int port = std::atoi(sim.readLine().c_str() + 5);
        test_support::ScriptedPrompts prompts;
        test_support::MemorySettings settings;
        test_support::RecordingMessages messages;
        test_support::RecordingDumpDisplay dumpDisplay;
        test_support::RecordingIpErrors ipErrors;
        veltro::DebugWindowList windows;
        veltro::DefinitionTable definitions;
        auto elements = std::make_unique<veltro::ElementTables>();
        struct NoReplyTimer : veltro::ReplyTimer {
            void restart() override {}
            void cancel() override {}
        } replyTimer;
        windows.addWindow(loadScreen());
        veltro::gui::LinkAssembly assembly(windows, messages, dumpDisplay, replyTimer);
        veltro::gui::MainWindow main(veltro::gui::MainWindowParts{
            windows, assembly.link, assembly.poll, assembly.link.requests(), assembly.trust,
            prompts, messages, settings, definitions, "/bench/"});
        assembly.sink.setView(&main);
        main.resize(1000, 700);
        main.show();
        auto& tools = veltro::gui::installLinkTrafficMenu(
            main, {assembly.link.flags().tap, windows, *elements, messages});
        if (test_support::openLoopback(assembly.link, port, ipErrors)) {
            state.SkipWithError("ctrlsim did not answer");
            break;
        }
        assembly.link.flags().trace.store(false);
        main.syncWindows();
        main.showWindow(0);
        if (monitorOpen)
            tools.openMonitor();
        runFor(std::chrono::seconds(2));

        const std::uint64_t framesStart = tools.hub().history().total();
        const double cpuStart = threadCpuSeconds();
        const auto wallStart = Clock::now();
        runFor(duration);
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = threadCpuSeconds() - cpuStart;

        state.counters["frames/s"] =
            static_cast<double>(tools.hub().history().total() - framesStart) / wall;
        state.counters["dropped"] = static_cast<double>(tools.hub().dropped());
        state.counters["gui_cpu_%"] = 100.0 * cpu / wall;
        state.counters["kept"] = static_cast<double>(tools.hub().history().size());
        state.counters["rss_MB"] = static_cast<double>(residentKilobytes()) / 1024.0;
        state.SetIterationTime(wall);
        assembly.link.attach(nullptr);
    }
}
// Reports a second; the monitor open (1) or closed (0).
BENCHMARK(BM_MonitorUnderLoad)
    ->Args({5000, 1})
    ->Args({20000, 1})
    ->Args({5000, 0})
    ->Args({20000, 0})
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
