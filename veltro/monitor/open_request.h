#pragma once

#include <string_view>
#include <vector>

namespace veltro::monitor {

// What VELTRO_OPEN asks veltro to open as it starts, for pictures and
// demonstrations: "monitor", "trend" (of the shown window's first three
// number fields) or "trend:N,M" (of its fields N and M).
struct OpenRequest {
    enum class What { Nothing, Monitor, Trend };
    What what = What::Nothing;
    std::vector<int> fields;  // the trend's field numbers; empty: the first number fields
};
OpenRequest parseOpenRequest(std::string_view text);

}  // namespace veltro::monitor
