#include "ctrlsim/parameter_overrides.h"

#include <gtest/gtest.h>

#include <vector>

#include "ctrlsim/sim_options.h"
#include "ctrlsim/sim_session.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/link/frame_decoder.h"
#include "veltro/link/frame_encoder.h"

namespace ctrlsim {
namespace {

using veltro::CommandMode;
using veltro::ControllerRecord;

struct Intersection {
    Intersection() {
        veltro::SilentMessages quiet;
        veltro::loadMacroDefinitions(table, quiet);
        table.add("SG02", 0);
        table.add("SG05", 1);
        for (int i = 0; i < 2; ++i) {
            elements.signalGroups[i].name = i == 0 ? "SG02" : "SG05";
            elements.signalGroups[i].arrayNumber = i;
            elements.signalGroups[i].source[veltro::sg_value::kVg] = 6.0 + i;
        }
        elements.signalGroups.count = 2;
    }
    veltro::DefinitionTable table;
    veltro::ElementTables elements;
};

TEST(ParameterOverrides, NamesResolveToTheObjectsOfTheFrames) {
    Intersection x;
    EXPECT_EQ(resolveParameterName("inst_VG_TIJD:SG05", x.table).key, (ObjectKey{320, 1, 0}));
    EXPECT_EQ(resolveParameterName("inst_O_TIJD:SG02:SG05", x.table).key, (ObjectKey{384, 0, 1}));
    EXPECT_EQ(resolveParameterName("inst_EPARM:12", x.table).key, (ObjectKey{32, 12, 0}));
    EXPECT_EQ(resolveParameterName("inst_MG_TIJD12:SG02", x.table).key, (ObjectKey{344, 0, 0}));
    for (const char* bad : {"inst_VG_TIJD", "inst_XX:SG02", "inst_VG_TIJD:SG99",
                            "inst_O_TIJD:SG02:SG99", "a:b:c:d"}) {
        const ResolvedName r = resolveParameterName(bad, x.table);
        EXPECT_FALSE(r.key) << bad;
        EXPECT_FALSE(r.error.empty()) << bad;
    }
    EXPECT_EQ(parseAssignment("inst_VG_TIJD:SG02=77"),
              (std::pair<std::string, std::int32_t>{"inst_VG_TIJD:SG02", 77}));
    EXPECT_EQ(parseAssignment("x=-3")->second, -3);
    EXPECT_FALSE(parseAssignment("inst_VG_TIJD:SG02"));
    EXPECT_FALSE(parseAssignment("inst_VG_TIJD:SG02=7x"));
}

TEST(ParameterOverrides, SetIgnoreAndRejectInASession) {
    Intersection x;
    const ParsedOptions parsed =
        parseOptions({"--set", "inst_VG_TIJD:SG02=77", "--ignore", "inst_VG_TIJD:SG05", "--reject",
                      "inst_VG_TIJD:SG02", "--set", "inst_GL_TIJD:SG05=5"});
    ASSERT_TRUE(parsed.options) << parsed.message;
    SimOptions o = *parsed.options;
    SimModel model(x.elements);
    ASSERT_FALSE(applyOverrides(o.overrides, x.table, model, o.faults.ignored, o.faults.rejected));
    EXPECT_EQ(model.value({320, 0, 0}), 77);
    EXPECT_EQ(model.value({325, 1, 0}), 5);

    std::vector<ControllerRecord> replies;
    veltro::link::FrameDecoder decoder(
        [&](const veltro::link::DecodedFrame& f) { replies.push_back(f.record); });
    SimSession session(model, o.faults, [&](auto bytes) { decoder.feed(bytes); });
    const auto send = [&](ControllerRecord r, CommandMode mode) {
        session.received(veltro::link::encodeFrame(r, mode).bytes(), {});
    };
    // As the tools send them: second index 0.
    send({320, 0, 0, 0, 65}, CommandMode::Write);  // rejected
    send({320, 1, 0, 0, 66}, CommandMode::Write);
    send({320, 0, 0, 0, 0}, CommandMode::Read);
    send({320, 1, 0, 0, 0}, CommandMode::Read);  // ignored
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].index, 0);
    EXPECT_EQ(replies[0].value, 77);
    EXPECT_EQ(model.value({320, 1, 0}), 66);

    o.overrides.reject = {"inst_VG_TIJD:SG77"};
    const auto error =
        applyOverrides(o.overrides, x.table, model, o.faults.ignored, o.faults.rejected);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("SG77"), std::string::npos);
    EXPECT_FALSE(parseOptions({"--set", "inst_VG_TIJD:SG02"}).options);
    EXPECT_FALSE(parseOptions({"--ignore"}).options);
    EXPECT_FALSE(parseOptions({"--dir", ""}).options);  // not the sample in its place
}

}  // namespace
}  // namespace ctrlsim
