#pragma once

#include <cstdint>
#include <span>

namespace veltro {

// The open link as senders see it. A frame is taken whole or refused whole,
// so that a frame never interleaves with another sender's and is never cut.
// Senders never wait for the line.
class ByteWriter {
  public:
    virtual ~ByteWriter() = default;
    // False when the bytes were refused (no line, or its queue is full).
    virtual bool writeBytes(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace veltro
