#include "ctrlsim/sim_model.h"

#include <gtest/gtest.h>

namespace ctrlsim {
namespace {

using namespace std::chrono_literals;

veltro::ElementTables twoGroupsTwoDetectors() {
    veltro::ElementTables e;
    for (int i = 0; i < 2; ++i) {
        e.signalGroups[i].arrayNumber = i;
        e.detectors[i].arrayNumber = i;
    }
    e.signalGroups.count = 2;
    e.detectors.count = 2;
    return e;
}

// Each change of the fixed-time cycle happens at its instant, not a
// millisecond before or after: green for 4 s, amber for 2 s, then the next
// group; a round is counted when the last group's amber has ended.
TEST(SimModel, TheCycleChangesAtItsInstants) {
    const auto elements = twoGroupsTwoDetectors();
    SimModel model(elements);
    const struct {
        std::chrono::milliseconds at;
        int green0, amber0, green1, rounds;
    } steps[] = {
        {0ms, 1, 0, 0, 0},     {3999ms, 1, 0, 0, 0},  {4000ms, 0, 1, 0, 0},
        {5999ms, 0, 1, 0, 0},  {6000ms, 0, 0, 1, 0},  {11999ms, 0, 0, 0, 0},
        {12000ms, 1, 0, 0, 1}, {23999ms, 0, 0, 0, 1}, {24000ms, 1, 0, 0, 2},
    };
    for (const auto& s : steps) {
        model.advance(s.at, LocalTime{});
        EXPECT_EQ(model.value({code::kStateG, 0, 0}), s.green0) << s.at.count();
        EXPECT_EQ(model.value({code::kStateGl, 0, 0}), s.amber0) << s.at.count();
        EXPECT_EQ(model.value({code::kStateG, 1, 0}), s.green1) << s.at.count();
        EXPECT_EQ(model.value({code::kRondeTeller, 0, 0}), s.rounds) << s.at.count();
    }
}

// A detector sees a vehicle during whole seconds: the second in which one
// starts or ends is taken from its first millisecond.
TEST(SimModel, DetectorsChangeOnTheSecond) {
    const auto elements = twoGroupsTwoDetectors();
    SimModel model(elements);
    const struct {
        std::chrono::milliseconds at;
        int detector0, detector1;
    } steps[] = {
        {0ms, 1, 0},    {999ms, 1, 0},  {1000ms, 0, 0}, {1999ms, 0, 0},
        {2000ms, 0, 1}, {2999ms, 0, 1}, {3000ms, 1, 0},
    };
    for (const auto& s : steps) {
        model.advance(s.at, LocalTime{});
        EXPECT_EQ(model.value({code::kDetector, 0, 0}), s.detector0) << s.at.count();
        EXPECT_EQ(model.value({code::kDetector, 1, 0}), s.detector1) << s.at.count();
    }
}

}  // namespace
}  // namespace ctrlsim
