#include "veltro/tools/parameter_store.h"

#include <gtest/gtest.h>

#include "support/veltro/tool_tables.h"

namespace veltro::tools {
namespace {

TEST(ParameterStore, IntakeFindsTheSlotByCodeAndIndex) {
    auto t = test_support::sampleTables();
    ParameterStore store(*t);
    const struct {
        ControllerRecord record;
        const ControllerValue* slot;
    } cases[] = {
        {{320, 2, 0, 0, 45}, &t->signalGroups[2].controller[sg_value::kVg]},
        {{325, 0, 0, 0, 30}, &t->signalGroups[0].controller[sg_value::kGl]},
        {{326, 0, 0, 0, 100}, &t->signalGroups[0].controller[sg_value::kMg]},
        {{331, 0, 0, 0, 1}, &t->signalGroups[0].controller[sg_value::mg(1)]},
        {{336, 0, 0, 0, 6}, &t->signalGroups[0].controller[sg_value::mg(6)]},
        {{339, 0, 0, 0, 7}, &t->signalGroups[0].controller[sg_value::mg(7)]},
        {{344, 2, 0, 0, 12}, &t->signalGroups[2].controller[sg_value::mg(12)]},
        {{465, 11, 0, 0, 35}, &t->detectors[1].controller[det_value::kHTijd1]},
        {{466, 10, 0, 0, 36}, &t->detectors[0].controller[det_value::kHTijd2]},
        {{463, 10, 0, 0, 10}, &t->detectors[0].controller[det_value::kBztTijd]},
        {{34, 1, 0, 0, 130}, &t->times[1].controller},
        {{450, 1, 0, 0, 830}, &t->clocks[1].controller[0]},
        {{451, 0, 0, 0, 915}, &t->clocks[0].controller[1]},
        {{420, 1, 0, 0, 1}, &t->switches[1].controller},
        {{33, 0, 0, 0, 40}, &t->intParameters[0].controller},
        {{32, 1, 0, 0, 25}, &t->parameters[1].controller},
        {{384, 2, 0, 0, 45}, &t->conflicts[1].controller},
    };
    for (const auto& c : cases) {
        store.deliver(c.record);
        EXPECT_TRUE(c.slot->received()) << c.record.functionCode;
        EXPECT_EQ(c.slot->value(), c.record.value) << c.record.functionCode;
    }
    // Codes 337, 338 lie between the MG blocks; other codes and unknown
    // indexes are ignored, and so is a clearance time with another to-index.
    ParameterStore fresh(*test_support::sampleTables());
    for (ControllerRecord r :
         {ControllerRecord{337, 0, 0, 0, 1}, ControllerRecord{338, 0, 0, 0, 1},
          ControllerRecord{321, 0, 0, 0, 1}, ControllerRecord{320, 9, 0, 0, 1},
          ControllerRecord{384, 0, 1, 0, 1}}) {
        fresh.deliver(r);
    }
    EXPECT_FALSE(fresh.originalKnown());
}

TEST(ParameterStore, FirstReportIsTheOriginalLatestIsFreshPerRound) {
    auto t = test_support::sampleTables();
    // A second entry with the same array number is never chosen.
    t->times[1].arrayNumber = 0;
    ParameterStore store(*t);
    const ControllerValue& v = t->times[0].controller;
    EXPECT_FALSE(store.originalKnown());
    const std::uint32_t first = store.readRound();
    store.deliver({34, 0, 0, 0, 120});
    EXPECT_TRUE(store.originalKnown());
    EXPECT_FALSE(t->times[1].controller.received());

    const std::uint32_t second = store.beginReadRound();
    EXPECT_EQ(second, first + 1);
    EXPECT_FALSE(v.reportedIn(second));
    EXPECT_TRUE(v.reportedIn(first));
    store.deliver({34, 0, 0, 0, 125});
    store.deliver({34, 0, 0, 0, 126});
    EXPECT_EQ(v.value(), 120);  // the remembered original stays
    EXPECT_TRUE(v.reportedIn(second));
    EXPECT_EQ(v.latest(), 126);  // the last report wins
    EXPECT_FALSE(v.reportedIn(0));
}

TEST(ParameterStore, IndexFollowsTheTablesWhenRebuilt) {
    auto t = test_support::sampleTables();
    ParameterStore store(*t);
    t->times[0].arrayNumber = 7;
    store.deliver({34, 7, 0, 0, 1});
    EXPECT_FALSE(t->times[0].controller.received());
    store.rebuildIndex();
    store.deliver({34, 7, 0, 0, 1});
    EXPECT_TRUE(t->times[0].controller.received());
    // Entries beyond the count are not looked at.
    t->times[5].arrayNumber = 5;
    store.rebuildIndex();
    store.deliver({34, 5, 0, 0, 1});
    EXPECT_FALSE(t->times[5].controller.received());
}

}  // namespace
}  // namespace veltro::tools
