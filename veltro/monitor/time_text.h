#pragma once

#include <cstdint>
#include <string>

namespace veltro::monitor {

// Times as the monitor and the value log write them, from milliseconds since
// the epoch and the local offset from UTC in minutes at that moment.
std::string clockText(std::int64_t timeMs, int offsetMinutes);  // 08:15:03.123
// ISO 8601 with milliseconds and the offset: 2026-12-08T08:15:03.123+01:00.
std::string isoText(std::int64_t timeMs, int offsetMinutes);

// The local offset from UTC at `timeMs`, by the C library's time zone.
// User-interface thread only (the C library's conversion is not reentrant).
int localOffsetMinutes(std::int64_t timeMs);

// The same, asked once an hour: offsets change on the hour.
class LocalOffset {
  public:
    int operator()(std::int64_t timeMs) {
        const std::int64_t hour = timeMs / 3600000;
        if (!m_known || hour != m_hour) {
            m_offset = localOffsetMinutes(timeMs);
            m_hour = hour;
            m_known = true;
        }
        return m_offset;
    }

  private:
    bool m_known = false;
    std::int64_t m_hour = 0;
    int m_offset = 0;
};

}  // namespace veltro::monitor
