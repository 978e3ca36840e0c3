#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// The listing line of a parameter sent with `value` (controller units),
// line break included.
std::string listingLine(const ParameterRef& p, std::int32_t value);

// The per-category file name: the category's suffix inserted before the
// extension of the file part ("aangepast.txt" gives "aangepast_VG.txt").
// Directories may be separated by '/' or '\'.
std::string categoryFileName(std::string_view fileName, Category c);

}  // namespace veltro::tools
