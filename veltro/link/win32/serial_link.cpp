// The serial port on the Win32 communications functions.
#include "veltro/link/win32/serial_link.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <array>
#include <system_error>

#include "veltro/link/serial_texts.h"

namespace veltro::link {

struct SerialLink::SavedTimeouts {
    COMMTIMEOUTS timeouts;
};

namespace {

constexpr DWORD kReadSize = 4096;
constexpr DWORD kInputBuffer = 2048;
constexpr DWORD kOutputBuffer = 1024;

// Read interval 1 ms, read and write 10 ms per byte, no constant part: a read
// returns once the line is quiet for 1 ms after a byte.
COMMTIMEOUTS workingTimeouts() {
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = 1;
    t.ReadTotalTimeoutMultiplier = 10;
    t.ReadTotalTimeoutConstant = 0;
    t.WriteTotalTimeoutMultiplier = 10;
    t.WriteTotalTimeoutConstant = 0;
    return t;
}

// A port without modem lines (a virtual port, Wine's pseudo-terminal) refuses
// DTR and the modem status as a request it does not support: not applicable,
// as on the POSIX side, so it shows no message.
bool notApplicable(DWORD error) {
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
           error == ERROR_INVALID_PARAMETER;
}

std::wstring widen(const std::string& text) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              size);
    }
    return wide;
}

void closeHandle(void*& handle) {
    if (handle != nullptr)
        ::CloseHandle(handle);
    handle = nullptr;
}

}  // namespace

SerialLink::SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher)
    : m_consumer(consumer), m_prompts(prompts), m_dispatcher(dispatcher) {}

SerialLink::~SerialLink() {
    if (m_reader.joinable()) {
        m_stop = true;
        ::SetEvent(m_stopEvent);
        m_reader.join();
    }
    // At the end of the program a port that went away is no news.
    closePort(false);
    closeHandle(m_stopEvent);
    closeHandle(m_writeEvent);
    closeHandle(m_port);
}

void SerialLink::alert(const std::string& text) {
    m_prompts.messageBox(kSerialCaption, text, PromptIcon::None);
}

// From the reader and writer threads. The prompts outlive the link, so the
// posted box needs nothing of it.
void SerialLink::alertLater(const std::string& text) {
    m_dispatcher.post([&prompts = m_prompts, text] {
        prompts.messageBox(kSerialCaption, text, PromptIcon::None);
    });
}

bool SerialLink::open(const std::string& device, int baudRate) {
    // Read and write, no sharing, an existing device, write-through.
    const HANDLE port =
        ::CreateFileW(widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        alert(serialOpenText());
        return false;
    }
    m_port = port;

    COMMTIMEOUTS saved{};
    if (::GetCommTimeouts(m_port, &saved))
        m_saved = std::make_unique<SavedTimeouts>(SavedTimeouts{saved});
    else
        alert(serialSetupText("GetTimeOuts"));
    COMMTIMEOUTS working = workingTimeouts();
    if (!::SetCommTimeouts(m_port, &working))
        alert(serialSetupText("SetTimeOuts"));
    configureLine(baudRate);
    ::SetupComm(m_port, kInputBuffer, kOutputBuffer);  // a driver may keep its own sizes
    if (!::EscapeCommFunction(m_port, SETDTR) && !notApplicable(::GetLastError()))
        alert(serialSetupText("Raise DTR"));

    m_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_writeEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_stopEvent == nullptr || m_writeEvent == nullptr) {
        alert(serialSetupText("CreateThreads"));
        close();
        return true;
    }
    try {
        m_reader = std::thread([this] { readerLoop(); });
    } catch (const std::system_error&) {
        alert(serialSetupText("CreateThreads"));
        close();
        return true;
    }
    m_connected = true;
    return true;
}

void SerialLink::configureLine(int baudRate) {
    DCB line{};
    line.DCBlength = sizeof line;
    if (!::GetCommState(m_port, &line)) {
        alert(serialLineText("GetCommState", 26));
        return;
    }
    const DWORD portSpeed = line.BaudRate;
    line.BaudRate = static_cast<DWORD>(baudRate);
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fParity = TRUE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDsrSensitivity = FALSE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.XonChar = 0x11;
    line.XoffChar = 0x13;
    line.XonLim = 0;
    line.XoffLim = 0;
    line.fTXContinueOnXoff = FALSE;
    line.EvtChar = 0;
    if (!::SetCommState(m_port, &line)) {
        alert(serialLineText("SetCommState", 28));
        // A speed the port refuses keeps the port's own; the rest still applies.
        line.BaudRate = portSpeed;
        ::SetCommState(m_port, &line);
    }
    COMMTIMEOUTS working = workingTimeouts();
    if (!::SetCommTimeouts(m_port, &working))
        alert(serialLineText("TimeOuts", 28));
}

