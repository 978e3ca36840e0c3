#pragma once

#include <cstdint>

namespace veltro::link {

// The marks of a frame's bytes, the same for sending and receiving.
inline constexpr std::uint8_t kHeaderBit = 0x80;  // the first byte of a frame
inline constexpr std::uint8_t kDataBit = 0x40;    // a byte that carries six bits
inline constexpr std::uint8_t kValueBit = 0x20;   // a one-bit value in the index byte
inline constexpr std::uint8_t kCountBit = 0x10;   // a long frame: a count follows

}  // namespace veltro::link
