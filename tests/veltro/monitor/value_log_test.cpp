#include "veltro/monitor/value_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/monitor_hub.h"
#include "veltro/monitor/trend_store.h"

namespace veltro::monitor {
namespace {

FrameEntry report(std::int64_t time, int code, int index, int second, int value,
                  CommandMode mode = CommandMode::Write,
                  FrameDirection direction = FrameDirection::In) {
    const link::EncodedFrame f = link::encodeFrame({code, index, second, 0, value}, mode);
    FrameEntry e;
    e.timeMs = time;
    e.direction = direction;
    e.length = static_cast<std::uint8_t>(f.size());
    std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
    return e;
}

// A window with "Groen fc02 [VG_TIJD fc02]  Wacht, rood [WR fc05]" on row 1
// and an item without text before it on row 2.
DebugScreen sampleScreen() {
    DebugScreen screen("/project/DEBUG_001.PLO");
    screen.addText({"Groen", 0, 1});
    screen.addText({"fc02", 6, 1});
    screen.addText({"rood", 28, 1});
    screen.addText({"Wacht,", 21, 1});
    screen.addText({":", 9, 1});
    auto item = [&](int code, int first, int block, int column, int row) {
        DebugItem& it = screen.addItem();
        it.functionCode = code;
        it.firstElement = first;
        it.block = block;
        it.column = column;
        it.row = row;
        it.itemNumber = it.index + 1;
        it.hasControl = true;
    };
    item(288, 2, -1, 11, 1);
    item(256, 5, -1, 33, 1);
    item(192, 2, 3, 0, 2);
    screen.buildIndex();
    return screen;
}

FrameNames sampleNames() {
    FrameNames names;
    auto tables = std::make_unique<ElementTables>();
    tables->signalGroups[0].name = "fc02";
    tables->signalGroups[0].arrayNumber = 2;
    tables->signalGroups.count = 1;
    names.setElements(*tables);
    return names;
}

using test_support::fileLines;

TEST(LoggedItems, NameTheWindowLabelMacroAndElementOfEachItem) {
    const DebugScreen screen = sampleScreen();
    const std::vector<LoggedItem> all = loggedItems(screen, {}, sampleNames());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].window, "DEBUG_001.PLO");
    EXPECT_EQ(all[0].label, "Groen fc02");
    EXPECT_EQ(all[0].macro, "VG_TIJD");
    EXPECT_EQ(all[0].element, "fc02");
    // Only the words after the previous item on the row, in column order.
    EXPECT_EQ(all[1].label, "Wacht, rood");
    EXPECT_EQ(all[1].element, "5");
    EXPECT_EQ(all[2].label, "AR fc02 3");  // no text before it: named by what it shows
    EXPECT_EQ(all[2].element, "fc02 3");
    const std::vector<LoggedItem> chosen = loggedItems(screen, {1}, sampleNames());
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].macro, "WR");
}

TEST(ValueLog, WritesOneLinePerReportedValueOfALoggedItem) {
    test_support::TempDir dir;
    const std::string path = (dir / "waarden.csv").string();
    ValueLog log;
    ASSERT_EQ(log.open(path, 0), std::nullopt);
    log.setItems(loggedItems(sampleScreen(), {}, sampleNames()));
    const std::int64_t t = 1796732103123;  // 12:15:03.123 UTC: the same date nearly everywhere
    log.take(report(t, 288, 2, -1, 37));
    log.take(report(t + 1, 288, 3, -1, 1));  // no item for fc03
    log.take(report(t + 2, 288, 2, -1, 0, CommandMode::Read));
    log.take(report(t + 3, 288, 2, -1, 5, CommandMode::Write, FrameDirection::Out));
    log.take(report(t + 4, 192, 2, 3, 1));
    log.take(report(t + 5, 256, 5, -1, 0));
    EXPECT_EQ(log.lines(), 3u);
    ASSERT_EQ(log.close(), std::nullopt);
    const std::vector<std::string> lines = fileLines(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "tijd,venster,item,macro,element,waarde");
    // The time is local; everything after it is fixed.
    EXPECT_EQ(lines[1].substr(0, 11), "2026-12-08T");
    EXPECT_EQ(lines[1].substr(19, 4), ".123");
    EXPECT_EQ(lines[1].substr(29), ",DEBUG_001.PLO,Groen fc02,VG_TIJD,fc02,37");
    EXPECT_EQ(lines[2].substr(29), ",DEBUG_001.PLO,AR fc02 3,AR,fc02 3,1");
    EXPECT_EQ(lines[3].substr(29), ",DEBUG_001.PLO,\"Wacht, rood\",WR,5,0");
}

