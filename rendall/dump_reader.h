#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rendall/errors.h"

namespace rendall {

inline constexpr std::size_t kMaxDumpChars = 120000;
inline constexpr std::size_t kMaxDumpLine = 80;
inline constexpr std::size_t kMaxReportedLine = 300;

// Capacities of the value tables.
inline constexpr std::size_t kMaxClocks = 1000;
inline constexpr std::size_t kMaxExtraParameters = 5000;
inline constexpr std::size_t kMaxSwitches = 1000;
inline constexpr std::size_t kMaxTimes = 1000;
inline constexpr std::size_t kMaxAuxiliaryFunctions = 1000;

struct ClockEntry {
    char status = ' ';
    std::int32_t moment1 = 0;
    std::int32_t moment2 = 0;
};

struct TimeEntry {
    char status = ' ';
    std::int32_t setting = 0;
    std::int32_t running = 0;
};

// The values of the dump in order of appearance, read before the text is
// converted. The auxiliary function lines give a character and a counter each.
struct DumpValues {
    std::vector<ClockEntry> clocks;
    std::vector<std::int32_t> extraParameters;
    bool hasExtraIntegerParameters = false;
    std::vector<std::int32_t> extraIntegerParameters;
    std::vector<char> switches;
    std::vector<TimeEntry> times;
    std::vector<char> auxiliaryFunctions;
    std::vector<std::int32_t> counters;
};

// Turns the bytes of the dump file into the dump text: from "ALGEMEEN" up to
// "EINDE DUMP". `dumpName` is used in the messages.
Error extractDumpText(std::string_view fileBytes, std::string_view dumpName, std::string& text);

// Reads the value lines behind each heading of the dump text.
Error readDumpValues(std::string_view text, std::string_view dumpName, DumpValues& values);

}  // namespace rendall
