#include "veltro/monitor/time_text.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace veltro::monitor {
namespace {

struct Civil {
    int year, month, day, hour, minute, second, millisecond;
};

Civil civil(std::int64_t timeMs, int offsetMinutes) {
    using namespace std::chrono;
    const sys_time<milliseconds> t{milliseconds(timeMs + std::int64_t{offsetMinutes} * 60000)};
    const sys_days day = floor<days>(t);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> clock{t - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
}

}  // namespace

std::string clockText(std::int64_t timeMs, int offsetMinutes) {
    const Civil c = civil(timeMs, offsetMinutes);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", c.hour, c.minute, c.second,
                  c.millisecond);
    return text;
}

std::string isoText(std::int64_t timeMs, int offsetMinutes) {
    const Civil c = civil(timeMs, offsetMinutes);
    const char sign = offsetMinutes < 0 ? '-' : '+';
    const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", c.year,
                  c.month, c.day, c.hour, c.minute, c.second, c.millisecond, sign, offset / 60,
                  offset % 60);
    return text;
}

int localOffsetMinutes(std::int64_t timeMs) {
    const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm local = *std::localtime(&seconds);
    std::tm utc = *std::gmtime(&seconds);
    // Both read back as if they were local: their difference is the offset.
    local.tm_isdst = 0;
    utc.tm_isdst = 0;
    const double difference = std::difftime(std::mktime(&local), std::mktime(&utc));
    return static_cast<int>(difference / 60);
}

}  // namespace veltro::monitor
