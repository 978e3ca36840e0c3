#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "veltro/link/function_code.h"
#include "veltro/ports/controller_requests.h"

namespace veltro::link {

// One encoded frame; the longest (group 1) is 9 bytes.
class EncodedFrame {
  public:
    static constexpr std::size_t kCapacity = 16;

    void push(std::uint8_t byte) {
        if (m_size < kCapacity)
            m_bytes[m_size++] = byte;
    }
    std::uint8_t& operator[](std::size_t i) { return m_bytes[i]; }
    std::span<const std::uint8_t> bytes() const { return {m_bytes.data(), m_size}; }
    std::size_t size() const { return m_size; }

  private:
    std::array<std::uint8_t, kCapacity> m_bytes{};
    std::size_t m_size = 0;
};

// Builds the frame that carries `record` in `mode`.
EncodedFrame encodeFrame(const ControllerRecord& record, CommandMode mode);

// Number of six-bit value groups a WRITE of a general group carries.
int valueGroupCount(std::int32_t value);

}  // namespace veltro::link
