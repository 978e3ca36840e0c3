#include "ctrlsim/sim_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctrlsim/dump_text.h"
#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_options.h"
#include "veltro/link/frame_decoder.h"
#include "veltro/link/frame_encoder.h"

namespace ctrlsim {
namespace {

using veltro::CommandMode;
using veltro::ControllerRecord;
using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

veltro::ElementTables smallIntersection() {
    veltro::ElementTables e;
    e.signalGroups[0].name = "SG02";
    e.signalGroups[0].arrayNumber = 0;
    e.signalGroups[0].source[veltro::sg_value::kVg] = 6.0;
    e.signalGroups[0].source[veltro::sg_value::mg(7)] = 2.5;
    e.signalGroups[1].name = "SG05";
    e.signalGroups[1].arrayNumber = 1;
    e.signalGroups.count = 2;
    e.clocks[0].arrayNumber = 0;
    e.clocks[0].source = {7.30, 19.15};
    e.clocks.count = 1;
    e.parameters[0].arrayNumber = 0;
    e.parameters[0].value = 1.5;
    e.parameters.count = 1;
    e.intParameters[0].arrayNumber = 0;
    e.intParameters[0].value = 215;
    e.intParameters.count = 1;
    e.switches[0].arrayNumber = 0;
    e.switches[0].state = 1;
    e.switches.count = 1;
    e.detectors[0].arrayNumber = 0;
    e.detectors[0].source = {2.0, -1.0, 0.5};
    e.detectors.count = 1;
    e.conflicts[0].fromArrayNumber = 0;
    e.conflicts[0].toArrayNumber = 1;
    e.conflicts[0].value = 3.5;
    e.conflicts.count = 1;
    return e;
}

struct Sent {
    CommandMode mode;
    ControllerRecord record;
};

class SimSessionTest : public ::testing::Test {
  protected:
    explicit SimSessionTest(FaultOptions faults = {})
        : session(model, faults, [this](auto b) { raw.insert(raw.end(), b.begin(), b.end()); }) {}

    void request(const ControllerRecord& r, CommandMode mode,
                 SimSession::Clock::time_point at = {}) {
        session.received(veltro::link::encodeFrame(r, mode).bytes(), at);
    }
    std::vector<Sent> frames() {
        std::vector<Sent> out;
        veltro::link::FrameDecoder decoder([&out](const veltro::link::DecodedFrame& f) {
            out.push_back({f.mode, f.record});
        });
        decoder.feed(raw);
        dropped = decoder.droppedFrames();
        raw.clear();
        return out;
    }