void SerialLink::close() {
    closePort(true);
}

void SerialLink::closePort(bool report) {
    if (!m_connected.exchange(false))
        return;
    if (!::EscapeCommFunction(m_port, CLRDTR) && !notApplicable(::GetLastError()) && report)
        alert(serialCloseText("Lower DTR"));
    if (m_saved && !::SetCommTimeouts(m_port, &m_saved->timeouts) && report)
        alert(serialCloseText("TimeOuts"));
    const DWORD purge = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
    if (!::PurgeComm(m_port, purge) && report)
        alert(serialCloseText("PurgeComm"));
}

LineOutput::Result SerialLink::writeSome(std::span<const std::uint8_t> bytes,
                                         std::chrono::milliseconds wait) {
    if (m_port == nullptr || m_writeEvent == nullptr)
        return {0, true};
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 64 * 1024));
    OVERLAPPED pending{};
    pending.hEvent = m_writeEvent;
    ::ResetEvent(m_writeEvent);
    DWORD written = 0;
    if (::WriteFile(m_port, bytes.data(), size, &written, &pending))
        return {written, false};
    if (::GetLastError() == ERROR_IO_PENDING) {
        const auto limit = static_cast<DWORD>(wait.count());
        if (::WaitForSingleObject(m_writeEvent, limit) != WAIT_OBJECT_0)
            ::CancelIoEx(m_port, &pending);
        // After a cancel this waits for the driver to give the write back,
        // with what it had written of it.
        ::GetOverlappedResult(m_port, &pending, &written, TRUE);
        return {written, false};
    }
    // A device in trouble answers at once; wait out the time as a blocked
    // line would, so that the writer does not spin. A write failure is not a
    // reason to give the port up: there is no reconnect.
    waitForStop(static_cast<unsigned long>(wait.count()));
    return {};
}

void SerialLink::lineBlocked() {
    alertLater(serialWriteText());
}

bool SerialLink::waitForStop(unsigned long milliseconds) {
    return ::WaitForSingleObject(m_stopEvent, milliseconds) == WAIT_OBJECT_0 || m_stop.load();
}

void SerialLink::readerLoop() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    DWORD modem = 0;
    if (!::GetCommModemStatus(m_port, &modem) && !notApplicable(::GetLastError()))
        alertLater(serialLineText("GetCommModemStatus", 26));
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(m_port, &errors, &status))
        alertLater(serialLineText("ClearCommError", 26));

    const HANDLE readDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (readDone == nullptr)
        return;
    std::array<std::uint8_t, kReadSize> buffer{};
    while (!m_stop.load()) {
        // Ask for what is queued, at least one byte: queued bytes come at
        // once, and an idle line ends the read after its 10 ms time-out.
        DWORD want = 1;
        if (::ClearCommError(m_port, &errors, &status))
            want = std::clamp<DWORD>(status.cbInQue, 1, kReadSize);
        OVERLAPPED pending{};
        pending.hEvent = readDone;
        ::ResetEvent(readDone);
        DWORD got = 0;
        if (!::ReadFile(m_port, buffer.data(), want, &got, &pending)) {
            if (::GetLastError() != ERROR_IO_PENDING) {
                if (waitForStop(10))  // a vanished device: try again later
                    break;
                continue;
            }
            const HANDLE waits[2] = {readDone, m_stopEvent};
            if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                ::CancelIoEx(m_port, &pending);
                ::GetOverlappedResult(m_port, &pending, &got, TRUE);
                break;
            }
            if (!::GetOverlappedResult(m_port, &pending, &got, FALSE) && got == 0) {
                if (waitForStop(10))
                    break;
                continue;
            }
        }
        if (got > 0)
            m_consumer.bytesReceived(std::span(buffer.data(), static_cast<std::size_t>(got)));
    }
    ::CloseHandle(readDone);
}

}  // namespace veltro::link
