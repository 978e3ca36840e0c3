#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "veltro/monitor/logged_item.h"

namespace veltro::monitor {

struct TrendPoint {
    std::int64_t timeMs = 0;
    std::int32_t value = 0;
};

// One plotted item: its values as steps, a point at each change.
struct TrendSeries {
    LoggedItem item;
    std::deque<TrendPoint> points;  // oldest first
};

// The values of the plotted items over the last minutes. A report that
// repeats the last value adds nothing (the step goes on), and each series
// keeps at most `maxPoints`, so memory stays bounded at any report rate.
// User-interface thread only.
class TrendStore {
  public:
    static constexpr std::int64_t kDefaultSpanMs = 60 * 60 * 1000;
    static constexpr std::size_t kDefaultMaxPoints = 20000;

    explicit TrendStore(std::int64_t spanMs = kDefaultSpanMs,
                        std::size_t maxPoints = kDefaultMaxPoints)
        : m_spanMs(spanMs), m_maxPoints(maxPoints) {}

    void setItems(std::vector<LoggedItem> items);
    // True when a series gained a point.
    bool take(const FrameEntry& entry);
    // Drops the points that left the span; the newest point of a series
    // stays, as it still holds the current value.
    void prune(std::int64_t nowMs);

    const std::vector<TrendSeries>& series() const { return m_series; }
    std::int64_t spanMs() const { return m_spanMs; }

  private:
    std::int64_t m_spanMs;
    std::size_t m_maxPoints;
    std::vector<TrendSeries> m_series;
    std::unordered_map<std::int32_t, std::size_t> m_byKey;
};

}  // namespace veltro::monitor
