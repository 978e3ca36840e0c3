#pragma once

#include <string>

#include "veltro/screens/debug_item.h"

namespace veltro {

// The text a number field shows for `value`: six digits for the date, the
// value with the last non-zero one in brackets for DVWD fields, else the
// plain number; fifteen '#' when that does not fit the field.
std::string valueText(const DebugItem& item, int value);

}  // namespace veltro
