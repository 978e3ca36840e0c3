#pragma once

#include <string>
#include <string_view>

#include "veltro/link/dump_receiver.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/reply_timer.h"

namespace veltro::link {

enum class DumpCommand : char {
    Verify = 'V',
    Make = 'M',
    Fetch = 'O',
    Abort = 'A',
};

// The dump dialog's logic, on the user-interface thread: opening routes
// received bytes to the receiver, commands go out as single bytes, closing
// routes them back to the decoder. The window itself (buttons, file choice)
// is the front-end's; the receiver cancels the reply timer when bytes come.
class DumpDialog {
  public:
    DumpDialog(LinkFlags& flags, ByteWriter& writer, DumpReceiver& receiver, DumpDisplay& display,
               ReplyTimer& timer);

    void open(const std::string& fileName);
    void command(DumpCommand command);
    void replyTimerFired();
    void clearStatus();
    // The flag is cleared before the file is closed, so the reader stops
    // handing bytes over first; the receiver's lock covers the byte in flight.
    void close();

    static std::string_view statusText(DumpCommand command);

  private:
    LinkFlags& m_flags;
    ByteWriter& m_writer;
    DumpReceiver& m_receiver;
    DumpDisplay& m_display;
    ReplyTimer& m_timer;
};

}  // namespace veltro::link
