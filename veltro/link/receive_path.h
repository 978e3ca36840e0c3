#pragma once

#include "veltro/link/dump_receiver.h"
#include "veltro/link/frame_decoder.h"
#include "veltro/link/link_counters.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/record_sink.h"
#include "veltro/ports/steady_clock.h"

namespace veltro::link {

// The reader thread's side of the link: drops what arrives while paused, and
// hands every other byte to the dump receiver or to the frame decoder, looking
// at the dump flag again for every byte. The dump receiver gets each run of
// its bytes in one call, so that its window is updated once per read. A frame
// tap, when attached, sees the decoder's bytes of each read.
class ReceivePath : public ByteConsumer {
  public:
    ReceivePath(LinkFlags& flags, RecordSink& records, DumpReceiver& dump);

    void bytesReceived(std::span<const std::uint8_t> bytes) override;
    // Before the reader runs: count the traffic, frames timed on `clock`.
    void setCounters(LinkCounters* counters, const SteadyClock* clock);

    const FrameDecoder& decoder() const { return m_decoder; }

  private:
    void tapIn(std::span<const std::uint8_t> bytes);

    LinkFlags& m_flags;
    DumpReceiver& m_dump;
    FrameDecoder m_decoder;
    LinkCounters* m_counters = nullptr;
    const SteadyClock* m_clock = nullptr;
};

}  // namespace veltro::link
