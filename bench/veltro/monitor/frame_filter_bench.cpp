// The monitor's macro filter applies as the engineer types: each key press
// rebuilds the rows over the whole ring. Its cost for a full ring of 100000
// frames, against merely reading the ring's frames once.
#include <benchmark/benchmark.h>

#include <vector>

#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/frame_view.h"

namespace {

using namespace veltro;

monitor::FrameHistory fullRing() {
    monitor::FrameHistory history;
    for (std::size_t i = 0; i < history.capacity(); ++i) {
        const int code = 320 + static_cast<int>(i % 10);
        const auto f =
            link::encodeFrame({code, static_cast<int>(i % 50), -1, 0, 7}, CommandMode::Write);
        monitor::FrameEntry e;
        e.timeMs = 1796732103000 + static_cast<std::int64_t>(i);
        e.length = static_cast<std::uint8_t>(f.size());
        std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
        history.push(e);
    }
    return history;
}

void BM_RefilterFullRing(benchmark::State& state) {
    const monitor::FrameHistory history = fullRing();
    const monitor::FrameNames names;
    monitor::FrameView view;
    for (auto _ : state) {
        monitor::FrameFilter filter;
        filter.codes = monitor::parseMacroFilter("inst_MG_TIJD", names).codes;
        view.setFilter(filter, history);
        benchmark::DoNotOptimize(view.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(history.size()));
}
BENCHMARK(BM_RefilterFullRing)->Unit(benchmark::kMillisecond);

void BM_ReadFullRing(benchmark::State& state) {
    const monitor::FrameHistory history = fullRing();
    for (auto _ : state) {
        unsigned sum = 0;
        for (std::size_t i = 0; i < history.size(); ++i)
            sum += history.at(i).bytes[0];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(history.size()));
}
BENCHMARK(BM_ReadFullRing)->Unit(benchmark::kMillisecond);

}  // namespace
