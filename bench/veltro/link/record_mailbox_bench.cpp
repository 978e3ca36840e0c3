// The mailbox that carries the shown window's records to the user-interface
// thread, against handing the same records to the sink directly: per record
// when every report is a new object, and per report when a window's 500
// objects report twenty times between two drains.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "support/veltro/dispatcher.h"
#include "veltro/link/record_mailbox.h"

namespace {

class CountingSink final : public veltro::RecordSink {
  public:
    void deliver(const veltro::ControllerRecord& record) override {
        sum += static_cast<std::uint64_t>(record.value);
        benchmark::DoNotOptimize(sum);
    }
    std::uint64_t sum = 0;
};

constexpr int kObjects = 500;

void BM_DirectToSink(benchmark::State& state) {
    CountingSink sink;
    for (auto _ : state) {
        for (int i = 0; i < kObjects; ++i)
            sink.deliver({320, i, 0, 0, i});
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_DirectToSink);

void BM_MailboxOneReportPerObject(benchmark::State& state) {
    test_support::FakeDispatcher dispatcher;
    CountingSink sink;
    veltro::link::RecordMailbox mailbox(dispatcher);
    mailbox.setTarget(&sink);
    for (auto _ : state) {
        for (int i = 0; i < kObjects; ++i)
            mailbox.deliver({320, i, 0, 0, i});
        dispatcher.drain();
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_MailboxOneReportPerObject);

void BM_MailboxTwentyReportsPerObject(benchmark::State& state) {
    test_support::FakeDispatcher dispatcher;
    CountingSink sink;
    veltro::link::RecordMailbox mailbox(dispatcher);
    mailbox.setTarget(&sink);
    for (auto _ : state) {
        for (int round = 0; round < 20; ++round) {
            for (int i = 0; i < kObjects; ++i)
                mailbox.deliver({320, i, 0, 0, round});
        }
        dispatcher.drain();
    }
    state.SetItemsProcessed(state.iterations() * kObjects * 20);
    state.counters["drains/iter"] =
        static_cast<double>(dispatcher.posted()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MailboxTwentyReportsPerObject);

}  // namespace
