#pragma once

#include <cstdint>

#include "veltro/ports/controller_record.h"
#include "veltro/ports/controller_requests.h"

namespace veltro::link {

using veltro::CommandMode;
using veltro::ControllerRecord;

inline constexpr int functionGroup(std::int32_t functionCode) {
    return (functionCode >> 5) & 0x0F;
}
inline constexpr int functionNumber(std::int32_t functionCode) {
    return functionCode & 0x1F;
}

}  // namespace veltro::link
