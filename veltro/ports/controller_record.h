#pragma once

#include <cstdint>

namespace veltro {

// The unit that crosses the controller link in both directions: five signed
// 32-bit words in this order. Items build it for their requests, the frame
// decoder produces it for every value the controller reports.
struct ControllerRecord {
    std::int32_t functionCode = 0;  // 0..511: group * 32 + number
    std::int32_t index = 0;         // first element (signal group, ...), -1 for none
    std::int32_t secondIndex = 0;   // block or second element, -1 for none
    std::int32_t reserved = 0;      // never sent; items keep their on/off flag here
    std::int32_t value = 0;

    friend bool operator==(const ControllerRecord&, const ControllerRecord&) = default;
};

}  // namespace veltro
