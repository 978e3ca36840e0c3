#include "veltro/link/dump_receiver.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace veltro::link {

namespace {
constexpr char kEndOfDump[] = "EINDE DUMP";
constexpr std::uint8_t kMarker = 0xFF;
}  // namespace

DumpReceiver::DumpReceiver(DumpDisplay& display, ReplyTimer& replyTimer, UiDispatcher& dispatcher)
    : m_display(display), m_replyTimer(replyTimer), m_dispatcher(dispatcher) {}

bool DumpReceiver::openFileLocked(const std::string& fileName) {
    if (m_file.is_open())
        m_file.close();
    m_fileName = fileName.substr(0, kMaxFileName);
    m_file.clear();
    m_file.open(m_fileName, std::ios::binary | std::ios::trunc);
    return m_file.is_open();
}

bool DumpReceiver::open(const std::string& fileName) {
    bool opened = false;
    {
        std::lock_guard lock(m_mutex);
        m_active = true;
        ++m_session;
        m_count = 0;
        m_echoLine.clear();
        m_previous = 0;
        m_markerStarted = false;
        opened = openFileLocked(fileName);
    }
    // The dialog opens on the user-interface thread: shown directly.
    m_display.showCount(0);
    m_display.showEcho("");
    return opened;
}

bool DumpReceiver::inUseLocked(const std::string& fileName) const {
    if (!m_file.is_open())
        return false;  // nothing in use: the same name is tried again
    if (fileName == m_fileName)
        return true;
    namespace fs = std::filesystem;
    std::error_code sameError;
    if (fs::equivalent(fileName, m_fileName, sameError))
        return true;
    // Not there (yet): the same file when both names lead to the same place.
    std::error_code chosenError;
    std::error_code currentError;
    const fs::path chosen = fs::absolute(fileName, chosenError).lexically_normal();
    const fs::path current = fs::absolute(m_fileName, currentError).lexically_normal();
    return !chosenError && !currentError && chosen == current;
}

DumpReceiver::FileChange DumpReceiver::changeFile(const std::string& fileName) {
    std::lock_guard lock(m_mutex);
    const std::string name = fileName.substr(0, kMaxFileName);
    if (inUseLocked(name))
        return FileChange::Same;
    return openFileLocked(name) ? FileChange::Opened : FileChange::NotOpened;
}

void DumpReceiver::close() {
    std::lock_guard lock(m_mutex);
    m_active = false;
    if (m_file.is_open())
        m_file.close();
}

void DumpReceiver::setEcho(bool on) {
    std::lock_guard lock(m_mutex);
    m_echo = on;
}

void DumpReceiver::receiveLocked(std::uint8_t byte, Update& update) {
    // Wraps instead of overflowing on a dump of more than 2^31 bytes.
    m_count = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_count) + 1u);
    if (m_echo) {
        if (byte == ' ' && m_previous == ' ') {
            m_echo = false;  // two blanks end the controller's answer
        } else {
            m_echoLine.push_back(static_cast<char>(byte));
            if (m_echoLine.size() > kEchoWidth)
                m_echoLine.erase(0, 1);
            update.echo = m_echoLine;
        }
    }
    if (m_markerStarted && (byte == '\n' || byte == kMarker)) {
        m_markerStarted = false;
        update.endOfDump = true;
        m_echo = true;
    } else {
        m_markerStarted = byte == kMarker;
    }
    if (m_file.is_open()) {
        // The controller ends lines with a bare line feed; the file gets the
        // carriage return that a text-mode write adds on the system's home.
        if (byte == '\n')
            m_file.put('\r');
        m_file.put(static_cast<char>(byte));
    }
    m_previous = byte;
}

void DumpReceiver::receive(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return;
    Update update;
    {
        std::lock_guard lock(m_mutex);
        if (!m_active)
            return;  // came in after the dialog closed
        for (std::uint8_t byte : bytes)
            receiveLocked(byte, update);
        // What came is on disk once the read is handled, so the file is
        // whole (its last line feed too) while the dialog is still open.
        if (m_file.is_open())
            m_file.flush();
        update.session = m_session;
        update.count = m_count;
    }
    m_dispatcher.post([this, alive = m_life.watch(), update = std::move(update)] {
        if (!alive.expired())
            show(update);
    });
}

void DumpReceiver::show(const Update& update) {
    {
        std::lock_guard lock(m_mutex);
        if (update.session != m_session)
            return;  // the dialog was opened again meanwhile
    }
    m_replyTimer.cancel();  // a byte came: no "Geen reactie"
    m_display.showCount(update.count);
    if (update.echo)
        m_display.showEcho(*update.echo);
    if (update.endOfDump)
        m_display.showStatus(kEndOfDump);
}

std::int32_t DumpReceiver::count() const {
    std::lock_guard lock(m_mutex);
    return m_count;
}

bool DumpReceiver::echoOn() const {
    std::lock_guard lock(m_mutex);
    return m_echo;
}

std::string DumpReceiver::fileName() const {
    std::lock_guard lock(m_mutex);
    return m_fileName;
}

bool DumpReceiver::fileOpen() const {
    std::lock_guard lock(m_mutex);
    return m_file.is_open();
}

}  // namespace veltro::link
