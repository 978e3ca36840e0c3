#include "veltro/link/controller_link.h"

namespace veltro::link {

ControllerLink::ControllerLink(LinkPorts ports)
    : m_ports(ports),
      m_mailbox(ports.dispatcher),
      m_dump(ports.dumpDisplay, ports.replyTimer, ports.dispatcher),
      m_path(m_flags, m_router, m_dump) {
    m_router.setWindowSink(&m_mailbox);
}

// The writer goes first (it writes to the line), then the line, whose reader
// thread uses the receive path.
ControllerLink::~ControllerLink() {
    m_writer.target = nullptr;
    m_queue.reset();
    m_line.reset();
}

void ControllerLink::attach(std::unique_ptr<LineOutput> line) {
    m_writer.target = nullptr;
    m_queue.reset();
    m_line = std::move(line);
    if (m_line) {
        m_queue = std::make_unique<QueuedWriter>(*m_line, m_ports.clock);
        m_writer.target = m_queue.get();
    }
}

void ControllerLink::setPaused(bool paused) {
    m_flags.paused.store(paused, std::memory_order_release);
}

void ControllerLink::windowHidden() {
    m_mailbox.newGeneration();
    if (m_poll)
        m_poll->hide();
}

void ControllerLink::windowShown() {
    m_mailbox.newGeneration();
    m_flags.trace.store(true, std::memory_order_relaxed);
    if (m_poll)
        m_poll->start();
}

}  // namespace veltro::link
