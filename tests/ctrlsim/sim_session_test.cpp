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
    e.signalGroups[0].source[veltro::sg_value::Vg] = 6.0;
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
        {{code::InstVgTijd, 0, 0}, 60}, {{339, 0, 0}, 25},  // MG time 7
        {{code::InstKl1, 0, 0}, 730},   {{code::InstKl2, 0, 0}, 1915},
        {{code::InstEparm, 0, 0}, 15},  {{code::InstEggparm, 0, 0}, 215},
        {{code::Sch, 0, 0}, 1},         {{code::InstHTijd1, 0, 0}, 20},
        {{code::InstBTijd, 0, 0}, 5},   {{code::InstOTijd, 0, 1}, 35},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(model.value(key), value) << std::get<0>(key);
    }
    EXPECT_FALSE(model.has({code::InstHTijd2, 0, 0}));  // not set in the source
}

TEST(SimModel, FixedTimeCycleGivesGreenToOneGroupAfterTheOther) {
    const auto elements = smallIntersection();
    SimModel model(elements);
    const struct {
        std::chrono::milliseconds at;
        int green0, amber0, green1;
    } steps[] = {{0ms, 1, 0, 0}, {4500ms, 0, 1, 0}, {6500ms, 0, 0, 1}, {12500ms, 1, 0, 0}};
    for (const auto& s : steps) {
        model.advance(s.at, 0);
        EXPECT_EQ(model.value({code::StateG, 0, 0}), s.green0) << s.at.count();
        EXPECT_EQ(model.value({code::StateGl, 0, 0}), s.amber0) << s.at.count();
        EXPECT_EQ(model.value({code::StateR, 0, 0}), !s.green0 && !s.amber0) << s.at.count();
        EXPECT_EQ(model.value({code::StateG, 1, 0}), s.green1) << s.at.count();
    }
    EXPECT_EQ(model.value({code::RondeTeller, 0, 0}), 1);
}

TEST_F(SimSessionTest, ReadAnswersWriteStoresAndOnOffValuesSurvive) {
    request({code::InstVgTijd, 0, -1, 0, 0}, CommandMode::Read);
    request({code::InstKl1, 0, -1, 0, 0}, CommandMode::Write);  // value 0 written
    request({code::InstVgTijd, 0, -1, 0, 75}, CommandMode::Write);
    request({code::InstVgTijd, 0, -1, 0, 0}, CommandMode::Read);
    request({code::StateG, 0, -1, 0, 0}, CommandMode::Read);  // green now: 1
    request({code::InstOTijd, 0, 1, 0, 0}, CommandMode::Read);
    const auto out = frames();
    ASSERT_EQ(out.size(), 4u);
    for (const auto& f : out)
        EXPECT_EQ(f.mode, CommandMode::Write);
    EXPECT_EQ(out[0].record, (ControllerRecord{code::InstVgTijd, 0, 0, 0, 60}));
    EXPECT_EQ(out[1].record.value, 75);
    // A one travels in the index byte; a second index the group lacks would hide it.
    EXPECT_EQ(out[2].record, (ControllerRecord{code::StateG, 0, 0, 0, 1}));
    EXPECT_EQ(out[3].record, (ControllerRecord{code::InstOTijd, 0, 1, 0, 35}));
    EXPECT_EQ(model.value({code::InstKl1, 0, 0}), 0);
}

TEST_F(SimSessionTest, ContinuousReportsOnChangeAndEvery500msUntilStop) {
    const SimSession::Clock::time_point t0{};
    const ControllerRecord vg{code::InstVgTijd, 0, -1, 0, 0};
    request(vg, CommandMode::Continuous, t0);
    session.pump(t0);
    EXPECT_EQ(frames().size(), 1u);
    session.pump(t0 + 100ms);
    EXPECT_EQ(frames().size(), 0u);
    model.setValue({code::InstVgTijd, 0, 0}, 80);
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
    model.setValue({code::InstEparm, 0, 0}, 999);  // after M: not in the dump
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
    FaultySessionTest() : SimSessionTest(FaultOptions{2, false, true}) {}
};

TEST_F(FaultySessionTest, GarbageBetweenFramesAndCloseAfterN) {
    const ControllerRecord vg{code::InstVgTijd, 0, -1, 0, 0};
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
