#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltro::monitor {

// What VELTRO_OPEN asks veltro to open as it starts, for pictures,
// demonstrations and long runs: "monitor", "trend" (of the shown window's
// first three number fields) or "trend:N,M" (of its fields N and M), and
// "log:PATH" (the value log of the shown window into PATH); several words
// are separated by ';' ("monitor;log:/tmp/waarden.csv").
struct OpenRequest {
    enum class What { Nothing, Monitor, Trend };
    What what = What::Nothing;
    std::vector<int> fields;  // the trend's field numbers; empty: the first number fields
    std::string logPath;      // empty: no log
};
OpenRequest parseOpenRequest(std::string_view text);

}  // namespace veltro::monitor
