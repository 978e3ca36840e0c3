// During a replay nothing reaches a controller: the poll cycle's requests
// vanish quietly, a write or a dump command is refused with a message, at
// most one a second.
#include "veltro/capture/replay_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace veltro;

struct Posted final : UiDispatcher {
    std::vector<std::function<void()>> work;
    void post(std::function<void()> w) override { work.push_back(std::move(w)); }
};
struct Told final : Messages {
    std::vector<std::string> lines;
    void message(int kind, std::string_view a, std::string_view, std::string_view) override {
        lines.push_back(std::to_string(kind) + " " + std::string(a));
    }
    void setContextPrefix(std::string_view) override {}
    void setLinePrefix(int) override {}
};
struct Stepped final : capture::ReplayClock {
    std::int64_t now = 50'000;
    std::int64_t nowMs() const override { return now; }
};

TEST(ReplayLine, RefusesWritesWithAMessageAndSwallowsThePollCyclesRequests) {
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        Bytes bytes;
        bool write;
    } cases[] = {
        {{0xE2, 0x45, 0x43}, false},                   // READ
        {{0xC2, 0x45, 0x43}, false},                   // CONTINUOUS
        {{0x82, 0x45, 0x43}, false},                   // STOP
        {{0xB2, 0x44, 0x45, 0x43, 0x41, 0x64}, true},  // WRITE
        {{0xE2, 0x45, 0x43, 0xA2, 0x65, 0x5F}, true},  // a WRITE behind a READ
        {{'D'}, true},                                 // the dump's command
    };
    for (const auto& c : cases)
        EXPECT_EQ(capture::ReplayLine::isWrite(c.bytes), c.write) << int(c.bytes[0]);

    Posted posted;
    Told told;
    Stepped clock;
    capture::ReplayLine line(posted, told, clock);
    const Bytes read{0xE2, 0x45, 0x43};
    const Bytes write{0xB2, 0x44, 0x45, 0x43, 0x41, 0x64};
    EXPECT_EQ(line.writeSome(read, {}).written, 3u);
    EXPECT_TRUE(posted.work.empty());
    const auto result = line.writeSome(write, {});
    EXPECT_EQ(result.written, write.size());  // taken, so the queue never waits for it
    EXPECT_FALSE(result.closed);
    clock.now += 999;
    line.writeSome(write, {});  // within the second: told once
    clock.now += 1;
    line.writeSome(write, {});
    for (auto& work : posted.work)
        work();
    const std::string refused =
        "2 Dit is een opname: er wordt niets naar de regelautomaat geschreven.";
    EXPECT_EQ(told.lines, (std::vector<std::string>{refused, refused}));

    // A debug window asks before it writes: never, and told at that moment.
    told.lines.clear();
    const capture::ReplayWriteGate gate(told);
    EXPECT_FALSE(gate.writesPossible());
    EXPECT_EQ(told.lines, std::vector<std::string>{refused});
}

}  // namespace
