#include "veltro/monitor/trend_store.h"

namespace veltro::monitor {

void TrendStore::setItems(std::vector<LoggedItem> items) {
    m_series.clear();
    m_byKey.clear();
    for (LoggedItem& item : items) {
        if (m_byKey.emplace(item.key, m_series.size()).second)
            m_series.push_back(TrendSeries{std::move(item), {}});
    }
}

bool TrendStore::take(const FrameEntry& entry) {
    const std::optional<ControllerRecord> record = reportedValue(entry);
    if (!record)
        return false;
    const auto it = m_byKey.find(reportKey(*record));
    if (it == m_byKey.end())
        return false;
    std::deque<TrendPoint>& points = m_series[it->second].points;
    if (!points.empty() && points.back().value == record->value)
        return false;
    points.push_back({entry.timeMs, record->value});
    if (points.size() > m_maxPoints)
        points.pop_front();
    return true;
}

void TrendStore::prune(std::int64_t nowMs) {
    const std::int64_t oldest = nowMs - m_spanMs;
    for (TrendSeries& series : m_series) {
        // A point still counts while the next one starts inside the span.
        while (series.points.size() > 1 && series.points[1].timeMs <= oldest)
            series.points.pop_front();
    }
}

}  // namespace veltro::monitor
