#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/veltro/tool_tables.h"
#include "veltro/tools/parameter_store.h"
#include "veltro/tools/stoppable_clock.h"

namespace veltro::tools {
namespace {

// The reader thread feeds the intake while the user-interface thread reads
// marks and values: a mark is never seen before its value, and a fresh
// report in the current round carries a value of that round.
TEST(IntakeThreaded, MarksNeverComeBeforeTheirValues) {
    auto t = std::make_unique<ElementTables>();
    constexpr int kCount = 2000;
    for (int i = 0; i < kCount; ++i) {
        t->parameters[i].name = "EP" + std::to_string(i);
        t->parameters[i].arrayNumber = i;
    }
    t->parameters.count = kCount;
    ParameterStore store(*t);
    const std::uint32_t round = store.beginReadRound();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (int i = 0; i < kCount; ++i)
            store.deliver({32, i, 0, 0, i + 1});
        for (int i = 0; i < kCount; ++i)
            store.deliver({32, i, 0, 0, -(i + 1)});
        done.store(true);
    });
    int bad = 0;
    while (!done.load()) {
        for (int i = 0; i < kCount; i += 7) {
            const ControllerValue& v = t->parameters[i].controller;
            if (v.received() && v.value() != i + 1)
                ++bad;
            if (v.reportedIn(round)) {
                const int latest = v.latest();
                if (latest != i + 1 && latest != -(i + 1))
                    ++bad;
            }
        }
    }
    reader.join();
    EXPECT_EQ(bad, 0);
    EXPECT_TRUE(store.originalKnown());
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(t->parameters[i].controller.value(), i + 1);
        ASSERT_EQ(t->parameters[i].controller.latest(), -(i + 1));
    }
}

}  // namespace
}  // namespace veltro::tools

namespace veltro::tools {
namespace {

// A stop from another thread ends a long wait at once: a wait that ignored
// it would hang the test for an hour, whatever the machine's load.
TEST(StoppableClockThreaded, StopEndsAWaitEarly) {
    StoppableClock clock;
    const auto start = clock.now();
    std::thread stopper([&] { clock.requestStop(); });
    clock.waitUntil(start + std::chrono::hours(1));
    stopper.join();
    EXPECT_TRUE(clock.stopRequested());
    clock.clearStop();
    const auto before = clock.now();
    clock.waitFor(std::chrono::milliseconds(30));
    EXPECT_GE(clock.now() - before, std::chrono::milliseconds(30));
}

}  // namespace
}  // namespace veltro::tools

namespace veltro::tools {
namespace {

// The index is rebuilt between dialogs while the reader thread may still be
// handing in a late report: no report is taken under the rebuild, and none
// after the intake closed.
TEST(IntakeThreaded, RebuildWaitsForAReportBeingTaken) {
    auto t = std::make_unique<ElementTables>();
    for (int i = 0; i < 100; ++i) {
        t->times[i].name = "T" + std::to_string(i);
        t->times[i].arrayNumber = i;
    }
    t->times.count = 100;
    ParameterStore store(*t);
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        for (int n = 0; !stop.load(); n = (n + 1) % 100)
            store.deliver({34, n, 0, 0, n});
    });
    for (int i = 0; i < 200; ++i) {
        store.endIntake();
        store.beginIntake();
    }
    store.endIntake();
    // A report already past the check when the intake closed lands now.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::uint32_t round = store.beginReadRound();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    stop.store(true);
    reader.join();
    int fresh = 0;
    for (int i = 0; i < 100; ++i)
        fresh += t->times[i].controller.reportedIn(round);
    EXPECT_EQ(fresh, 0);
}

}  // namespace
}  // namespace veltro::tools
