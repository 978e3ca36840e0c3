// The value log's throughput: received WRITE frames of logged items turned
// into CSV lines in a file, against the raw cost of writing the same lines
// (already formatted) through the same kind of stream.
#include <benchmark/benchmark.h>

#include <fstream>
#include <vector>

#include "support/temp_dir.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/value_log.h"

namespace {

using namespace veltro;

std::vector<monitor::FrameEntry> reports(int count) {
    std::vector<monitor::FrameEntry> entries;
    for (int i = 0; i < count; ++i) {
        const auto f =
            link::encodeFrame({320 + i % 10, i % 50, -1, 0, i % 4000}, CommandMode::Write);
        monitor::FrameEntry e;
        e.timeMs = 1796732103000 + i / 20;
        e.length = static_cast<std::uint8_t>(f.size());
        std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
        entries.push_back(e);
    }
    return entries;
}

std::vector<monitor::LoggedItem> items() {
    std::vector<monitor::LoggedItem> out;
    for (int i = 0; i < 500; ++i) {
        const int code = 320 + i / 50;
        out.push_back({"DEBUG_001.PLO", "Groen " + std::to_string(i), "inst_VG_TIJD",
                       "fc" + std::to_string(i % 50),
                       monitor::reportKey({code, i % 50, -1, 0, 0})});
    }
    return out;
}

void BM_ValueLog(benchmark::State& state) {
    const std::vector<monitor::FrameEntry> entries = reports(100000);
    test_support::TempDir dir;
    std::int64_t lines = 0;
    for (auto _ : state) {
        monitor::ValueLog log;
        log.open((dir / "waarden.csv").string(), 0);
        log.setItems(items());
        for (const monitor::FrameEntry& e : entries)
            log.take(e);
        log.close();
        lines += static_cast<std::int64_t>(log.lines());
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_ValueLog)->Unit(benchmark::kMillisecond);

// The same number of lines of the same length, formatted beforehand.
void BM_RawLines(benchmark::State& state) {
    const std::string line =
        "2026-12-08T12:15:03.123+00:00,DEBUG_001.PLO,Groen 12,"
        "inst_VG_TIJD,fc12,1234\n";
    test_support::TempDir dir;
    std::int64_t lines = 0;
    for (auto _ : state) {
        std::ofstream out((dir / "raw.csv").string(), std::ios::binary | std::ios::trunc);
        for (int i = 0; i < 100000; ++i)
            out << line;
        out.close();
        lines += 100000;
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_RawLines)->Unit(benchmark::kMillisecond);

}  // namespace
