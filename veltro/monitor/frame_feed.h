#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "veltro/link/frame_decoder.h"
#include "veltro/monitor/frame_intake.h"
#include "veltro/ports/frame_tap.h"

namespace veltro::monitor {

// Milliseconds since the epoch; the system clock in the program, a fake in tests.
using WallClock = std::function<std::int64_t()>;
std::int64_t systemTimeMs();

// The link's frame tap for the monitor and the value log: cuts the received
// bytes into frames with a decoder of its own (the link's decoder is not
// touched), keeps what it drops as malformed entries, stamps every entry with
// the time of its read or write and pushes it into the intake.
class FrameFeed final : public FrameTap {
  public:
    FrameFeed(FrameIntake& intake, WallClock clock);

    void bytesIn(std::span<const std::uint8_t> bytes) override;   // the reader thread
    void bytesOut(std::span<const std::uint8_t> bytes) override;  // any thread

  private:
    void push(FrameDirection direction, FrameKind kind, std::span<const std::uint8_t> bytes,
              std::int64_t time);
    void flushStray();

    FrameIntake& m_intake;
    WallClock m_clock;
    // The reader thread's own.
    link::FrameDecoder m_decoder;
    std::vector<std::uint8_t> m_stray;  // bytes outside any frame, shown as one entry
    std::int64_t m_readTime = 0;
};

// True when `bytes` are one frame as the encoder writes them: a header byte
// and data bytes only.
bool isFrame(std::span<const std::uint8_t> bytes);

}  // namespace veltro::monitor
