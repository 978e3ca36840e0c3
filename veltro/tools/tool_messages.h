#pragma once

#include <cstdint>
#include <string>

#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// The adjustment run's message for a parameter whose read-back differs ("\n"
// is the line break inside the message).
std::string verificationMessage(const ParameterRef& p, std::int32_t controllerValue);

// The difference check's message for a parameter that differs.
std::string differenceMessage(const ParameterRef& p, std::int32_t controllerValue);

}  // namespace veltro::tools
