#include "veltro/tools/value_conversion.h"

#include <cmath>
#include <limits>

namespace veltro::tools {

namespace {
constexpr double kWholeTolerance = 1e-6;
}

std::int32_t toControllerUnits(double source, int scale) {
    const double scaled = source * scale;
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(scaled))
        return 0;
    if (scaled <= kLow)
        return std::numeric_limits<std::int32_t>::min();
    if (scaled >= kHigh)
        return std::numeric_limits<std::int32_t>::max();
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < kWholeTolerance)
        return static_cast<std::int32_t>(nearest);
    return static_cast<std::int32_t>(std::trunc(scaled));
}

std::int32_t sourceInControllerUnits(const ParameterRef& p) {
    return p.integer ? p.integerSource : toControllerUnits(p.source, scaleOf(p.category));
}

bool differs(const ParameterRef& p, std::int32_t controllerValue) {
    if (p.integer)
        return p.integerSource != controllerValue;
    return std::fabs(p.source * scaleOf(p.category) - controllerValue) > 0.1;
}

std::int32_t shownControllerValue(const ParameterRef& p, std::int32_t controllerValue) {
    return p.integer ? controllerValue : controllerValue / scaleOf(p.category);
}

}  // namespace veltro::tools
