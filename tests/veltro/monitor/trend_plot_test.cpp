// What the trend draws: the steps up to now from the value in force at the
// left edge, and a value axis around the data.
#include "veltro/monitor/trend_plot.h"

#include <gtest/gtest.h>

#include <vector>

#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/item_choice.h"
#include "veltro/monitor/open_request.h"

namespace veltro::monitor {
namespace {

FrameEntry report(std::int64_t time, int value) {
    const link::EncodedFrame f = link::encodeFrame({288, 2, -1, 0, value}, CommandMode::Write);
    FrameEntry e;
    e.timeMs = time;
    e.length = static_cast<std::uint8_t>(f.size());
    std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
    return e;
}

// A store of one series with a span of a minute, fed the points given.
TrendStore storeWith(const std::vector<TrendPoint>& points) {
    TrendStore store(60000, 100);
    LoggedItem item;
    item.key = reportKey({288, 2, -1, 0, 0});
    store.setItems({item});
    for (const TrendPoint& p : points)
        store.take(report(p.timeMs, p.value));
    return store;
}

using Kept = std::vector<std::pair<std::int64_t, std::int32_t>>;

Kept pointsOf(const TrendStore& store) {
    Kept kept;
    for (const TrendPoint& p : store.series().front().points)
        kept.emplace_back(p.timeMs, p.value);
    return kept;
}

// The left edge of the span: what stands there is the value of the last
// point before it, so that point stays until the next one is inside too.
TEST(TrendStore, KeepsTheValueInForceAtTheStartOfTheSpan) {
    struct Row {
        const char* what;
        std::vector<TrendPoint> fed;
        std::int64_t now;
        Kept kept;
    };
    const Row table[] = {
        {"the value of before the span holds at its start",
         {{1000, 5}, {70000, 9}},
         100000,  // the span starts at 40000
         {{1000, 5}, {70000, 9}}},
        {"older points than that one go",
         {{1000, 3}, {2000, 5}, {70000, 9}},
         100000,
         {{2000, 5}, {70000, 9}}},
        {"a point exactly at the start holds there itself",
         {{1000, 5}, {40000, 9}},
         100000,
         {{40000, 9}}},
        {"a point just after the start still needs the one before it",
         {{1000, 5}, {40001, 9}},
         100000,
         {{1000, 5}, {40001, 9}}},
        {"all before the span: the last value still holds",
         {{1000, 5}, {2000, 9}},
         100000,
         {{2000, 9}}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        TrendStore store = storeWith(row.fed);
        store.prune(row.now);
        EXPECT_EQ(pointsOf(store), row.kept);
        // Drawn, the line starts at the left edge with the value in force there.
        const std::vector<PlotPoint> steps =
            trendSteps(store.series().front().points, row.now - 60000, row.now);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.front().timeMs, row.now - 60000);
        EXPECT_LE(row.kept.front().first, row.now - 60000);
        EXPECT_EQ(steps.front().value, row.kept.front().second)
            << "the line must start with the value in force at the span's start";
    }
}

TEST(TrendSteps, EachValueHoldsUntilTheNextAndTheLastUntilNow) {
    const std::deque<TrendPoint> points{{1000, 5}, {3000, 7}, {6000, 2}};
    struct Row {
        std::int64_t from;
        std::vector<PlotPoint> steps;
    };
    const Row table[] = {
        {0, {{1000, 5}, {3000, 5}, {3000, 7}, {6000, 7}, {6000, 2}, {9000, 2}}},
        {2000, {{2000, 5}, {3000, 5}, {3000, 7}, {6000, 7}, {6000, 2}, {9000, 2}}},
        {3000, {{3000, 5}, {3000, 5}, {3000, 7}, {6000, 7}, {6000, 2}, {9000, 2}}},
        {7000, {{7000, 2}, {9000, 2}}},
    };
    for (const Row& row : table)
        EXPECT_EQ(trendSteps(points, row.from, 9000), row.steps) << "from " << row.from;
    EXPECT_TRUE(trendSteps({}, 0, 9000).empty());

    // A young trend fills the width from its first point, ten seconds at least.
    TrendStore store = storeWith({{95000, 1}});
    EXPECT_EQ(trendStart(store, 5, 100000), 90000);
    store = storeWith({{50000, 1}});
    EXPECT_EQ(trendStart(store, 5, 100000), 50000);
    EXPECT_EQ(trendStart(store, 5, 1000000), 1000000 - 5 * 60000);
}

TEST(ValueAxis, RoundBoundsJustAroundTheData) {
    struct Row {
        std::int64_t low, high;
        ValueAxis axis;
    };
    const Row table[] = {
        {0, 100, {0, 100, 6}},                         // not from -50
        {3, 97, {0, 100, 6}},      {0, 1, {0, 1, 2}},  // an on/off field
        {0, 0, {0, 1, 2}},                             // one value: room above it, not below 0
        {5, 5, {4, 6, 3}},         {-3, -3, {-4, -2, 3}},    {500, 520, {500, 520, 5}},
        {0, 11999, {0, 12000, 7}}, {-1, 100, {-20, 100, 7}}, {1, 0, {0, 1, 2}},  // no data
    };
    for (const Row& row : table)
        EXPECT_EQ(valueAxis(row.low, row.high), row.axis) << row.low << ".." << row.high;
}

TEST(OpenRequest, MonitorOrATrendOfFields) {
    EXPECT_EQ(parseOpenRequest("monitor").what, OpenRequest::What::Monitor);
    EXPECT_EQ(parseOpenRequest("").what, OpenRequest::What::Nothing);
    EXPECT_EQ(parseOpenRequest("trendy").what, OpenRequest::What::Nothing);
    EXPECT_EQ(parseOpenRequest("Monitor").what, OpenRequest::What::Nothing);
    const OpenRequest trend = parseOpenRequest("trend");
    EXPECT_EQ(trend.what, OpenRequest::What::Trend);
    EXPECT_TRUE(trend.fields.empty());
    EXPECT_EQ(parseOpenRequest("trend:2,14").fields, (std::vector<int>{2, 14}));
    EXPECT_EQ(parseOpenRequest("trend:2,x,,7").fields, (std::vector<int>{2, 7}));

    const OpenRequest both = parseOpenRequest("monitor;log:/tmp/a b/w.csv");
    EXPECT_EQ(both.what, OpenRequest::What::Monitor);
    EXPECT_EQ(both.logPath, "/tmp/a b/w.csv");
    EXPECT_EQ(parseOpenRequest("log:w.csv;trend:3").fields, (std::vector<int>{3}));
    EXPECT_TRUE(parseOpenRequest("log").logPath.empty());
    EXPECT_TRUE(parseOpenRequest("monitor;").logPath.empty());

    DebugScreen screen("s");
    for (int n = 1; n <= 5; ++n) {
        DebugItem& item = screen.addItem();
        item.functionCode = 288;
        item.onOff = n == 2 ? 1 : 0;  // a check box
        item.itemNumber = n;
        item.hasControl = true;
        item.row = n;
    }
    screen.buildIndex();
    EXPECT_EQ(trendItems(screen, {}), (std::vector<int>{0, 2, 3}));  // the first number fields
    EXPECT_EQ(trendItems(screen, {2, 5, 9}), (std::vector<int>{1, 4}));
}

}  // namespace
}  // namespace veltro::monitor
