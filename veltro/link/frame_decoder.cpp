#include "veltro/link/frame_decoder.h"

#include <algorithm>

#include "veltro/link/frame_bits.h"

namespace veltro::link {

namespace {

bool carriesBothIndexes(int group) {
    return group == 6 || group == 7 || group == 11 || group == 12;
}

class FrameView {
  public:
    explicit FrameView(std::span<const std::uint8_t> frame) : m_frame(frame) {}
    std::uint32_t bits(std::size_t position) const {
        return position < m_frame.size() ? m_frame[position] & 0x3F : 0;
    }
    std::uint8_t raw(std::size_t position) const {
        return position < m_frame.size() ? m_frame[position] : 0;
    }
    std::size_t size() const { return m_frame.size(); }

  private:
    std::span<const std::uint8_t> m_frame;
};

// Value of the general groups: the six-bit groups from byte `start` to the end,
// most significant first; a frame too short for them carries its value as bit 5
// of the index byte. Unsigned so that wide (or negative) values wrap to 32 bits.
std::int32_t generalValue(const FrameView& view, std::size_t length, std::size_t start,
                          std::uint8_t indexByte) {
    if (length <= start)
        return (indexByte & kValueBit) ? 1 : 0;
    std::uint32_t value = 0;
    for (std::size_t i = start; i < length; ++i)
        value = (value << 6) | view.bits(i);
    return static_cast<std::int32_t>(value);
}

}  // namespace

DecodedFrame extractFrame(std::span<const std::uint8_t> frame) {
    DecodedFrame out;
    out.bytes = frame;
    FrameView view(frame);
    const std::uint8_t header = view.raw(0);
    const bool longFrame = (header & kCountBit) != 0;
    const int group = header & 0x0F;
    out.mode = static_cast<CommandMode>(header & 0x60);
    const bool write = out.mode == CommandMode::Write;

    const std::size_t indexPos = longFrame ? 2 : 1;
    const std::uint8_t indexByte = view.raw(indexPos);
    std::size_t length = 3;
    if (longFrame)
        length = std::max<std::size_t>((view.bits(1)) + 2, 4);

    ControllerRecord& r = out.record;
    r.functionCode = group * 32 + (indexByte & 0x1F);
    std::int32_t value = 0;
    switch (group) {
        case 1:
            r.index = static_cast<std::int32_t>((view.bits(3) << 10) | (view.bits(4) << 4) |
                                                (view.bits(5) & 0x0F));
            value = static_cast<std::int32_t>((view.bits(6) << 10) | (view.bits(7) << 4) |
                                              (view.bits(8) & 0x0F));
            break;
        case 13:
            r.index = static_cast<std::int32_t>((view.bits(3) << 6) | view.bits(4));
            value = (indexByte & kValueBit) ? 1 : 0;
            break;
        case 14:
            r.index = static_cast<std::int32_t>((view.bits(3) << 6) | view.bits(4));
            value = static_cast<std::int32_t>((view.bits(5) << 6) | view.bits(6));
            break;
        case 15:
            value = static_cast<std::int32_t>((view.bits(3) << 18) | (view.bits(4) << 12) |
                                              (view.bits(5) << 6) | view.bits(6));
            break;
        default: {
            const std::size_t next = indexPos + 1;
            if (group == 4 || group == 5) {
                r.secondIndex = static_cast<std::int32_t>(view.bits(next));
            } else if (carriesBothIndexes(group)) {
                r.index = static_cast<std::int32_t>(view.bits(next));
                r.secondIndex = static_cast<std::int32_t>(view.bits(next + 1));
            } else if (group != 0) {
                r.index = static_cast<std::int32_t>(view.bits(next));
            }
            value = generalValue(view, length, carriesBothIndexes(group) ? 5 : 4, indexByte);
            break;
        }
    }
    r.value = write ? value : 0;
    return out;
}

void FrameDecoder::startFrame(std::uint8_t header) {
    m_position = 0;
    m_frame[0] = header;
    if (header & kCountBit) {
        m_state = State::WaitCount;
    } else {
        m_expected = 2;
        m_state = State::CollectData;
    }
}

void FrameDecoder::drop() {
    ++m_dropped;
    if (m_dropHandler)
        m_dropHandler(std::span(m_frame.data(), m_position + 1));
    m_state = State::WaitHeader;
}

void FrameDecoder::feed(std::uint8_t byte) {
    switch (m_state) {
        case State::WaitHeader:
            if (byte & kHeaderBit)
                startFrame(byte);
            else if (m_dropHandler)
                m_dropHandler(std::span(&byte, 1));
            return;
        case State::WaitCount:
            m_frame[++m_position] = byte;
            if (!(byte & kDataBit))
                return drop();
            m_expected = byte & 0x3F;
            m_state = State::CollectData;
            return;
        case State::CollectData:
            m_frame[++m_position] = byte;
            if (!(byte & kDataBit))
                return drop();
            if (--m_expected > 0)
                return;
            complete();
            return;
    }
}

void FrameDecoder::complete() {
    m_state = State::WaitHeader;
    const DecodedFrame frame = extractFrame(std::span(m_frame.data(), m_position + 1));
    if (m_handler)
        m_handler(frame);
}

}  // namespace veltro::link
