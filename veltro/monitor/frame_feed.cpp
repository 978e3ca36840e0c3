#include "veltro/monitor/frame_feed.h"

#include <algorithm>
#include <chrono>

namespace veltro::monitor {

std::int64_t systemTimeMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool isFrame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 || (bytes[0] & 0x80) == 0)
        return false;
    return std::all_of(bytes.begin() + 1, bytes.end(),
                       [](std::uint8_t b) { return (b & 0xC0) == 0x40; });
}

FrameFeed::FrameFeed(FrameIntake& intake, WallClock clock)
    : m_intake(intake),
      m_clock(std::move(clock)),
      m_decoder([this](const link::DecodedFrame& frame) {
          flushStray();
          push(FrameDirection::In, FrameKind::Frame, frame.bytes, m_readTime);
      }) {
    m_stray.reserve(FrameEntry::kMaxBytes);
    m_decoder.setDropHandler([this](std::span<const std::uint8_t> dropped) {
        // A cut frame holds its header and the byte that broke it; a single
        // byte is one that no frame took.
        if (dropped.size() > 1) {
            flushStray();
            push(FrameDirection::In, FrameKind::Cut, dropped, m_readTime);
            return;
        }
        m_stray.push_back(dropped[0]);
        if (m_stray.size() == FrameEntry::kMaxBytes)
            flushStray();
    });
}

void FrameFeed::bytesIn(std::span<const std::uint8_t> bytes) {
    m_readTime = m_clock();
    m_decoder.feed(bytes);
    flushStray();
}

void FrameFeed::bytesOut(std::span<const std::uint8_t> bytes) {
    const std::int64_t time = m_clock();
    const FrameKind kind = isFrame(bytes) ? FrameKind::Frame : FrameKind::Unframed;
    // One write is one frame; longer writes (text) are shown in pieces.
    for (std::size_t at = 0; at < bytes.size(); at += FrameEntry::kMaxBytes)
        push(FrameDirection::Out, kind,
             bytes.subspan(at, std::min(FrameEntry::kMaxBytes, bytes.size() - at)), time);
}

void FrameFeed::push(FrameDirection direction, FrameKind kind, std::span<const std::uint8_t> bytes,
                     std::int64_t time) {
    FrameEntry entry;
    entry.timeMs = time;
    entry.direction = direction;
    entry.kind = kind;
    entry.length = static_cast<std::uint8_t>(std::min(bytes.size(), FrameEntry::kMaxBytes));
    std::copy_n(bytes.begin(), entry.length, entry.bytes.begin());
    m_intake.push(entry);
}

void FrameFeed::flushStray() {
    if (m_stray.empty())
        return;
    push(FrameDirection::In, FrameKind::Stray, m_stray, m_readTime);
    m_stray.clear();
}

}  // namespace veltro::monitor
