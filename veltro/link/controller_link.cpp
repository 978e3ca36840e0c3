#include "veltro/link/controller_link.h"

#include "veltro/link/serial_device.h"

namespace veltro::link {

ControllerLink::ControllerLink(Prompts& prompts, IpErrorHandler& ipErrors,
                               DumpDisplay& dumpDisplay)
    : m_prompts(prompts),
      m_ipErrors(ipErrors),
      m_dump(dumpDisplay),
      m_path(m_flags, m_router, m_dump) {}

// The adapters go first: their reader threads use the receive path.
ControllerLink::~ControllerLink() {
    m_writer.target = nullptr;
    m_serial.reset();
    m_ip.reset();
}

bool ControllerLink::openSerial(int portNumber, int baudRate,
                                const common::ProfileFile* settings) {
    m_serial = std::make_unique<SerialLink>(m_path, m_prompts);
    const std::string device = serialDevicePath(serialPortName(portNumber), settings);
    if (!m_serial->open(device, baudRate)) {
        m_serial.reset();
        return false;
    }
    m_writer.target = m_serial.get();
    return true;
}

std::optional<IpError> ControllerLink::openIp(const std::string& address, int port) {
    m_ip = std::make_unique<IpClient>(m_path, m_flags, m_ipErrors);
    if (auto error = m_ip->create())
        return error;
    if (auto error = m_ip->connect(address, port))
        return error;
    m_ip->startReader();
    m_writer.target = m_ip.get();
    return std::nullopt;
}

void ControllerLink::setPaused(bool paused) {
    m_flags.paused.store(paused, std::memory_order_release);
}

void ControllerLink::windowShown() {
    m_flags.trace.store(true, std::memory_order_relaxed);
    if (m_poll)
        m_poll->start();
}

}  // namespace veltro::link
