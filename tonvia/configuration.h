#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tonvia {

inline constexpr const char* kVersion = "1.0";

inline constexpr const char* kDefinitionFile = "ZXAPDEF.H";
inline constexpr const char* kTableFile = "ZXAPTAB.C";
inline constexpr const char* kConfilFile = "CONFIL";

inline constexpr std::size_t kMaxSignalGroups = 999;
inline constexpr std::size_t kMaxDetectors = 999;

struct Detector {
    std::int32_t signalGroup = 0;
    std::int32_t sequence = 0;
    std::int32_t type = 0;  // 1 DS, 2 DV, 3 DP, 4 DA, 5 DK

    bool operator==(const Detector&) const = default;
};

// What CONFIL is made of, in reading order.
struct Configuration {
    std::int32_t controllerNumber = 1;
    std::vector<std::int32_t> signalGroups;
    std::vector<Detector> detectors;
};

}  // namespace tonvia
