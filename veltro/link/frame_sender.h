#pragma once

#include "veltro/link/frame_encoder.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/controller_requests.h"

namespace veltro::link {

// Encodes a record and hands the frame to the writer at once; it reports
// nothing and waits for nothing, since the protocol has no acknowledgement.
class FrameSender : public ControllerRequests {
  public:
    explicit FrameSender(ByteWriter& writer) : m_writer(writer) {}
    void send(const ControllerRecord& record, CommandMode mode) override {
        const EncodedFrame frame = encodeFrame(record, mode);
        m_writer.writeBytes(frame.bytes());
    }

  private:
    ByteWriter& m_writer;
};

}  // namespace veltro::link
