// The serial port on the Win32 communications functions.
#include "veltro/link/win32/serial_link.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <system_error>

#include "veltro/link/line_factory.h"
#include "veltro/link/serial_alerts.h"
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

// Read and write, no sharing, an existing device, write-through.
HANDLE openDevice(const std::string& device) {
    return ::CreateFileW(widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_FLAG_WRITE_THROUGH, nullptr);
}

void closeHandle(void*& handle) {
    if (handle != nullptr)
        ::CloseHandle(handle);
    handle = nullptr;
}

}  // namespace

SerialLink::SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher,
                       LineWatch* watch)
    : m_consumer(consumer),
      m_alerts(prompts, dispatcher),
      m_ending(LineEnding::Kind::Device, watch, nullptr, dispatcher) {}

SerialLink::~SerialLink() {
    m_ending.stop();
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

bool SerialLink::open(const std::string& device, int baudRate) {
    m_device = device;
    m_baudRate = baudRate;
    const HANDLE port = openDevice(device);
    if (port == INVALID_HANDLE_VALUE) {
        m_alerts.now(serialOpenText(device));
        return false;
    }
    m_port = port;

    COMMTIMEOUTS saved{};
    if (::GetCommTimeouts(m_port, &saved))
        m_saved = std::make_unique<SavedTimeouts>(SavedTimeouts{saved});
    else
        m_alerts.now(serialSetupText("GetTimeOuts"));
    COMMTIMEOUTS working = workingTimeouts();
    if (!::SetCommTimeouts(m_port, &working))
        m_alerts.now(serialSetupText("SetTimeOuts"));
    configureLine(baudRate);
    ::SetupComm(m_port, kInputBuffer, kOutputBuffer);  // a driver may keep its own sizes
    if (!::EscapeCommFunction(m_port, SETDTR) && !notApplicable(::GetLastError()))
        m_alerts.now(serialSetupText("Raise DTR"));

    m_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_writeEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_stopEvent == nullptr || m_writeEvent == nullptr) {
        m_alerts.now(serialSetupText("CreateThreads"));
        close();
        return true;
    }
    try {
        startReader(false);
    } catch (const std::system_error&) {
        m_alerts.now(serialSetupText("CreateThreads"));
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
        m_alerts.now(serialLineText("GetCommState", 26));
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
        m_alerts.now(serialLineText("SetCommState", 28));
        // A speed the port refuses keeps the port's own; the rest still applies.
        line.BaudRate = portSpeed;
        ::SetCommState(m_port, &line);
    }
    COMMTIMEOUTS working = workingTimeouts();
    if (!::SetCommTimeouts(m_port, &working))
        m_alerts.now(serialLineText("TimeOuts", 28));
}

void SerialLink::close() {
    closePort(true);
}

void SerialLink::closePort(bool report) {
    if (!m_connected.exchange(false))
        return;
    if (!::EscapeCommFunction(m_port, CLRDTR) && !notApplicable(::GetLastError()) && report)
        m_alerts.now(serialCloseText("Lower DTR"));
    if (m_saved && !::SetCommTimeouts(m_port, &m_saved->timeouts) && report)
        m_alerts.now(serialCloseText("TimeOuts"));
    const DWORD purge = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
    if (!::PurgeComm(m_port, purge) && report)
        m_alerts.now(serialCloseText("PurgeComm"));
}

LineOutput::Result SerialLink::writeSome(std::span<const std::uint8_t> bytes,
                                         std::chrono::milliseconds wait) {
    std::lock_guard lock(m_portMutex);
    if (m_ending.writes() == LineEnding::Writes::Drop)
        return {bytes.size(), false};  // no device to write to until the reopen
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
    // reason to give the port up: the reader finds a device that is gone.
    waitForStop(static_cast<unsigned long>(wait.count()));
    return {};
}

void SerialLink::lineBlocked() {
    m_alerts.later(serialWriteText());
}

bool SerialLink::waitForStop(unsigned long milliseconds) {
    return ::WaitForSingleObject(m_stopEvent, milliseconds) == WAIT_OBJECT_0 || m_stop.load();
}

void SerialLink::startReader(bool quiet) {
    m_reader = std::thread([this, quiet] { readerLoop(quiet); });
}

bool SerialLink::deviceGone() {
    m_ending.over(LineEnd::Closed);
    return m_ending.readerEnds();
}

void SerialLink::readerLoop(bool quiet) {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    DWORD modem = 0;
    if (!::GetCommModemStatus(m_port, &modem) && !notApplicable(::GetLastError()) && !quiet)
        m_alerts.later(serialLineText("GetCommModemStatus", 26));
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(m_port, &errors, &status) && !quiet)
        m_alerts.later(serialLineText("ClearCommError", 26));

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
                if (deviceGone() || waitForStop(10))  // a vanished device: try again later
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

// The same device again, with the settings of the first opening.
bool SerialLink::reopen(std::stop_token stop) {
    if (m_reader.joinable())
        m_reader.join();  // it ended with the lost device
    if (stop.stop_requested())
        return false;
    const HANDLE port = openDevice(m_device);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    {
        std::lock_guard lock(m_portMutex);
        closeHandle(m_port);
        m_port = port;
        m_alerts.setQuiet(true);
        COMMTIMEOUTS working = workingTimeouts();
        ::SetCommTimeouts(m_port, &working);
        configureLine(m_baudRate);
        m_alerts.setQuiet(false);
        ::EscapeCommFunction(m_port, SETDTR);
        m_ending.reopened();
    }
    startReader(true);
    return true;
}

std::unique_ptr<SerialLine> makeSerialLine(const LineContext& c, Prompts& prompts) {
    return std::make_unique<SerialLink>(c.consumer, prompts, c.dispatcher, c.watch);
}

std::string platformSerialDevice(const std::string& portName) {
    return "\\\\.\\" + portName;
}

}  // namespace veltro::link
