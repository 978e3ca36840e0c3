#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "veltro/monitor/trend_store.h"

namespace veltro::monitor {

// What the trend window draws, from the store's points.

// The shown span starts `minutes` before now, or later while the trend is
// younger, so that a new trend fills the width (ten seconds at least).
std::int64_t trendStart(const TrendStore& store, int minutes, std::int64_t nowMs);

struct PlotPoint {
    std::int64_t timeMs = 0;
    std::int32_t value = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A series' steps from `fromMs` to `nowMs`: each value holds until the next
// one begins, the last to now. The value in force at `fromMs` (the point
// before it) starts the line at the left edge.
std::vector<PlotPoint> trendSteps(const std::deque<TrendPoint>& points, std::int64_t fromMs,
                                  std::int64_t nowMs);

// The value axis for values from `low` to `high`: whole, round bounds just
// around the data with at most six intervals between them, not below 0 for
// data that is not (0..100 is drawn from 0 to 100, not from -50).
struct ValueAxis {
    std::int64_t low = 0;
    std::int64_t high = 1;
    int ticks = 2;  // labelled values, the bounds included
    friend bool operator==(const ValueAxis&, const ValueAxis&) = default;
};
ValueAxis valueAxis(std::int64_t low, std::int64_t high);

}  // namespace veltro::monitor
