#include "veltro/link/posix/serial_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "veltro/link/line_factory.h"
#include "veltro/link/serial_alerts.h"
#include "veltro/link/serial_texts.h"

namespace veltro::link {

namespace {

constexpr std::size_t kReadSize = 4096;
constexpr int kReadWaitMs = 160;  // 16 bytes at 10 ms each, as the working time-outs say

// A pseudo-terminal has no modem lines: it answers ENOTTY (or EINVAL) where a
// real port would raise DTR or report its modem status.
bool notApplicable(int error) {
    return error == ENOTTY || error == EINVAL;
}

speed_t speedFor(int baudRate, bool& known) {
    known = true;
    switch (baudRate) {
        case 110:
            return B110;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            known = false;
            return B9600;
    }
}

}  // namespace

std::unique_ptr<SerialLine> makeSerialLine(const LineContext& c, Prompts& prompts) {
    return std::make_unique<SerialLink>(c.consumer, prompts, c.dispatcher, c.watch);
}

std::string platformSerialDevice(const std::string& portName) {
    const char digit = portName.size() == 4 ? portName[3] : '1';
    const int number = (digit >= '1' && digit <= '4') ? digit - '1' : 0;
    return "/dev/ttyS" + std::to_string(number);
}

SerialLink::SerialLink(ByteConsumer& consumer, Prompts& prompts, UiDispatcher& dispatcher,
                       LineWatch* watch)
    : m_consumer(consumer),
      m_alerts(prompts, dispatcher),
      m_ending(LineEnding::Kind::Device, watch, nullptr, dispatcher) {}

SerialLink::~SerialLink() {
    m_ending.stop();
    if (m_reader.joinable()) {
        m_stop = true;
        const char wake = 1;
        [[maybe_unused]] auto n = ::write(m_wake[1], &wake, 1);
        m_reader.join();
    }
    // At the end of the program a port that went away is no news.
    closePort(false);
    for (int fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SerialLink::open(const std::string& device, int baudRate) {
    m_device = device;
    m_baudRate = baudRate;
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_SYNC | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        m_alerts.now(serialOpenText(device));
        return false;
    }
    ::ioctl(m_fd, TIOCEXCL);  // no sharing; a device that refuses is still usable

    termios saved{};
    if (::tcgetattr(m_fd, &saved) == 0) {
        m_saved = std::make_unique<termios>(saved);
    } else {
        m_alerts.now(serialSetupText("GetTimeOuts"));
    }
    // The working time-outs: reads return what is there (the reader waits with
    // poll), so a quiet line never blocks a read.
    termios working{};
    if (::tcgetattr(m_fd, &working) != 0 || (working.c_cc[VMIN] = 0, working.c_cc[VTIME] = 0,
                                             ::tcsetattr(m_fd, TCSANOW, &working) != 0)) {
        m_alerts.now(serialSetupText("SetTimeOuts"));
    }
    configureLine(baudRate);
    // Driver buffer sizes have no termios counterpart; the kernel's are larger.
    const int dtr = TIOCM_DTR;
    if (::ioctl(m_fd, TIOCMBIS, &dtr) != 0 && !notApplicable(errno)) {
        m_alerts.now(serialSetupText("Raise DTR"));
    }
    if (::pipe2(m_wake, O_CLOEXEC) != 0) {
        m_alerts.now(serialSetupText("CreateThreads"));
        close();
        return true;
    }
    try {
        startReader();
    } catch (const std::system_error&) {
        m_alerts.now(serialSetupText("CreateThreads"));
        close();
        return true;
    }
    m_connected = true;
    return true;
}

void SerialLink::configureLine(int baudRate) {
    termios line{};
    if (::tcgetattr(m_fd, &line) != 0) {
        m_alerts.now(serialLineText("GetCommState", 26));
        return;
    }
    bool known = false;
    const speed_t speed = speedFor(baudRate, known);
    ::cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;  // HUPCL: DTR drops when the port closes
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    line.c_iflag |= INPCK;
    line.c_cc[VSTART] = 0x11;
    line.c_cc[VSTOP] = 0x13;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    // A speed that termios lacks keeps the port's own; the rest still applies.
    const bool speedSet =
        known && ::cfsetispeed(&line, speed) == 0 && ::cfsetospeed(&line, speed) == 0;
    if (::tcsetattr(m_fd, TCSANOW, &line) != 0 || !speedSet) {
        m_alerts.now(serialLineText("SetCommState", 28));
    }
    termios check{};
    if (::tcgetattr(m_fd, &check) != 0 || check.c_cc[VMIN] != 0 || check.c_cc[VTIME] != 0) {
        m_alerts.now(serialLineText("TimeOuts", 28));
    }
}

void SerialLink::close() {
    closePort(true);
}

void SerialLink::closePort(bool report) {
    if (!m_connected.exchange(false))
        return;
    const int dtr = TIOCM_DTR;
    if (::ioctl(m_fd, TIOCMBIC, &dtr) != 0 && !notApplicable(errno) && report) {
        m_alerts.now(serialCloseText("Lower DTR"));
    }
    if (m_saved && ::tcsetattr(m_fd, TCSANOW, m_saved.get()) != 0 && report) {
        m_alerts.now(serialCloseText("TimeOuts"));
    }
    if (::tcflush(m_fd, TCIOFLUSH) != 0 && report)
        m_alerts.now(serialCloseText("PurgeComm"));
}

LineOutput::Result SerialLink::writeSome(std::span<const std::uint8_t> bytes,
                                         std::chrono::milliseconds wait) {
    std::lock_guard lock(m_fdMutex);
    if (m_ending.writes() == LineEnding::Writes::Drop)
        return {bytes.size(), false};  // no device to write to until the reopen
    if (m_fd < 0)
        return {0, true};
    pollfd out{m_fd, POLLOUT, 0};
    const int ready = ::poll(&out, 1, static_cast<int>(wait.count()));
    if (ready > 0 && (out.revents & POLLOUT)) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n > 0)
            return {static_cast<std::size_t>(n), false};
    } else if (ready == 0 || (ready < 0 && errno == EINTR)) {
        return {};  // blocked for the whole wait
    }
    // A device in trouble answers at once; wait out the time as a blocked
    // line would, so that the writer does not spin. A write failure is not a
    // reason to give the port up: there is no reconnect.
    waitForStop(static_cast<int>(wait.count()));
    return {};
}