    veltro::ElementTables elements = smallIntersection();
    SimModel model{elements};
    Bytes raw;
    std::size_t dropped = 0;
    SimSession session;
};

TEST(SimModel, SettingsStartInControllerUnits) {
    const auto elements = smallIntersection();
    SimModel model(elements);
    const std::pair<ObjectKey, std::int32_t> cases[] = {
        {{code::kInstVgTijd, 0, 0}, 60}, {{339, 0, 0}, 25},  // MG time 7
        {{code::kInstKl1, 0, 0}, 730},   {{code::kInstKl2, 0, 0}, 1915},
        {{code::kInstEparm, 0, 0}, 15},  {{code::kInstEggparm, 0, 0}, 215},
        {{code::kSch, 0, 0}, 1},         {{code::kInstHTijd1, 0, 0}, 20},
        {{code::kInstBTijd, 0, 0}, 5},   {{code::kInstOTijd, 0, 1}, 35},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(model.value(key), value) << std::get<0>(key);
    }
    EXPECT_FALSE(model.has({code::kInstHTijd2, 0, 0}));  // not set in the source
}

// Every MG time code the controller knows: MG1-6 are 331-336, MG7-12 are
// 339-344 (337 and 338 belong to other times), each in tenths of a second.
TEST(SimModel, EveryMgTimeCodeAndOnlyTheSetOnes) {
    veltro::ElementTables e;
    e.signalGroups[0].name = "SG02";
    e.signalGroups[0].arrayNumber = 3;
    for (int t = 1; t <= 12; ++t)
        e.signalGroups[0].source[veltro::sg_value::mg(t)] = t + 0.5;
    e.signalGroups[1].name = "SG05";
    e.signalGroups[1].arrayNumber = 4;
    e.signalGroups[1].source[veltro::sg_value::mg(6)] = 0.0;    // set: zero seconds
    e.signalGroups[1].source[veltro::sg_value::mg(12)] = 12.0;  // the others not set
    e.signalGroups.count = 2;
    const SimModel model(e);
    const int codes[] = {331, 332, 333, 334, 335, 336, 339, 340, 341, 342, 343, 344};
    for (int t = 1; t <= 12; ++t) {
        const int code = codes[t - 1];
        EXPECT_EQ(model.value({code, 3, 0}), t * 10 + 5) << code;
        EXPECT_EQ(model.has({code, 4, 0}), t == 6 || t == 12) << code;
    }
    EXPECT_EQ(model.value({336, 4, 0}), 0);
    EXPECT_EQ(model.value({344, 4, 0}), 120);
    for (int other : {330, 337, 338})
        EXPECT_FALSE(model.has({other, 3, 0})) << other;
}

// The date and time counters with a fixed clock: the date as ddmmyy (shown
// with six digits by the debugger), the weekday from Sunday = 0.
TEST(SimModel, DateAndTimeCountersFollowTheClock) {
    const auto elements = smallIntersection();
    SimModel model(elements);
    struct Case {
        LocalTime now;
        int tijd, datum, dag;
    };
    const Case cases[] = {
        {{2024, 3, 5, 2, 7, 8, 9}, 70809, 50324, 2},
        {{1999, 12, 31, 5, 23, 59, 59}, 235959, 311299, 5},
        {{2000, 1, 1, 6, 0, 0, 0}, 0, 10100, 6},
        {{2031, 10, 19, 0, 12, 0, 1}, 120001, 191031, 0},
    };
    for (const Case& c : cases) {
        model.advance(std::chrono::milliseconds(0), c.now);
        EXPECT_EQ(model.value({code::kTijd, 0, 0}), c.tijd);
        EXPECT_EQ(model.value({code::kDatum, 0, 0}), c.datum);
        EXPECT_EQ(model.value({code::kDag, 0, 0}), c.dag);
        EXPECT_EQ(model.value({code::kDagNummer, 0, 0}), c.now.day);
        EXPECT_EQ(model.value({code::kMaandNummer, 0, 0}), c.now.month);
        EXPECT_EQ(model.value({code::kJaarNummer, 0, 0}), c.now.year);
    }
}

TEST(SimModel, FixedTimeCycleGivesGreenToOneGroupAfterTheOther) {
    const auto elements = smallIntersection();
    SimModel model(elements);
    const struct {
        std::chrono::milliseconds at;
        int green0, amber0, green1;
    } steps[] = {{0ms, 1, 0, 0}, {4500ms, 0, 1, 0}, {6500ms, 0, 0, 1}, {12500ms, 1, 0, 0}};
    for (const auto& s : steps) {
        model.advance(s.at, LocalTime{});
        EXPECT_EQ(model.value({code::kStateG, 0, 0}), s.green0) << s.at.count();
        EXPECT_EQ(model.value({code::kStateGl, 0, 0}), s.amber0) << s.at.count();
        EXPECT_EQ(model.value({code::kStateR, 0, 0}), !s.green0 && !s.amber0) << s.at.count();
        EXPECT_EQ(model.value({code::kStateG, 1, 0}), s.green1) << s.at.count();
    }
    EXPECT_EQ(model.value({code::kRondeTeller, 0, 0}), 1);
}

TEST_F(SimSessionTest, ReadAnswersWriteStoresAndOnOffValuesSurvive) {
    request({code::kInstVgTijd, 0, -1, 0, 0}, CommandMode::Read);
    request({code::kInstKl1, 0, -1, 0, 0}, CommandMode::Write);  // value 0 written
    request({code::kInstVgTijd, 0, -1, 0, 75}, CommandMode::Write);
    request({code::kInstVgTijd, 0, -1, 0, 0}, CommandMode::Read);
    request({code::kStateG, 0, -1, 0, 0}, CommandMode::Read);  // green now: 1
    request({code::kInstOTijd, 0, 1, 0, 0}, CommandMode::Read);
    const auto out = frames();
    ASSERT_EQ(out.size(), 4u);
    for (const auto& f : out)
        EXPECT_EQ(f.mode, CommandMode::Write);
    EXPECT_EQ(out[0].record, (ControllerRecord{code::kInstVgTijd, 0, 0, 0, 60}));
    EXPECT_EQ(out[1].record.value, 75);
    // A one travels in the index byte; a second index the group lacks would hide it.
    EXPECT_EQ(out[2].record, (ControllerRecord{code::kStateG, 0, 0, 0, 1}));
    EXPECT_EQ(out[3].record, (ControllerRecord{code::kInstOTijd, 0, 1, 0, 35}));
    EXPECT_EQ(model.value({code::kInstKl1, 0, 0}), 0);
}

TEST_F(SimSessionTest, ContinuousReportsOnChangeAndEvery500msUntilStop) {
    const SimSession::Clock::time_point t0{};
    const ControllerRecord vg{code::kInstVgTijd, 0, -1, 0, 0};
    request(vg, CommandMode::Continuous, t0);
    session.pump(t0);
    EXPECT_EQ(frames().size(), 1u);
    session.pump(t0 + 100ms);
    EXPECT_EQ(frames().size(), 0u);
    model.setValue({code::kInstVgTijd, 0, 0}, 80);
    session.pump(t0 + 200ms);
    auto out = frames();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].record.value, 80);
    session.pump(t0 + 650ms);
    EXPECT_EQ(frames().size(), 0u);
    session.pump(t0 + 700ms);
    EXPECT_EQ(frames().size(), 1u);
    request(vg, CommandMode::Stop, t0 + 800ms);
    session.pump(t0 + 2000ms);
    EXPECT_EQ(frames().size(), 0u);
    EXPECT_EQ(session.subscriptions(), 0u);
}

