#include "veltro/link/dump_receiver.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include "common/file_error.h"
#include "common/platform_files.h"

namespace veltro::link {

namespace {
constexpr std::uint8_t kMarker = 0xFF;
}  // namespace

DumpReceiver::DumpReceiver(DumpDisplay& display, ReplyTimer& replyTimer, UiDispatcher& dispatcher)
    : m_display(display), m_replyTimer(replyTimer), m_dispatcher(dispatcher) {}

DumpReceiver::~DumpReceiver() {
    std::lock_guard lock(m_mutex);
    closeFileLocked();
}

void DumpReceiver::open(const std::string& fileName) {
    {
        std::lock_guard lock(m_mutex);
        closeFileLocked();
        m_active = true;
        ++m_session;
        m_count = 0;
        m_echoLine.clear();
        m_previous = 0;
        m_markerStarted = false;
        m_dumpAsked = false;
        m_dumpBegun = false;
        m_held.clear();
        m_fileName = fileName.substr(0, kMaxFileName);
        m_fileWritten = false;
        m_storeError.clear();
    }
    // The dialog opens on the user-interface thread: shown directly.
    m_display.showCount(0);
    m_display.showEcho("");
    m_display.showStored(true);
}

void DumpReceiver::dumpAsked() {
    std::lock_guard lock(m_mutex);
    m_dumpAsked = true;
}

bool DumpReceiver::sameFileLocked(const std::string& fileName) const {
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
    if (!m_storeError && sameFileLocked(name))
        return FileChange::Same;
    closeFileLocked();
    m_fileName = name;
    m_fileWritten = false;
    m_storeError.clear();
    return FileChange::Changed;
}

void DumpReceiver::closeFileLocked() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void DumpReceiver::close() {
    std::lock_guard lock(m_mutex);
    m_active = false;
    m_held.clear();
    closeFileLocked();
}

void DumpReceiver::setEcho(bool on) {
    std::lock_guard lock(m_mutex);
    m_echo = on;
}

void DumpReceiver::receiveLocked(std::uint8_t byte, std::string& stored, Update& update) {
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
    // The controller ends lines with a bare line feed; the file gets the
    // carriage return that a text-mode write adds on the system's home.
    if (byte == '\n')
        stored.push_back('\r');
    stored.push_back(static_cast<char>(byte));
    m_previous = byte;
}

void DumpReceiver::storeLocked(std::string bytes, Update& update) {
    if (!m_dumpBegun) {
        m_held += bytes;
        if (!m_dumpAsked && m_held.size() <= kHoldLimit)
            return;
        m_dumpBegun = true;
        bytes = std::exchange(m_held, {});
    }
    if (m_storeError)
        return;  // told once; the rest is counted and echoed only
    if (m_file == nullptr) {
        errno = 0;
        m_file = common::openFile(m_fileName, "wb");  // created, or emptied now
        if (m_file == nullptr) {
            failLocked(common::lastFileError(), update);
            return;
        }
    }
    if (!writeLocked(bytes))
        failLocked(common::lastFileError(), update);
}

// What came is on disk once the read is handled, so the file is whole (its
// last line feed too) while the dialog is still open, and a full disk shows
// at once rather than at the close.
bool DumpReceiver::writeLocked(std::string_view bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size() &&
                         std::fflush(m_file) == 0;
    if (written && !bytes.empty())
        m_fileWritten = true;
    return written;
}

void DumpReceiver::failLocked(std::error_code error, Update& update) {
    m_storeError = error;
    closeFileLocked();
    update.notStored = true;
}

std::string DumpReceiver::storeFailureLocked() const {
    std::string text(m_fileWritten ? kNotWhollyStored : kNotStored);
    return text + ": " + common::fileErrorText(m_storeError);
}

void DumpReceiver::statusLocked(Update& update) const {
    if (update.endOfDump && m_storeError) {
        update.status =
            std::string(kEndOfDump) + std::string(kEndNotStored) + storeFailureLocked();
    } else if (update.endOfDump) {
        update.status = std::string(kEndOfDump);
    } else if (update.notStored) {
        update.status = std::string(kDump) + storeFailureLocked();
    }
}

void DumpReceiver::receive(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return;
    Update update;
    {
        std::lock_guard lock(m_mutex);
        if (!m_active)
            return;  // came in after the dialog closed
        std::string stored;
        stored.reserve(bytes.size() + bytes.size() / 16);
        for (std::uint8_t byte : bytes)
            receiveLocked(byte, stored, update);
        storeLocked(std::move(stored), update);
        statusLocked(update);
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
    if (update.notStored)
        m_display.showStored(false);
    if (update.status)
        m_display.showStatus(*update.status);
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
    return m_file != nullptr;
}

std::error_code DumpReceiver::storeError() const {
    std::lock_guard lock(m_mutex);
    return m_storeError;
}

}  // namespace veltro::link
