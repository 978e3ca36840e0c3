#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// What the verification and difference messages call a parameter: the words
// before its element's name, and whether its values are integers (shown
// unconverted) or times (the source with "%5.2f").
struct MessageSubject {
    static constexpr int kAnyPart = -1;
    Category category;
    int part;  // the value of the entry (ParameterRef::part), or kAnyPart
    std::string_view subject;
    bool integer;
};
inline constexpr std::size_t kMessageSubjectCount = 13;
const std::array<MessageSubject, kMessageSubjectCount>& messageSubjects();

// The adjustment run's message for a parameter whose read-back differs ("\n"
// is the line break inside the message).
std::string verificationMessage(const ParameterRef& p, std::int32_t controllerValue);

// The difference check's message for a parameter that differs; it names the
// MG time by its number (0 for the MG time itself).
std::string differenceMessage(const ParameterRef& p, std::int32_t controllerValue);

}  // namespace veltro::tools
