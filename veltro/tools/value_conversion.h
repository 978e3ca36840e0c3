#pragma once

#include <cstdint>

#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// A source value in controller units: source x scale with the fraction
// dropped. A product that lies within a millionth of a whole number is that
// number (16.29 x 100 is 1628.9999999999998 in binary floating point and
// means 1629); values beyond the 32-bit range are held at its ends.
std::int32_t toControllerUnits(double source, int scale);

// The value the tools write for a parameter: the converted source value, or
// the integer as it is for switches and EGGPARMs.
std::int32_t sourceInControllerUnits(const ParameterRef& p);

// Whether the controller's value differs from the source: by more than 0.1
// controller units for a double, at all for an integer.
bool differs(const ParameterRef& p, std::int32_t controllerValue);

// The controller value as the messages show it: divided by the scale with
// the fraction dropped (integers unconverted).
std::int32_t shownControllerValue(const ParameterRef& p, std::int32_t controllerValue);

}  // namespace veltro::tools
