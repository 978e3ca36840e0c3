#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/profile_file.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/frame_sender.h"
#include "veltro/link/ip_client.h"
#include "veltro/link/link_flags.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/link/receive_path.h"
#include "veltro/link/record_router.h"
#include "veltro/link/serial_link.h"
#include "veltro/ports/display_link.h"
#include "veltro/ports/prompts.h"

namespace veltro::link {

// The whole link of one debugger process, wired once: the adapter chosen by
// the session options, the receive path with its router and dump receiver,
// and the frame sender. The front-end plugs its sinks and its poll cycle in
// before it opens the link.
class ControllerLink : public DisplayLink {
  public:
    ControllerLink(Prompts& prompts, IpErrorHandler& ipErrors, DumpDisplay& dumpDisplay);
    ~ControllerLink() override;

    // Serial: COM1..COM4 through [Poorten] of the settings; false when the
    // port cannot be opened (its message was shown; the start-up fails).
    bool openSerial(int portNumber, int baudRate, const common::ProfileFile* settings);
    // IP: makes the socket, connects and starts the reader; an error is for
    // the front-end to report before it ends the program.
    std::optional<IpError> openIp(const std::string& address, int port);

    LinkFlags& flags() { return m_flags; }
    RecordRouter& router() { return m_router; }
    DumpReceiver& dumpReceiver() { return m_dump; }
    ByteWriter& writer() { return m_writer; }
    ControllerRequests& requests() { return m_sender; }
    // Sinks and the poll cycle must outlive the link (its reader thread uses them).
    void setPollCycle(PollCycle* poll) { m_poll = poll; }

    void setPaused(bool paused) override;
    void windowShown() override;

  private:
    // Forwards to whichever adapter is open; nothing goes out before that.
    class Writer : public ByteWriter {
      public:
        void writeBytes(std::span<const std::uint8_t> bytes) override {
            if (target)
                target->writeBytes(bytes);
        }
        ByteWriter* target = nullptr;
    };

    Prompts& m_prompts;
    IpErrorHandler& m_ipErrors;
    LinkFlags m_flags;
    RecordRouter m_router;
    DumpReceiver m_dump;
    ReceivePath m_path;
    Writer m_writer;
    FrameSender m_sender{m_writer};
    PollCycle* m_poll = nullptr;
    std::unique_ptr<SerialLink> m_serial;
    std::unique_ptr<IpClient> m_ip;
};

}  // namespace veltro::link
