#pragma once

#include <cstdint>

namespace veltro::link {

// A function code is the group (bits 5 to 8) times 32 plus the number (bits
// 0 to 4); the frames carry the two apart.
inline constexpr int functionGroup(std::int32_t functionCode) {
    return (functionCode >> 5) & 0x0F;
}
inline constexpr int functionNumber(std::int32_t functionCode) {
    return functionCode & 0x1F;
}

}  // namespace veltro::link
