#include "veltro/link/receive_path.h"

namespace veltro::link {

ReceivePath::ReceivePath(LinkFlags& flags, RecordSink& records, DumpReceiver& dump)
    : m_flags(flags),
      m_dump(dump),
      m_decoder([&records](const DecodedFrame& frame) { records.deliver(frame.record); }) {}

void ReceivePath::bytesReceived(std::span<const std::uint8_t> bytes) {
    if (m_flags.paused.load(std::memory_order_acquire))
        return;
    for (std::uint8_t b : bytes) {
        if (m_flags.dumpOpen.load(std::memory_order_acquire)) {
            m_dump.receive(b);
        } else {
            m_decoder.feed(b);
        }
    }
}

}  // namespace veltro::link