// A load test's rate: N reports a second whatever the values do, one object
// after the other so that each gets its share, owed reports capped after a
// stall, nothing once every object is stopped.
TEST_F(SimSessionTest, ARateSpreadsItsReportsOverTheContinuousObjects) {
    session.setReportRate(1000);
    const SimSession::Clock::time_point t0{};
    std::vector<ControllerRecord> objects;
    for (int i = 0; i < 4; ++i)
        objects.push_back({code::kInstVgTijd, i, -1, 0, 0});
    for (const auto& o : objects)
        request(o, CommandMode::Continuous, t0);
    session.pump(t0);
    EXPECT_TRUE(frames().empty());  // the rate counts from the first pump
    session.pump(t0 + 100ms);
    std::vector<int> perObject(4, 0);
    for (const auto& f : frames())
        ++perObject.at(static_cast<std::size_t>(f.record.index));
    EXPECT_EQ(perObject, (std::vector<int>{25, 25, 25, 25}));

    session.pump(t0 + 10100ms);  // ten seconds late: a tenth of a second owed, no more
    EXPECT_EQ(frames().size(), 100u);
    session.pump(t0 + 10101ms);
    EXPECT_EQ(frames().size(), 1u);

    for (const auto& o : objects)
        request(o, CommandMode::Stop, t0 + 10200ms);
    session.pump(t0 + 10300ms);
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(parseOptions({"--rate", "5000"}).options->rate, 5000);
    EXPECT_FALSE(parseOptions({"--rate", "0"}).options);
}

std::string text(const Bytes& b) {
    return {b.begin(), b.end()};
}

