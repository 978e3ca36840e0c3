#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "veltro/ports/controller_requests.h"

namespace veltro::link {

// A complete frame as the decoder extracted it.
struct DecodedFrame {
    CommandMode mode = CommandMode::Stop;
    ControllerRecord record;
    std::span<const std::uint8_t> bytes;  // the frame as received; valid during the callback
};

// Byte-by-byte frame decoder. Fed from one thread only (the reader); malformed
// frames are dropped silently and a partial frame is completed by whatever
// bytes follow, because the protocol has no time-out inside a frame.
class FrameDecoder {
  public:
    using FrameHandler = std::function<void(const DecodedFrame&)>;

    // Told about the bytes that are dropped: a frame cut short, with the byte
    // that broke it, or a single byte outside any frame.
    using DropHandler = std::function<void(std::span<const std::uint8_t>)>;

    explicit FrameDecoder(FrameHandler handler) : m_handler(std::move(handler)) {}
    void setDropHandler(DropHandler handler) { m_dropHandler = std::move(handler); }

    void feed(std::uint8_t byte);
    void feed(std::span<const std::uint8_t> bytes) {
        for (std::uint8_t b : bytes)
            feed(b);
    }

    // Waiting for a header: a byte now is not part of any frame.
    bool idle() const { return m_state == State::WaitHeader; }

    // Frames dropped since construction because of a malformed byte.
    std::size_t droppedFrames() const { return m_dropped; }

    static constexpr std::size_t kMaxFrame = 65;  // header, count and 63 data bytes

  private:
    enum class State { WaitHeader, WaitCount, CollectData };

    void startFrame(std::uint8_t header);
    void drop();
    void complete();

    FrameHandler m_handler;
    DropHandler m_dropHandler;
    State m_state = State::WaitHeader;
    std::array<std::uint8_t, kMaxFrame> m_frame{};
    std::size_t m_position = 0;
    int m_expected = 0;
    std::size_t m_dropped = 0;
};

// Extraction of a complete frame (header first). Bytes beyond `frame` read as
// zero, so fixed-position fields of a short frame never see stale data.
DecodedFrame extractFrame(std::span<const std::uint8_t> frame);

}  // namespace veltro::link
