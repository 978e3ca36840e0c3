#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace veltro {

// The raw line under the link's write queue: the serial port or the socket.
// Only the queue's writer thread calls it. Destroying the line stops its
// reader thread.
class LineOutput {
  public:
    struct Result {
        std::size_t written = 0;  // a prefix of the bytes; 0 while the line is blocked
        bool closed = false;      // the line will never take another byte
    };

    virtual ~LineOutput() = default;

    // Hands the line what it takes of `bytes` now, waiting at most `wait` for
    // it to take anything.
    virtual Result writeSome(std::span<const std::uint8_t> bytes,
                             std::chrono::milliseconds wait) = 0;

    // The line stayed blocked past its write time-out: report the failed write.
    virtual void lineBlocked() = 0;
};

}  // namespace veltro
