// Decoder throughput against a bare loop over the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "veltro/link/frame_decoder.h"
#include "veltro/link/frame_encoder.h"

namespace {

namespace link = veltro::link;

std::vector<std::uint8_t> mixedFrames(std::size_t bytes) {
    std::vector<std::uint8_t> out;
    int i = 0;
    while (out.size() < bytes) {
        const veltro::ControllerRecord r{(i * 37) % 512, i % 64, i % 7, 0, i * 1013};
        const auto f = link::encodeFrame(r, veltro::CommandMode::Write);
        out.insert(out.end(), f.bytes().begin(), f.bytes().end());
        ++i;
    }
    return out;
}

void BM_RawByteLoop(benchmark::State& state) {
    const auto bytes = mixedFrames(1 << 20);
    for (auto _ : state) {
        unsigned sum = 0;
        for (std::uint8_t b : bytes) {
            sum += b;
            benchmark::DoNotOptimize(sum);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_RawByteLoop);

void BM_DecoderThroughput(benchmark::State& state) {
    const auto bytes = mixedFrames(1 << 20);
    std::int64_t frames = 0;
    link::FrameDecoder decoder([&frames](const link::DecodedFrame& f) {
        benchmark::DoNotOptimize(f.record.value);
        ++frames;
    });
    for (auto _ : state)
        decoder.feed(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecoderThroughput);

}  // namespace