void SerialLink::lineBlocked() {
    m_alerts.later(serialWriteText());
}

bool SerialLink::waitForStop(int milliseconds) {
    pollfd wake{m_wake[0], POLLIN, 0};
    ::poll(&wake, 1, milliseconds);
    return m_stop.load();
}

void SerialLink::startReader(bool quiet) {
    m_reader = std::thread([this, fd = m_fd, quiet] { readerLoop(fd, quiet); });
}

bool SerialLink::deviceGone() {
    m_ending.over(LineEnd::Closed);
    return m_ending.readerEnds();
}

void SerialLink::readerLoop(int fd, bool quiet) {
    int status = 0;
    if (::ioctl(fd, TIOCMGET, &status) != 0 && !notApplicable(errno) && !quiet) {
        m_alerts.later(serialLineText("GetCommModemStatus", 26));
    }
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) != 0 && !quiet)
        m_alerts.later(serialLineText("ClearCommError", 26));

    std::array<std::uint8_t, kReadSize> buffer{};
    while (!m_stop.load()) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, kReadWaitMs);
        if (m_stop.load())
            break;
        if (ready <= 0 || !(fds[0].revents & POLLIN)) {
            // A vanished device (or a pseudo-terminal without its other end)
            // reports hang-up at once: try again later, without spinning.
            if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                if (deviceGone() || waitForStop(10))
                    break;
            }
            continue;
        }
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n > 0) {
            m_consumer.bytesReceived(std::span(buffer.data(), static_cast<std::size_t>(n)));
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // Readable yet nothing to read: a device at its end. Retry later.
            if (deviceGone() || waitForStop(10))
                break;
        }
    }
}

// The same device path again, with the settings of the first opening.
bool SerialLink::reopen(std::stop_token stop) {
    if (m_reader.joinable())
        m_reader.join();  // it ended with the lost device
    if (stop.stop_requested())
        return false;
    const int fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_SYNC | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    {
        std::lock_guard lock(m_fdMutex);
        ::close(m_fd);
        m_fd = fd;
        ::ioctl(m_fd, TIOCEXCL);
        m_alerts.setQuiet(true);
        configureLine(m_baudRate);
        m_alerts.setQuiet(false);
        const int dtr = TIOCM_DTR;
        ::ioctl(m_fd, TIOCMBIS, &dtr);
        m_ending.reopened();
    }
    startReader(true);
    return true;
}

}  // namespace veltro::link
