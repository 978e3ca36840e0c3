#include "veltro/link/receive_path.h"

namespace veltro::link {

ReceivePath::ReceivePath(LinkFlags& flags, RecordSink& records, DumpReceiver& dump)
    : m_flags(flags), m_dump(dump), m_decoder([this, &records](const DecodedFrame& frame) {
          if (m_counters != nullptr)
              m_counters->frameDecoded(m_clock->now().count());
          records.deliver(frame.record);
      }) {}

void ReceivePath::setCounters(LinkCounters* counters, const SteadyClock* clock) {
    m_counters = counters;
    m_clock = clock;
}

void ReceivePath::bytesReceived(std::span<const std::uint8_t> bytes) {
    if (m_counters != nullptr)
        m_counters->received(bytes.size());
    if (m_flags.paused.load(std::memory_order_acquire))
        return;
    std::size_t runStart = 0;
    std::size_t runLength = 0;
    std::size_t decodeStart = 0;  // the run of bytes that went to the decoder
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (m_flags.dumpOpen.load(std::memory_order_acquire)) {
            if (runLength == 0) {
                runStart = i;
                tapIn(bytes.subspan(decodeStart, i - decodeStart));
            }
            ++runLength;
            continue;
        }
        if (runLength > 0) {
            m_dump.receive(bytes.subspan(runStart, runLength));
            runLength = 0;
            decodeStart = i;
        }
        m_decoder.feed(bytes[i]);
    }
    if (runLength > 0)
        m_dump.receive(bytes.subspan(runStart, runLength));
    else
        tapIn(bytes.subspan(decodeStart));
}

void ReceivePath::tapIn(std::span<const std::uint8_t> bytes) {
    if (!bytes.empty())
        m_flags.tap.use([bytes](FrameTap& tap) { tap.bytesIn(bytes); });
}

}  // namespace veltro::link
