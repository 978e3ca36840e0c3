#include "veltro/link/dump_receiver.h"

namespace veltro::link {

namespace {
constexpr char kEndOfDump[] = "EINDE DUMP";
constexpr std::uint8_t kMarker = 0xFF;
}  // namespace

bool DumpReceiver::openFileLocked(const std::string& fileName) {
    if (m_file.is_open())
        m_file.close();
    m_fileName = fileName.substr(0, kMaxFileName);
    m_file.clear();
    m_file.open(m_fileName, std::ios::binary | std::ios::trunc);
    return m_file.is_open();
}

bool DumpReceiver::open(const std::string& fileName) {
    std::lock_guard lock(m_mutex);
    m_active = true;
    m_count = 0;
    m_echoLine.clear();
    m_previous = 0;
    m_markerStarted = false;
    m_display.showCount(0);
    m_display.showEcho(m_echoLine);
    return openFileLocked(fileName);
}

bool DumpReceiver::changeFile(const std::string& fileName) {
    std::lock_guard lock(m_mutex);
    if (fileName.substr(0, kMaxFileName) == m_fileName)
        return false;
    return openFileLocked(fileName);
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

void DumpReceiver::echoLocked(std::uint8_t byte) {
    if (!m_echo)
        return;
    if (byte == ' ' && m_previous == ' ') {
        m_echo = false;  // two blanks end the controller's answer
        return;
    }
    m_echoLine.push_back(static_cast<char>(byte));
    if (m_echoLine.size() > kEchoWidth)
        m_echoLine.erase(0, 1);
    m_display.showEcho(m_echoLine);
}

void DumpReceiver::markerLocked(std::uint8_t byte) {
    if (m_markerStarted && (byte == '\n' || byte == kMarker)) {
        m_markerStarted = false;
        m_display.showStatus(kEndOfDump);
        m_echo = true;
        if (m_file.is_open())
            m_file.flush();
        return;
    }
    m_markerStarted = byte == kMarker;
}

void DumpReceiver::receive(std::uint8_t byte) {
    std::lock_guard lock(m_mutex);
    if (!m_active)
        return;  // came in after the dialog closed
    // Wraps instead of overflowing on a dump of more than 2^31 bytes.
    m_count = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_count) + 1u);
    m_display.showCount(m_count);
    m_display.cancelReplyTimer();
    echoLocked(byte);
    markerLocked(byte);
    if (m_file.is_open()) {
        // The controller ends lines with a bare line feed; the file gets the
        // carriage return that a text-mode write adds on the system's home.
        if (byte == '\n')
            m_file.put('\r');
        m_file.put(static_cast<char>(byte));
    }
    m_previous = byte;
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
