#pragma once

#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

namespace veltro::link {

// The dump dialog's window as the receiver updates it. Called on the reader
// thread: an implementation hands the texts to the GUI thread.
class DumpDisplay {
  public:
    virtual ~DumpDisplay() = default;
    virtual void showCount(std::int32_t count) = 0;
    virtual void showEcho(std::string_view line) = 0;
    virtual void showStatus(std::string_view text) = 0;
    virtual void cancelReplyTimer() = 0;  // a byte came: no "Geen reactie"
};

// Takes every received byte while the dump dialog is open: counts it, echoes
// it, watches for the end-of-dump marker and stores it byte for byte.
// The GUI thread opens and closes the file while the reader thread may be
// writing; one lock holds them apart, so nothing is written after the close.
class DumpReceiver {
  public:
    static constexpr std::size_t kEchoWidth = 98;
    static constexpr std::size_t kMaxFileName = 259;

    explicit DumpReceiver(DumpDisplay& display) : m_display(display) {}

    // Starts a dump session: count 0, empty echo, the file created or emptied.
    // False when the file cannot be opened; bytes are then counted and echoed only.
    bool open(const std::string& fileName);
    // Switches to another file; the same name (exact comparison) changes nothing.
    // True when a new file was opened.
    bool changeFile(const std::string& fileName);
    void close();

    void receive(std::uint8_t byte);
    void setEcho(bool on);

    std::int32_t count() const;
    bool echoOn() const;
    std::string fileName() const;
    bool fileOpen() const;

  private:
    bool openFileLocked(const std::string& fileName);
    void echoLocked(std::uint8_t byte);
    void markerLocked(std::uint8_t byte);

    DumpDisplay& m_display;
    mutable std::mutex m_mutex;
    bool m_active = false;
    std::int32_t m_count = 0;
    bool m_echo = false;  // kept from one session to the next
    std::string m_echoLine;
    std::uint8_t m_previous = 0;
    bool m_markerStarted = false;
    std::string m_fileName;
    std::ofstream m_file;
};

}  // namespace veltro::link
