#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "veltro/link/dump_receiver.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/dump_file_setting.h"
#include "veltro/ports/reply_timer.h"

namespace veltro::link {

enum class DumpCommand : char {
    Verify = 'V',
    Make = 'M',
    Fetch = 'O',
    Abort = 'A',
};

// One opening of the dump dialog, on the user-interface thread: opening
// routes received bytes to the receiver, commands go out as single bytes,
// closing routes them back to the decoder. The window itself (buttons, file
// choice) is the front-end's; the receiver cancels the reply timer when
// bytes come.
class DumpSession {
  public:
    DumpSession(LinkFlags& flags, ByteWriter& writer, DumpReceiver& receiver, DumpDisplay& display,
                ReplyTimer& timer);

    static constexpr std::string_view kFileNotOpened = "Dumpfile kan niet worden geopend";
    static constexpr std::string_view kNameTooLong = "Naam van de dumpfile is te lang";

    // Routes received bytes to the receiver; the file is left as it is until
    // a dump comes. A file that could not be written then says so (and why)
    // in the status line at once; bytes would be counted and echoed only.
    void open(const std::string& fileName);
    // The same with the file named by the setting; the name it took, which
    // the file field shows.
    std::string open(const DumpFileSetting& setting);
    // The user confirmed `fileName` in the save dialog. Another file than the
    // one in use replaces it and becomes the setting; the same file changes
    // nothing. A name of more than 259 characters is refused: cut, it would
    // name another file. The name the file field shows now; nothing when
    // refused (the field keeps its text).
    std::optional<std::string> chooseFile(const std::string& fileName, DumpFileSetting& setting);
    void command(DumpCommand command);
    void replyTimerFired();
    void clearStatus();
    // The flag is cleared before the file is closed, so the reader stops
    // handing bytes over first; the receiver's lock covers the byte in flight.
    void close();

    static std::string_view statusText(DumpCommand command);

  private:
    void tellIfNotWritable(const std::string& fileName);

    LinkFlags& m_flags;
    ByteWriter& m_writer;
    DumpReceiver& m_receiver;
    DumpDisplay& m_display;
    ReplyTimer& m_timer;
};

}  // namespace veltro::link