TEST(ValueLog, WhatIsWrittenReachesTheFileWithinASecond) {
    test_support::TempDir dir;
    const std::string path = (dir / "waarden.csv").string();
    ValueLog log;
    ASSERT_EQ(log.open(path, 10000), std::nullopt);
    log.setItems(loggedItems(sampleScreen(), {0}, sampleNames()));
    log.take(report(10100, 288, 2, -1, 1));
    log.tick(10999);
    EXPECT_EQ(fileLines(path).size(), 1u);  // still buffered
    log.tick(11000);
    EXPECT_EQ(fileLines(path).size(), 2u);
    // A steady stream is flushed by its own reports too, with no tick.
    for (std::int64_t t = 11001; t <= 12101; t += 100)
        log.take(report(t, 288, 2, -1, static_cast<int>(t)));
    EXPECT_GE(fileLines(path).size(), 11u);
    // A file that cannot be made is an error, and nothing is logged.
    ValueLog bad;
    const auto error = bad.open((dir / "missing/waarden.csv").string(), 0);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("missing/waarden.csv"), std::string::npos);
    EXPECT_FALSE(bad.isOpen());
}

// The headless watch writes the same lines to a stream it owns; a stream
// that refuses them ends the log with an error instead of losing lines
// silently.
TEST(ValueLog, WritesTheSameLinesToAnyStreamAndStopsAtAWriteError) {
    const std::int64_t t = 1796732103123;
    const ControllerRecord vg{288, 2, -1, 0, 37};
    std::ostringstream fresh;
    std::ostringstream more;
    ValueLog log;
    log.setItems(loggedItems(sampleScreen(), {}, sampleNames()));
    EXPECT_TRUE(log.logs(vg));
    EXPECT_FALSE(log.logs({288, 3, -1, 0, 1}));
    for (std::ostringstream* out : {&fresh, &more}) {
        log.start(*out, "uit", t, out == &fresh);  // adding to a log: no second title
        log.record(vg, t);
        log.record({288, 3, -1, 0, 1}, t);  // no item for fc03
        log.take(report(t + 1, 192, 2, 3, 1));
        EXPECT_EQ(log.close(), std::nullopt);
        EXPECT_EQ(log.lines(), 2u);
    }
    const std::string lines = fresh.str();
    EXPECT_EQ(lines.substr(0, 39), "tijd,venster,item,macro,element,waarde\n");
    EXPECT_EQ(lines.substr(39 + 29, 42), ",DEBUG_001.PLO,Groen fc02,VG_TIJD,fc02,37\n");
    EXPECT_EQ(more.str(), lines.substr(39));

    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    log.start(broken, "uit.csv", t);
    EXPECT_EQ(log.error(), "Kan uit.csv niet schrijven.");
    log.record(vg, t + 2000);
    EXPECT_EQ(log.lines(), 0u);
    EXPECT_EQ(log.close(), "Kan uit.csv niet schrijven.");
}

// Values that the link took before the log was stopped, but that were still
// queued for the user-interface thread, belong in the log.
TEST(ValueLog, WhatWasQueuedWhenTheLogStopsStillReachesIt) {
    FrameTapSlot slot;
    const std::int64_t now = 1796732103123;
    std::ostringstream out;  // outlives the log
    MonitorHub hub(slot, [&] { return now; });
    hub.log().start(out, "uit", now);
    hub.log().setItems(loggedItems(sampleScreen(), {}, sampleNames()));
    for (const bool trendToo : {true, false}) {
        hub.setUse(MonitorHub::kTrend, trendToo);
        hub.setUse(MonitorHub::kLog, true);
        const link::EncodedFrame f = link::encodeFrame({288, 2, -1, 0, 37}, CommandMode::Write);
        const std::vector<std::uint8_t> bytes(f.bytes().begin(), f.bytes().end());
        slot.use([&](FrameTap& tap) { tap.bytesIn(bytes); });
        hub.setUse(MonitorHub::kLog, false);  // with or without another use left
        hub.setUse(MonitorHub::kTrend, false);
    }
    EXPECT_EQ(hub.log().lines(), 2u);
    EXPECT_FALSE(slot.attached());
}

TEST(CsvField, QuotesWhatWouldBreakTheLine) {
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
}

TEST(TrendStore, KeepsStepsOfTheLastMinutesWithinItsBound) {
    TrendStore store(60000, 3);
    store.setItems(loggedItems(sampleScreen(), {0, 1}, sampleNames()));
    ASSERT_EQ(store.series().size(), 2u);
    EXPECT_TRUE(store.take(report(1000, 288, 2, -1, 5)));
    EXPECT_FALSE(store.take(report(1100, 288, 2, -1, 5)));  // the step goes on
    EXPECT_FALSE(store.take(report(1200, 288, 9, -1, 5)));  // not plotted
    EXPECT_TRUE(store.take(report(1300, 256, 5, -1, 1)));
    for (int v = 6; v <= 9; ++v)
        store.take(report(1000 + v * 100, 288, 2, -1, v));
    const auto& points = store.series()[0].points;
    ASSERT_EQ(points.size(), 3u);  // the bound drops the oldest
    EXPECT_EQ(points.front().value, 7);
    // Points that left the span go, but the current value stays.
    store.prune(200000);
    ASSERT_EQ(store.series()[0].points.size(), 1u);
    EXPECT_EQ(store.series()[0].points.front().value, 9);
    EXPECT_EQ(store.series()[1].points.size(), 1u);
}

}  // namespace
}  // namespace veltro::monitor
