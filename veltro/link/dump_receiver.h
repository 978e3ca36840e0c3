#pragma once

#include <cstdint>
#include <fstream>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "veltro/link/life_token.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/reply_timer.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// Takes every received byte while the dump dialog is open: counts it, echoes
// it, watches for the end-of-dump marker and stores it byte for byte.
//
// The reader thread hands over the bytes of one read at once; the window is
// updated once per read, on the user-interface thread, through the
// dispatcher. The GUI thread opens and closes the file while the reader
// thread may be writing; one lock holds them apart, so nothing is written
// after the close. No port is called while the lock is held.
class DumpReceiver {
  public:
    static constexpr std::size_t kEchoWidth = 98;
    static constexpr std::size_t kMaxFileName = 259;

    DumpReceiver(DumpDisplay& display, ReplyTimer& replyTimer, UiDispatcher& dispatcher);

    // Starts a dump session: count 0, empty echo, the file created or emptied.
    // False when the file cannot be opened; bytes are then counted and echoed only.
    bool open(const std::string& fileName);
    enum class FileChange { Same, Opened, NotOpened };
    // Switches to another file. The file in use changes nothing: the same
    // name, or another name of the same file (a save dialog answers with a
    // full path where the setting may hold a relative one), since opening it
    // again would empty it in the middle of a dump.
    FileChange changeFile(const std::string& fileName);
    void close();

    // Reader thread: the bytes of one read, in order.
    void receive(std::span<const std::uint8_t> bytes);
    void setEcho(bool on);

    std::int32_t count() const;
    bool echoOn() const;
    std::string fileName() const;
    bool fileOpen() const;

  private:
    // What one read changed in the window.
    struct Update {
        std::uint32_t session = 0;
        std::int32_t count = 0;
        std::optional<std::string> echo;
        bool endOfDump = false;
    };

    bool openFileLocked(const std::string& fileName);
    bool inUseLocked(const std::string& fileName) const;
    void receiveLocked(std::uint8_t byte, Update& update);
    void show(const Update& update);

    DumpDisplay& m_display;
    ReplyTimer& m_replyTimer;
    UiDispatcher& m_dispatcher;
    mutable std::mutex m_mutex;
    bool m_active = false;
    std::uint32_t m_session = 0;  // an update of an earlier session is not shown
    std::int32_t m_count = 0;
    bool m_echo = false;  // kept from one session to the next
    std::string m_echoLine;
    std::uint8_t m_previous = 0;
    bool m_markerStarted = false;
    std::string m_fileName;
    std::ofstream m_file;
    LifeToken m_life;
};

}  // namespace veltro::link
