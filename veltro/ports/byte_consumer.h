#pragma once

#include <cstdint>
#include <span>

namespace veltro {

// What a link's reader thread hands the bytes of one read to, in order.
class ByteConsumer {
  public:
    virtual ~ByteConsumer() = default;
    virtual void bytesReceived(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace veltro
