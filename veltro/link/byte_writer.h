#pragma once

#include <cstdint>
#include <span>

namespace veltro::link {

// The open link as senders see it: each call is one write (serial) or one
// send (IP), so that a frame never interleaves with another sender's frame.
class ByteWriter {
  public:
    virtual ~ByteWriter() = default;
    virtual void writeBytes(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace veltro::link
