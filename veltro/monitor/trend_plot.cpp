#include "veltro/monitor/trend_plot.h"

#include <algorithm>

namespace veltro::monitor {
namespace {

constexpr std::int64_t kShortestMs = 10000;
constexpr std::int64_t kMostIntervals = 6;

// The smallest of 1, 2, 5 times a power of ten that is at least `raw`.
std::int64_t niceStep(std::int64_t raw) {
    std::int64_t power = 1;
    while (true) {
        for (std::int64_t factor : {1, 2, 5}) {
            if (factor * power >= raw)
                return factor * power;
        }
        power *= 10;
    }
}

std::int64_t floorTo(std::int64_t value, std::int64_t step) {
    const std::int64_t q = value / step;
    return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

std::int64_t ceilTo(std::int64_t value, std::int64_t step) {
    const std::int64_t q = value / step;
    return (value % step != 0 && value > 0 ? q + 1 : q) * step;
}

}  // namespace

std::int64_t trendStart(const TrendStore& store, int minutes, std::int64_t nowMs) {
    std::int64_t first = nowMs - kShortestMs;
    for (const TrendSeries& series : store.series()) {
        if (!series.points.empty())
            first = std::min(first, series.points.front().timeMs);
    }
    return std::max(nowMs - std::int64_t{minutes} * 60000, first);
}

std::vector<PlotPoint> trendSteps(const std::deque<TrendPoint>& points, std::int64_t fromMs,
                                  std::int64_t nowMs) {
    std::vector<PlotPoint> steps;
    steps.reserve(points.size() * 2);
    for (std::size_t p = 0; p < points.size(); ++p) {
        const std::int64_t next = p + 1 < points.size() ? points[p + 1].timeMs : nowMs;
        if (next < fromMs)
            continue;  // over before the span began
        const std::int32_t value = points[p].value;
        steps.push_back({std::max(points[p].timeMs, fromMs), value});
        steps.push_back({next, value});
    }
    return steps;
}

ValueAxis valueAxis(std::int64_t low, std::int64_t high) {
    if (low > high)
        return {};
    if (low == high) {  // one value: room on both sides, not below 0 for values that are not
        low = low > 0 ? low - 1 : low - (low < 0 ? 1 : 0);
        high += 1;
    }
    const std::int64_t step =
        niceStep(std::max<std::int64_t>(1, (high - low + kMostIntervals - 1) / kMostIntervals));
    ValueAxis axis{floorTo(low, step), ceilTo(high, step), 0};
    axis.ticks = static_cast<int>((axis.high - axis.low) / step) + 1;
    return axis;
}

}  // namespace veltro::monitor