TEST_F(SimSessionTest, DumpCommandsOutsideFrames) {
    session.received(Bytes{'V'}, {});
    EXPECT_EQ(text(raw), verificationText());
    EXPECT_EQ(text(raw).substr(text(raw).size() - 2), "  ");
    raw.clear();

    session.received(Bytes{'M'}, {});
    const std::string prepared = buildDump(model);
    model.setValue({code::kInstEparm, 0, 0}, 999);  // after M: not in the dump
    session.received(Bytes{'O'}, {});
    while (session.sendingDump())
        session.pump({});
    EXPECT_EQ(text(raw), prepared);
    raw.clear();

    session.received(Bytes{'O', 'A'}, {});  // stopped before its first slice
    session.pump({});
    EXPECT_TRUE(raw.empty());
    EXPECT_FALSE(session.sendingDump());

    // Inside a frame the same bytes are frame data, not commands.
    raw.clear();
    session.received(Bytes{0xEA, 0x40, 'V' | 0x40}, {});
    EXPECT_EQ(frames().size(), 1u);
}

TEST(DumpText, LayoutThatThePostProcessorReads) {
    const auto elements = smallIntersection();
    const SimModel model(elements);
    const std::string dump = buildDump(model);
    EXPECT_EQ(dump.find("ALGEMEEN"), 0u);
    EXPECT_EQ(dump.find("ALGEMEEN", 1), std::string::npos);
    EXPECT_NE(dump.find("\n\nKLOKKEN\n"), std::string::npos);
    EXPECT_EQ(dump.substr(dump.size() - 13), "EINDE DUMP\n\xFF\n");
    for (const char* heading :
         {"EXTRA PARAMETERS\n", "SCHAKELAARS\n", "TIJDEN\n", "HULPFUNCTIES\n", "CVN-INTERFACE\n",
          "\n(0)   ", "\nD(0)                ", "\nKL(0) 0 730 1915\n", "\nEPARM(0) 15\n",
          "\nEGGPARM(0) 215\n", "\nSCH(0) 1\n"}) {
        EXPECT_NE(dump.find(heading), std::string::npos) << heading;
    }
    std::size_t start = 0;
    for (std::size_t end; (end = dump.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_LE(end - start, 80u) << dump.substr(start, end - start);
    }
}

class FaultySessionTest : public SimSessionTest {
  protected:
    FaultySessionTest() : SimSessionTest(FaultOptions{2, false, true, {}, {}}) {}
};

TEST_F(FaultySessionTest, GarbageBetweenFramesAndCloseAfterN) {
    const ControllerRecord vg{code::kInstVgTijd, 0, -1, 0, 0};
    for (int i = 0; i < 3; ++i)
        request(vg, CommandMode::Read);
    const auto out = frames();
    EXPECT_EQ(out.size(), 2u);  // the third is not sent: the connection is to end
    EXPECT_EQ(dropped, 2u);     // each frame followed by a partial one
    for (const auto& f : out)
        EXPECT_EQ(f.record.value, 60);
    EXPECT_TRUE(session.wantsClose());
}

TEST(SimOptions, CommandLine) {
    auto p = parseOptions({"--dir", "/x", "--port", "0", "--pty", "--reset-after", "3", "-v"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->directory, "/x");
    EXPECT_EQ(p.options->port, 0);
    EXPECT_TRUE(p.options->pty);
    EXPECT_EQ(p.options->faults.closeAfterFrames, 3);
    EXPECT_TRUE(p.options->faults.resetOnClose);
    EXPECT_TRUE(p.options->verbose);
    EXPECT_EQ(parseOptions({}).options->port, 7000);
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--port"}, {"--port", "70000"}, {"--port", "12x"}, {"--close-after", "0"}, {"-x"}}) {
        const auto r = parseOptions(bad);
        EXPECT_FALSE(r.options) << bad[0];
        EXPECT_EQ(r.exitCode, 2);
    }
    EXPECT_EQ(parseOptions({"--help"}).exitCode, 0);
}

}  // namespace
}  // namespace ctrlsim
