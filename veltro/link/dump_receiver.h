#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "veltro/link/life_token.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/reply_timer.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// Takes every received byte while the dump dialog is open: counts it, echoes
// it, watches for the end-of-dump marker and stores it byte for byte.
//
// The file is emptied only when a dump arrives, so that opening the dialog
// to look, or to verify the connection, keeps the last dump. A dump begins
// with the first byte after a dump was asked for (dumpAsked); the bytes that
// came before it in the session (the answer to a verification) are held and
// go first into the file, which thus holds every byte of the session as
// before. A controller that sends more than kHoldLimit bytes unasked is
// dumping all the same.
//
// The reader thread hands over the bytes of one read at once; the window is
// updated once per read, on the user-interface thread, through the
// dispatcher. The GUI thread opens and closes the session while the reader
// thread may be writing; one lock holds them apart, so nothing is written
// after the close. No port is called while the lock is held.
class DumpReceiver {
  public:
    static constexpr std::size_t kEchoWidth = 98;
    static constexpr std::size_t kMaxFileName = 259;
    static constexpr std::size_t kHoldLimit = 4096;

    static constexpr std::string_view kEndOfDump = "EINDE DUMP";
    // The status line when the dump cannot be stored, with the cause after it:
    // "Dump niet opgeslagen: schijf vol", and at its end "EINDE DUMP - niet
    // opgeslagen: schijf vol", so that the end never reads as a success.
    static constexpr std::string_view kDump = "Dump ";
    static constexpr std::string_view kEndNotStored = " - ";
    static constexpr std::string_view kNotStored = "niet opgeslagen";
    static constexpr std::string_view kNotWhollyStored = "niet volledig opgeslagen";

    DumpReceiver(DumpDisplay& display, ReplyTimer& replyTimer, UiDispatcher& dispatcher);
    ~DumpReceiver();
    DumpReceiver(const DumpReceiver&) = delete;
    DumpReceiver& operator=(const DumpReceiver&) = delete;

    // Starts a dump session: count 0, empty echo, the file named (the name
    // held to 259 characters) but not touched yet.
    void open(const std::string& fileName);
    // A dump was asked of the controller: the bytes from now on are a dump.
    void dumpAsked();
    enum class FileChange { Same, Changed };
    // Switches to another file, which a dump (or its rest) goes to from its
    // next byte. The file in use changes nothing: the same name, or another
    // name of the same file (a save dialog answers with a full path where the
    // setting may hold a relative one), since opening it again would empty
    // it in the middle of a dump. A file that failed is tried again.
    FileChange changeFile(const std::string& fileName);
    // Ends the session: bytes held for a dump that never came are dropped.
    void close();

    // Reader thread: the bytes of one read, in order.
    void receive(std::span<const std::uint8_t> bytes);
    void setEcho(bool on);

    std::int32_t count() const;
    bool echoOn() const;
    std::string fileName() const;
    bool fileOpen() const;
    // Why the session's dump is not (wholly) in its file; empty while it is.
    std::error_code storeError() const;

  private:
    // What one read changed in the window.
    struct Update {
        std::uint32_t session = 0;
        std::int32_t count = 0;
        std::optional<std::string> echo;
        std::optional<std::string> status;
        bool endOfDump = false;
        bool notStored = false;  // the store failed during this read
    };

    bool sameFileLocked(const std::string& fileName) const;
    void closeFileLocked();
    void receiveLocked(std::uint8_t byte, std::string& stored, Update& update);
    void storeLocked(std::string bytes, Update& update);
    bool writeLocked(std::string_view bytes);
    void failLocked(std::error_code error, Update& update);
    std::string storeFailureLocked() const;
    void statusLocked(Update& update) const;
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
    bool m_dumpAsked = false;
    bool m_dumpBegun = false;
    std::string m_held;  // the session's bytes before its dump began
    std::string m_fileName;
    std::FILE* m_file = nullptr;
    bool m_fileWritten = false;  // some of the dump is in the file
    std::error_code m_storeError;
    LifeToken m_life;
};

}  // namespace veltro::link
