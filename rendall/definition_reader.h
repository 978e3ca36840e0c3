#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rendall/errors.h"

namespace rendall {

inline constexpr std::size_t kMaxDefinitions = 5000;
inline constexpr std::size_t kMaxNameLength = 31;
inline constexpr std::size_t kMaxValueText = 30;

struct Definition {
    std::string name;
    std::int32_t value = 0;
};

// The ten sections of the header, in the order of the section table.
enum SectionId : int {
    kBlocks,
    kSignalGroups,
    kDetectors,
    kTimes,
    kAuxiliaryFunctions,
    kClocks,
    kSwitches,
    kCounters,
    kExtraParameters,
    kExtraIntegerParameters,
    kSectionCount
};

enum class SectionState { NotSeen, Seen, Complete };

struct Section {
    SectionState state = SectionState::NotSeen;
    int first = 0;  // positions in the definitions list, both inclusive
    int last = -1;
    std::optional<std::int32_t> count;
};

struct SectionInfo {
    std::string_view keyword;    // searched for in comment lines
    std::string_view countName;  // the #define that closes the section
};

const std::array<SectionInfo, kSectionCount>& sectionInfos();

struct Definitions {
    std::vector<Definition> list;
    std::array<Section, kSectionCount> sections{};
};

// Reads the prepared header text: comments, conditionals and #define lines,
// then marks the sections and checks them. The error returned is the last
// one recorded during reading and marking, or the first failing check.
Error readDefinitions(std::string_view preparedText, Definitions& out);

}  // namespace rendall
